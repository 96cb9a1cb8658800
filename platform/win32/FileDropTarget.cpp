#include "platform/win32/FileDropTarget.h"

#include <shellapi.h>

#include <atomic>
#include <utility>

#include "platform/win32/LateBound.h"
#include "platform/win32/WideText.h"

namespace yomorina::win32 {
namespace {

FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFileList(IDataObject* data) {
    FORMATETC format = FileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

class FileDropTarget final : public IDropTarget {
public:
    explicit FileDropTarget(FileDropRegistration::Handler handler) : handler_(std::move(handler)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept override {
        acceptsFiles_ = OffersFileList(data);
        if (effect) *effect = acceptsFiles_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) noexcept override {
        if (effect) *effect = acceptsFiles_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept override {
        const DroppedData dropped = ReadDroppedData(data);
        if (effect) *effect = dropped.OffersFileList ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        try {
            if (handler_) handler_(dropped);
        } catch (...) {
            // Nothing may cross back into the drag source.
        }
        return S_OK;
    }

private:
    std::atomic<ULONG> references_{1};
    FileDropRegistration::Handler handler_;
    bool acceptsFiles_ = false;
};

}  // namespace

DroppedData ReadDroppedData(IDataObject* data) {
    DroppedData dropped;
    if (!OffersFileList(data)) return dropped;
    dropped.OffersFileList = true;
    FORMATETC format = FileListFormat();
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK) return dropped;
    if (auto* drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            std::wstring path(length + 1, L'\0');
            DragQueryFileW(drop, i, path.data(), length + 1);
            path.resize(length);
            dropped.Files.push_back(ToUtf8(path));
        }
        GlobalUnlock(medium.hGlobal);
    }
    late::ReleaseStgMedium(&medium);
    return dropped;
}

FileDropRegistration::FileDropRegistration(HWND window, Handler handler)
    : target_(new FileDropTarget(std::move(handler))) {
    if (EnsureOle() && late::RegisterDragDrop(window, target_) == S_OK) {
        window_ = window;
    } else {
        target_->Release();
        target_ = nullptr;
    }
}

FileDropRegistration::~FileDropRegistration() { Revoke(); }

FileDropRegistration::FileDropRegistration(FileDropRegistration&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)), target_(std::exchange(other.target_, nullptr)) {}

FileDropRegistration& FileDropRegistration::operator=(FileDropRegistration&& other) noexcept {
    if (this != &other) {
        Revoke();
        window_ = std::exchange(other.window_, nullptr);
        target_ = std::exchange(other.target_, nullptr);
    }
    return *this;
}

void FileDropRegistration::Revoke() noexcept {
    if (window_) {
        // The window may already be gone at shutdown; revoking is then harmless.
        late::RevokeDragDrop(window_);
        window_ = nullptr;
    }
    if (target_) {
        target_->Release();
        target_ = nullptr;
    }
}

}  // namespace yomorina::win32

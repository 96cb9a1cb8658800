#include "platform/win32/desktop/FileDropTarget.h"

#include <shellapi.h>

#include <deque>
#include <utility>

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/ComObject.h"
#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {

FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFileList(IDataObject* data) {
    FORMATETC format = FileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

class FileDropTarget;
void DeferDrop(FileDropTarget* target, DroppedData dropped);

class FileDropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
public:
    explicit FileDropTarget(FileDropRegistration::Handler handler) : handler_(std::move(handler)) {}

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
    // The drag source waits in DoDragDrop until this returns: a confirmation or
    // a message box shown here would freeze the user's file manager behind it.
    // The paths are taken now and handled from the message loop. Copy stays the
    // answer either way, so a source that offered to move never deletes its files.
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept override {
        try {
            DroppedData dropped = ReadDroppedData(data);
            if (effect) *effect = dropped.OffersFileList ? DROPEFFECT_COPY : DROPEFFECT_NONE;
            DeferDrop(this, std::move(dropped));
        } catch (...) {
            // Nothing may cross back into the drag source.
            if (effect) *effect = DROPEFFECT_NONE;
        }
        return S_OK;
    }

    // A handler of a window that is gone must never run.
    void Forget() noexcept { handler_ = nullptr; }

    void Handle(const DroppedData& dropped) noexcept {
        try {
            // A box the handler shows lets the loop run, and the window may be
            // destroyed meanwhile: the handler that runs must outlive Forget.
            const FileDropRegistration::Handler handler = handler_;
            if (handler) handler(dropped);
        } catch (...) {
            // The message loop must go on.
        }
    }

private:
    FileDropRegistration::Handler handler_;
    bool acceptsFiles_ = false;
};

// Drops waiting for the message loop of the thread that took them, oldest first.
struct PendingDrop {
    FileDropTarget* target;  // held with a reference until handled
    DroppedData data;
};
// Made at a thread's first drop and never destroyed: MinGW's runtime can crash
// destroying a thread_local object with a destructor when its thread ends.
std::deque<PendingDrop>& PendingDrops() {
    thread_local std::deque<PendingDrop>* drops = nullptr;
    if (!drops) drops = new std::deque<PendingDrop>;
    return *drops;
}
thread_local bool handlingDrop = false;
thread_local bool dropPosted = false;


void HandleNextDrop() noexcept;

LRESULT CALLBACK PendingDropWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != PendingDropMessage) return DefWindowProcW(window, message, wParam, lParam);
    HandleNextDrop();
    return 0;
}

// A message-only window: a posted message keeps its place among the user's
// clicks and keys, and any message loop, a modal one included, delivers it.
HWND PendingDropWindow() noexcept {
    thread_local HWND window = nullptr;
    if (window && IsWindow(window)) return window;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &PendingDropWindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = PendingDropWindowClass;
    RegisterClassExW(&windowClass);
    window = CreateWindowExW(0, PendingDropWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    return window;
}

void ScheduleNextDrop() noexcept {
    if (handlingDrop || dropPosted || PendingDrops().empty()) return;
    dropPosted = PostMessageW(PendingDropWindow(), PendingDropMessage, 0, 0) != FALSE;
    // Better late inside the drop than never.
    if (!dropPosted) HandleNextDrop();
}

// One drop at a time: a box shown for one lets the loop run, and the next
// drop waits until that one is answered, so drops are handled in their order.
void HandleNextDrop() noexcept {
    dropPosted = false;
    if (handlingDrop || PendingDrops().empty()) return;
    PendingDrop next = std::move(PendingDrops().front());
    PendingDrops().pop_front();
    handlingDrop = true;
    next.target->Handle(next.data);
    next.target->Release();
    handlingDrop = false;
    ScheduleNextDrop();
}

void DeferDrop(FileDropTarget* target, DroppedData dropped) {
    target->AddRef();
    PendingDrops().push_back(PendingDrop{target, std::move(dropped)});
    ScheduleNextDrop();
}

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
        static_cast<FileDropTarget*>(target_)->Forget();
        target_->Release();
        target_ = nullptr;
    }
}

}  // namespace yomorina::win32

#include "tests/e2e/DragDrop.h"

#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>

namespace yomorina::e2e {
namespace {

template <typename Interface>
class Unknown : public Interface {
public:
    virtual ~Unknown() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
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

private:
    std::atomic<ULONG> references_{1};
};

// One format, rendered afresh into a global block for each request.
class OneFormatData final : public Unknown<IDataObject> {
public:
    OneFormatData(CLIPFORMAT format, std::vector<unsigned char> bytes) : format_(format), bytes_(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) noexcept override {
        if (!wanted || !medium) return E_INVALIDARG;
        const HRESULT offered = QueryGetData(wanted);
        if (offered != S_OK) return offered;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        if (!block) return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(block), bytes_.data(), bytes_.size());
        GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) noexcept override {
        if (!wanted) return E_INVALIDARG;
        if (wanted->cfFormat != format_) return DV_E_FORMATETC;
        if ((wanted->tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) noexcept override {
        if (out) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) noexcept override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    CLIPFORMAT format_;
    std::vector<unsigned char> bytes_;
};

// Keeps the pointer on the point and lets go after a few rounds, as a hand
// that moved there and released the button.
class ReleasingSource final : public Unknown<IDropSource> {
public:
    explicit ReleasingSource(POINT point) : point_(point) {}

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) noexcept override {
        if (escape) return DRAGDROP_S_CANCEL;
        SetCursorPos(point_.x, point_.y);
        return ++rounds_ > 4 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) noexcept override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    POINT point_;
    int rounds_ = 0;
};

std::vector<unsigned char> FileList(const std::vector<std::wstring>& files) {
    std::wstring names;
    for (const auto& file : files) {
        names += file;
        names.push_back(L'\0');
    }
    names.push_back(L'\0');
    std::vector<unsigned char> bytes(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(bytes.data(), &header, sizeof(header));
    std::memcpy(bytes.data() + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    return bytes;
}

DragOutcome Drag(POINT point, IDataObject* data) {
    const HRESULT ole = OleInitialize(nullptr);
    SetCursorPos(point.x, point.y);
    auto* source = new ReleasingSource(point);
    DragOutcome outcome;
    outcome.result = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &outcome.effect);
    source->Release();
    data->Release();
    if (SUCCEEDED(ole)) OleUninitialize();
    return outcome;
}

}  // namespace

DragOutcome DropFilesAt(POINT point, const std::vector<std::wstring>& files) {
    return Drag(point, new OneFormatData(CF_HDROP, FileList(files)));
}

DragOutcome DropTextAt(POINT point, const std::wstring& text) {
    std::vector<unsigned char> bytes((text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    return Drag(point, new OneFormatData(CF_UNICODETEXT, std::move(bytes)));
}

}  // namespace yomorina::e2e

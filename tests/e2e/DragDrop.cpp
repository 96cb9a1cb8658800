#include "tests/e2e/DragDrop.h"

#include <cstring>

#include "tests/platform/FileDragSource.h"

namespace yomorina::e2e {
namespace {

using testing::ComObject;

// Plain text and nothing else, as an editor offers a selection.
class TextData final : public ComObject<IDataObject, IID_IDataObject> {
public:
    explicit TextData(std::wstring text) : text_(std::move(text)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override {
        if (QueryGetData(format) != S_OK || !medium) return DV_E_FORMATETC;
        const std::size_t bytes = (text_.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (!memory) return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(memory), text_.c_str(), bytes);
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) noexcept override {
        return format && format->cfFormat == CF_UNICODETEXT && (format->tymed & TYMED_HGLOBAL) ? S_OK
                                                                                                : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) noexcept override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) noexcept override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::wstring text_;
};

// Keeps the pointer on the point and lets go after a few rounds, as a hand
// that has arrived there and releases the button; Esc still cancels.
class ReleasingSource final : public ComObject<IDropSource, IID_IDropSource> {
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

// Takes over the data object's reference.
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
    return Drag(point, new testing::FileListData(files));
}

DragOutcome DropTextAt(POINT point, const std::wstring& text) { return Drag(point, new TextData(text)); }

}  // namespace yomorina::e2e

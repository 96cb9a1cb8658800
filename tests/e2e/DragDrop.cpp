#include "tests/e2e/DragDrop.h"

#include <shlobj.h>

#include <cstring>

#include "platform/win32/base/ComObject.h"

namespace yomorina::e2e {
namespace {

using win32::ComObject;

// One block of memory offered in one clipboard format, as a drag source
// outside our program offers it.
class MemoryData final : public ComObject<IDataObject, IID_IDataObject> {
public:
    MemoryData(CLIPFORMAT format, std::string bytes) : format_(format), bytes_(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override {
        if (QueryGetData(format) != S_OK || !medium) return DV_E_FORMATETC;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        if (!memory) return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(memory), bytes_.data(), bytes_.size());
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) noexcept override {
        return format && format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) noexcept override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
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
    std::string bytes_;
};

std::string WideBytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

// A shell file list (CF_HDROP) with wide paths, as Explorer offers it.
MemoryData* NewFileListData(const std::vector<std::wstring>& files) {
    std::wstring list;
    for (const auto& file : files) list += file + L'\0';
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    return new MemoryData(CF_HDROP, std::string(reinterpret_cast<const char*>(&header), sizeof header) + WideBytes(list));
}

// Plain text and nothing else, as an editor offers a selection.
MemoryData* NewTextData(const std::wstring& text) { return new MemoryData(CF_UNICODETEXT, WideBytes(text)); }

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
    return Drag(point, NewFileListData(files));
}

DragOutcome DropTextAt(POINT point, const std::wstring& text) { return Drag(point, NewTextData(text)); }

}  // namespace yomorina::e2e

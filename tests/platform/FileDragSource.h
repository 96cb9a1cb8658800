#pragma once
// A drag of a shell file list (CF_HDROP), as Explorer starts one: the pointer
// is put over the target and the drop happens after a few polls.

#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

namespace yomorina::testing {

// One COM interface, counted; deleted with its last reference.
template <typename Interface, const IID& InterfaceId>
class ComObject : public Interface {
public:
    virtual ~ComObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (iid == IID_IUnknown || iid == InterfaceId) {
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

inline std::string WideBytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
}

// A shell file list (CF_HDROP) with wide paths, as Explorer offers it.
inline MemoryData* NewFileListData(const std::vector<std::wstring>& files) {
    std::wstring list;
    for (const auto& file : files) list += file + L'\0';
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    return new MemoryData(CF_HDROP, std::string(reinterpret_cast<const char*>(&header), sizeof header) + WideBytes(list));
}

// Plain text and nothing else, as an editor offers a selection.
inline MemoryData* NewTextData(const std::wstring& text) { return new MemoryData(CF_UNICODETEXT, WideBytes(text)); }

class DropAfterAFewPolls final : public ComObject<IDropSource, IID_IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) noexcept override {
        return ++polls_ > 3 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) noexcept override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    int polls_ = 0;
};

// Drags the files onto the window under (x, y) of the screen and drops them there.
inline DWORD DragFilesTo(POINT at, const std::vector<std::wstring>& files) {
    SetCursorPos(at.x, at.y);
    auto* data = NewFileListData(files);
    auto* source = new DropAfterAFewPolls();
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
    source->Release();
    data->Release();
    return effect;
}

}  // namespace yomorina::testing

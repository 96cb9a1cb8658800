#pragma once
// One COM interface, counted, deleted with its last reference: what a drop
// target or a data object needs of IUnknown.

#include <windows.h>

#include <atomic>

namespace yomorina::win32 {

template <typename Interface, const IID& InterfaceId>
class ComObject : public Interface {
public:
    virtual ~ComObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (!object) return E_POINTER;
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

}  // namespace yomorina::win32

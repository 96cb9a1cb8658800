#include "platform/win32/base/LateBound.h"

namespace yomorina::win32 {
namespace {

// The library stays loaded for the rest of the run, as an import would.
template <typename Function>
Function* Bind(const wchar_t* library, const char* name, DWORD search = LOAD_LIBRARY_SEARCH_SYSTEM32) noexcept {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryExW(library, nullptr, search);
    if (!module) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// For a call whose effect outlives the library (a registration the window
// manager keeps): the library is let go of at once, so that an idle program
// does not keep it mapped. FALSE when it cannot be called.
template <typename Function, typename... Arguments>
BOOL CallAndLetGo(const wchar_t* library, const char* name, Arguments... arguments) noexcept {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return FALSE;
    const auto function = reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    const BOOL result = function ? function(arguments...) : FALSE;
    FreeLibrary(module);
    return result;
}

template <typename Function>
Function* Ole32(const char* name) noexcept {
    return Bind<Function>(L"ole32.dll", name);
}

template <typename Function>
Function* CommonControls(const char* name) noexcept {
    // The default search, so that the manifest's version 6 is the one loaded.
    return Bind<Function>(L"comctl32.dll", name, 0);
}

// Whether OLE was started on this thread and must be ended there.
thread_local bool oleStarted = false;
thread_local bool oleTried = false;

}  // namespace

bool RunningOnWine() noexcept {
    static const bool wine = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version");
    }();
    return wine;
}

bool EnsureOle() noexcept {
    if (oleTried) return oleStarted;
    oleTried = true;
    static const auto initialize = Ole32<HRESULT WINAPI(LPVOID)>("OleInitialize");
    // S_FALSE (already started here) also takes a reference that must be given back.
    oleStarted = initialize && SUCCEEDED(initialize(nullptr));
    return oleStarted;
}

OleSession::~OleSession() {
    if (!oleStarted) return;
    static const auto uninitialize = Ole32<void WINAPI()>("OleUninitialize");
    if (uninitialize) uninitialize();
    oleStarted = false;
    oleTried = false;
}

void EnsureCommonControls() noexcept {
    static const bool registered = [] {
        static const auto initialize =
            CommonControls<BOOL WINAPI(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
        const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return initialize && initialize(&controls);
    }();
    (void)registered;
}

namespace late {

HRESULT CoInitializeEx(void* reserved, DWORD model) noexcept {
    static const auto function = Ole32<HRESULT WINAPI(void*, DWORD)>("CoInitializeEx");
    return function ? function(reserved, model) : E_NOTIMPL;
}

void CoUninitialize() noexcept {
    static const auto function = Ole32<void WINAPI()>("CoUninitialize");
    if (function) function();
}

HRESULT RegisterDragDrop(HWND window, IDropTarget* target) noexcept {
    static const auto function = Ole32<HRESULT WINAPI(HWND, IDropTarget*)>("RegisterDragDrop");
    return function ? function(window, target) : E_FAIL;
}

HRESULT RevokeDragDrop(HWND window) noexcept {
    static const auto function = Ole32<HRESULT WINAPI(HWND)>("RevokeDragDrop");
    return function ? function(window) : E_FAIL;
}

void ReleaseStgMedium(STGMEDIUM* medium) noexcept {
    static const auto function = Ole32<void WINAPI(STGMEDIUM*)>("ReleaseStgMedium");
    if (function) function(medium);
}

HRESULT CoCreateInstance(REFCLSID type, IUnknown* outer, DWORD context, REFIID wanted, void** made) noexcept {
    static const auto function =
        Ole32<HRESULT WINAPI(REFCLSID, IUnknown*, DWORD, REFIID, void**)>("CoCreateInstance");
    if (!function) {
        *made = nullptr;
        return E_FAIL;
    }
    return function(type, outer, context, wanted, made);
}

void CoTaskMemFree(void* memory) noexcept {
    static const auto function = Ole32<void WINAPI(void*)>("CoTaskMemFree");
    if (function) function(memory);
}

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) noexcept {
    static const auto function = CommonControls<HIMAGELIST WINAPI(int, int, UINT, int, int)>("ImageList_Create");
    return function ? function(width, height, flags, initial, grow) : nullptr;
}

BOOL ImageList_Destroy(HIMAGELIST list) noexcept {
    static const auto function = CommonControls<BOOL WINAPI(HIMAGELIST)>("ImageList_Destroy");
    return function ? function(list) : FALSE;
}

HRESULT GetDpiForMonitor(HMONITOR monitor, int type, UINT* dpiX, UINT* dpiY) noexcept {
    static const auto function =
        Bind<HRESULT WINAPI(HMONITOR, int, UINT*, UINT*)>(L"shcore.dll", "GetDpiForMonitor");
    return function ? function(monitor, type, dpiX, dpiY) : E_NOTIMPL;
}

BOOL WTSRegisterSessionNotification(HWND window, DWORD flags) noexcept {
    return CallAndLetGo<BOOL WINAPI(HWND, DWORD)>(L"wtsapi32.dll", "WTSRegisterSessionNotification", window, flags);
}

BOOL WTSUnRegisterSessionNotification(HWND window) noexcept {
    return CallAndLetGo<BOOL WINAPI(HWND)>(L"wtsapi32.dll", "WTSUnRegisterSessionNotification", window);
}

HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) noexcept {
    static const auto function =
        Bind<HRESULT WINAPI(HWND, DWORD, void*, DWORD)>(L"dwmapi.dll", "DwmGetWindowAttribute");
    return function ? function(window, attribute, value, size) : E_NOTIMPL;
}

BOOL GetOpenFileNameW(OPENFILENAMEW* open) noexcept {
    static const auto function = Bind<BOOL WINAPI(OPENFILENAMEW*)>(L"comdlg32.dll", "GetOpenFileNameW");
    return function ? function(open) : FALSE;
}

}  // namespace late
}  // namespace yomorina::win32

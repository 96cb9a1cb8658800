#pragma once
// System functions bound on first use: an idle resident program then neither
// loads nor maps OLE or the common dialogs (each pulls in several more DLLs),
// and of the common controls only what the notification icon's picture needs.

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>

namespace yomorina::win32 {

// Starts OLE on the calling thread the first time anything needs it (drag and
// drop, the shell's icons and launching); false if it cannot be started.
bool EnsureOle() noexcept;

// Ends OLE on the thread that made it, if it was started there.
class OleSession {
public:
    OleSession() = default;
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
};

// Registers the common control classes (list view, trackbar, ...) before the
// first dialog that uses them is made.
void EnsureCommonControls() noexcept;

// Wine, not Windows, under the program: ntdll exports Wine's own version call.
// For what Wine does at another cost than Windows, never for what it allows.
bool RunningOnWine() noexcept;

namespace late {

// Each answers as its system function does when that cannot be bound: a failure.
HRESULT RegisterDragDrop(HWND window, IDropTarget* target) noexcept;
HRESULT RevokeDragDrop(HWND window) noexcept;
void ReleaseStgMedium(STGMEDIUM* medium) noexcept;
HRESULT CoInitializeEx(void* reserved, DWORD model) noexcept;
void CoUninitialize() noexcept;
HRESULT CoCreateInstance(REFCLSID type, IUnknown* outer, DWORD context, REFIID wanted, void** made) noexcept;
void CoTaskMemFree(void* memory) noexcept;
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) noexcept;
BOOL ImageList_Destroy(HIMAGELIST list) noexcept;
BOOL GetOpenFileNameW(OPENFILENAMEW* open) noexcept;
// type 0 is MDT_EFFECTIVE_DPI, the scale the user chose for the monitor.
HRESULT GetDpiForMonitor(HMONITOR monitor, int type, UINT* dpiX, UINT* dpiY) noexcept;
BOOL WTSRegisterSessionNotification(HWND window, DWORD flags) noexcept;
BOOL WTSUnRegisterSessionNotification(HWND window) noexcept;
HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) noexcept;

}  // namespace late
}  // namespace yomorina::win32

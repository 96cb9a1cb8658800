#pragma once
// The program's own window messages and window classes, in one table: no two
// share a number or a name, and a part that must find another's window (a
// second start finding the first, a test finding the overlay) names it from here.

#include <windows.h>

namespace yomorina::win32 {

enum AppMessage : UINT {
    GridRestoreSelectionMessage = WM_APP + 1,  // the options dialog puts back the grid's selection
    EntryAnsweredMessage,                      // an entry's existence and icon came in from the thread pool
    InstanceEndedMessage,                      // a page or mail program opened from the about box has ended
    PendingDropMessage,                        // drops wait to be handled from the message loop
    MouseMovedMessage,                         // the mouse moved while the pointer was watched at rest
    SearchedMessage,                           // a launch's search came back from the thread pool
};

// Messages that cross from one process to another, registered by name.
inline constexpr wchar_t TaskbarCreatedName[] = L"TaskbarCreated";  // the shell's, when Explorer (re)starts
inline constexpr wchar_t OptionsAskedName[] = L"Yomorina.ShowOptions";  // from a second start of the program
// Understood only by a program started for tests (see resident/TestQueries.h).
inline constexpr wchar_t HandleCountQueryName[] = L"YomorinaTestHandleCounts";
inline constexpr wchar_t DropTheMouseHookName[] = L"YomorinaTestDropMouseHook";

// 0 when the system cannot register it, which no message has: such a message is never handled.
inline UINT RegisteredMessage(const wchar_t* name) { return RegisterWindowMessageW(name); }

inline constexpr wchar_t MainWindowClass[] = L"YomorinaMain";
inline constexpr wchar_t OverlayWindowClass[] = L"YomorinaOverlay";
inline constexpr wchar_t TrayCallbackWindowClass[] = L"YomorinaTrayCallback";
inline constexpr wchar_t TileWindowClass[] = L"YomorinaTile";
inline constexpr wchar_t OptionsDialogClass[] = L"YomorinaOptions";
inline constexpr wchar_t EntryEditorClass[] = L"YomorinaEntryEditor";
inline constexpr wchar_t AboutBoxClass[] = L"YomorinaAboutBox";
inline constexpr wchar_t PreviewBoxClass[] = L"YomorinaPreview";
inline constexpr wchar_t ShellBrowserClass[] = L"YomorinaShellBrowser";
inline constexpr wchar_t PendingDropWindowClass[] = L"YomorinaPendingDrops";
inline constexpr wchar_t SearchedWindowClass[] = L"YomorinaSearches";

}  // namespace yomorina::win32

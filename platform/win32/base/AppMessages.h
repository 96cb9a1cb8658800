#pragma once
// The program's own window messages, in one table so that no two share a number.

#include <windows.h>

namespace yomorina::win32 {

enum AppMessage : UINT {
    GridRestoreSelectionMessage = WM_APP + 1,  // the options dialog puts back the grid's selection
    EntryAnsweredMessage,                      // an entry's existence and icon came in from the thread pool
    InstanceEndedMessage,                      // a page or mail program opened from the about box has ended
    PendingDropMessage,                        // drops wait to be handled from the message loop
    MouseMovedMessage,                         // the mouse moved while the pointer was watched at rest
};

}  // namespace yomorina::win32

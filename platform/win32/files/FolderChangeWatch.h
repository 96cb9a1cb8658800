#pragma once
// A change notification on a folder, waited on beside the message queue: the
// program hears of a hand edit of its list file without polling for it.

#include <windows.h>

#include <string_view>

#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

class FolderChangeWatch {
public:
    // Writes, renames, new and removed files directly in the folder.
    explicit FolderChangeWatch(std::string_view folder);

    // Signalled once something changed; null when the folder cannot be watched.
    HANDLE Signal() const { return watch_ ? watch_.get() : nullptr; }
    // Listens for the next change after one has been seen.
    void Rearm();

private:
    UniqueHandle<ChangeNotificationTraits> watch_;
};

// The message loop. Besides the messages it waits on the watch, and calls
// onChange after each change it sees; preTranslate may take a message first.
template <typename OnChange, typename PreTranslate>
void RunMessageLoop(FolderChangeWatch& watch, OnChange onChange, PreTranslate preTranslate) {
    for (;;) {
        HANDLE signal = watch.Signal();
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(signal ? 1 : 0, &signal, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (signal && woken == WAIT_OBJECT_0) {
            watch.Rearm();
            onChange();
            continue;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return;
            if (preTranslate(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace yomorina::win32

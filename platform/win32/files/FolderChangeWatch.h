#pragma once
// Change notifications on the list file's folder, and on the folder its
// symbolic link leads to, waited on beside the message queue: the program
// hears of a hand edit, or of one synced into the linked folder, without
// polling for it.

#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

// One folder. A watch the system ends (the folder removed, its share gone)
// is lost until it is set again.
class FolderChangeWatch {
public:
    // Writes, renames, new and removed files, and attribute changes (a cloud
    // placeholder becoming readable changes nothing else), directly in the folder.
    explicit FolderChangeWatch(std::wstring folder);
    ~FolderChangeWatch();
    FolderChangeWatch(const FolderChangeWatch&) = delete;
    FolderChangeWatch& operator=(const FolderChangeWatch&) = delete;

    // Signalled once something changed; null while the watch is lost.
    HANDLE Signal() const { return watch_ ? watch_.get() : nullptr; }
    // Listens for the next change after one has been seen.
    void Rearm();
    // Asks the thread pool to set a lost watch again, so that a share that does
    // not answer holds up no one; one try at a time, a few seconds apart. The
    // try ends with an empty message to `thread`, whose loop then takes it.
    void SetAgainIfLost(DWORD thread);
    // Takes the watch such a try has set; true when it did.
    bool TakeWatchSetAgain();

    struct Retry;

private:
    std::wstring folder_;
    UniqueHandle<ChangeNotificationTraits> watch_;
    std::shared_ptr<Retry> retry_;
};

// The folder of the file the path names after any symbolic link; empty when
// that is the path's own folder or cannot be told.
std::wstring LinkedFolder(const std::wstring& path);

// The list file's folder, and the folder its link leads to when it is one.
class ListFileWatch {
public:
    explicit ListFileWatch(std::string_view listFile);

    // The watches to wait on, in the same order as their owners; lost ones are left out.
    std::size_t Signals(std::array<HANDLE, 2>& signals, std::array<FolderChangeWatch*, 2>& owners);
    // Sets lost watches again on the thread pool; true when one came back since
    // the last call (what changed meanwhile went unseen).
    bool RestoreLostWatches();

private:
    FolderChangeWatch ownFolder_;
    std::unique_ptr<FolderChangeWatch> linkedFolder_;
    DWORD thread_;
};

// The message loop. Besides the messages it waits on the watches, and calls
// onChange after each change it sees; preTranslate may take a message first.
// The queue is always emptied before the watches are looked at again: the
// mouse waits on this thread while a low-level hook is set, and a folder that
// changes all the time must not keep it waiting.
template <typename OnChange, typename PreTranslate>
void RunMessageLoop(ListFileWatch& watch, OnChange onChange, PreTranslate preTranslate) {
    for (;;) {
        if (watch.RestoreLostWatches()) onChange();
        std::array<HANDLE, 2> signals{};
        std::array<FolderChangeWatch*, 2> owners{};
        const DWORD count = static_cast<DWORD>(watch.Signals(signals, owners));
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(count, signals.data(), INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken < WAIT_OBJECT_0 + count) {
            owners[woken - WAIT_OBJECT_0]->Rearm();
            onChange();
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

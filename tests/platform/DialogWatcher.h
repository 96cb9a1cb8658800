#pragma once
// Answers the dialogs a process raises, from a thread of its own, so that a
// test calling into a modal shell dialog is not left waiting for a person.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/Harness.h"

namespace yomorina::testing {

class DialogWatcher {
public:
    // answer: the button to press (IDYES, IDNO, IDOK ...); a dialog that is
    // still there a few seconds later is closed.
    // firstSight runs on the watcher's thread when a dialog is first seen, before it is answered.
    DialogWatcher(DWORD processId, int answer, std::function<void(const std::wstring& title)> firstSight = {})
        : processId_(processId), answer_(answer), firstSight_(std::move(firstSight)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~DialogWatcher() {
        stop_ = true;
        thread_.join();
    }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // The titles of the dialogs seen so far, in order.
    std::vector<std::wstring> Titles() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return titles_;
    }

private:
    void Run() {
        while (!stop_) {
            const auto dialogs = e2e::DialogsOf(processId_);
            // A closed dialog's handle may come back for the next one.
            std::erase_if(firstSeen_, [&](const auto& entry) {
                return std::find(dialogs.begin(), dialogs.end(), entry.first) == dialogs.end();
            });
            for (HWND dialog : dialogs) Answer(dialog);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    void Answer(HWND dialog) {
        const auto now = std::chrono::steady_clock::now();
        auto seen = firstSeen_.find(dialog);
        if (seen == firstSeen_.end()) {
            seen = firstSeen_.emplace(dialog, now).first;
            wchar_t title[256] = {};
            GetWindowTextW(dialog, title, 256);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                titles_.push_back(title);
            }
            if (firstSight_) firstSight_(title);
        }
        if (now - seen->second > std::chrono::seconds(5)) {
            PostMessageW(dialog, WM_CLOSE, 0, 0);
            return;
        }
        const HWND button = GetDlgItem(dialog, answer_);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        // One press per dialog is enough; look again only if it stays.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }

    DWORD processId_;
    int answer_;
    std::function<void(const std::wstring&)> firstSight_;
    std::atomic<bool> stop_{false};
    std::map<HWND, std::chrono::steady_clock::time_point> firstSeen_;
    mutable std::mutex mutex_;
    std::vector<std::wstring> titles_;
    std::thread thread_;
};

}  // namespace yomorina::testing

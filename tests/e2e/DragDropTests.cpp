// The drag helper itself, against a drop target of the program's own kind in
// a window of this test program's own (another thread, its own apartment).

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/win32/desktop/FileDropTarget.h"
#include "tests/e2e/DragDrop.h"
#include "tests/e2e/Harness.h"

namespace yomorina::e2e {
namespace {

class DropWindow {
public:
    DropWindow() {
        thread_ = std::thread([this] { Run(); });
        WaitUntil([this] { return ready_.load(); }, std::chrono::seconds(10));
    }
    ~DropWindow() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    POINT Centre() const { return {rect_.left + 40, rect_.top + 40}; }
    std::vector<DroppedData> Drops() {
        std::lock_guard<std::mutex> lock(mutex_);
        return drops_;
    }

private:
    void Run() {
        threadId_ = GetCurrentThreadId();
        OleInitialize(nullptr);
        HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"drop here", WS_POPUP | WS_VISIBLE, 600, 300, 80, 80,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        {
            win32::FileDropRegistration registration(window, [this](const DroppedData& data) {
                std::lock_guard<std::mutex> lock(mutex_);
                drops_.push_back(data);
            });
            GetWindowRect(window, &rect_);
            ready_ = registration.IsRegistered();
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        }
        DestroyWindow(window);
        OleUninitialize();
    }

    std::thread thread_;
    DWORD threadId_ = 0;
    std::atomic<bool> ready_{false};
    RECT rect_{};
    std::mutex mutex_;
    std::vector<DroppedData> drops_;
};

TEST(DragDropHarness, DeliversEveryPathInOrderAndNoText) {
    DropWindow target;
    const std::vector<std::wstring> files{L"C:\\a.txt", L"C:\\My Documents\\b c.txt", L"D:\\資料\\予算 案.txt"};
    const DragOutcome dropped = DropFilesAt(target.Centre(), files);
    EXPECT_EQ(dropped.result, DRAGDROP_S_DROP);
    EXPECT_EQ(dropped.effect, static_cast<DWORD>(DROPEFFECT_COPY));

    ASSERT_TRUE(WaitUntil([&] { return target.Drops().size() == 1; }, std::chrono::seconds(5)));
    EXPECT_TRUE(target.Drops()[0].OffersFileList);
    EXPECT_EQ(target.Drops()[0].Files,
              (std::vector<std::string>{"C:\\a.txt", "C:\\My Documents\\b c.txt", "D:\\資料\\予算 案.txt"}));

    // Offered no effect, the drag ends with a DragLeave: text never reaches the handler.
    const DragOutcome text = DropTextAt(target.Centre(), L"ただの文字");
    EXPECT_EQ(text.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(NotUntilProvoked([&] { return target.Drops().size() != 1; }, std::chrono::seconds(1),
                               [&] { DropFilesAt(target.Centre(), files); }), "");
}

}  // namespace
}  // namespace yomorina::e2e

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/ShellBrowser.h"
#include "tests/e2e/Harness.h"
#include "tests/platform/TempFolder.h"

namespace yomorina {
namespace {

using namespace std::chrono_literals;

using e2e::PumpUntil;

class QuitRecorder final : public BrowserQuitListener {
public:
    std::vector<BrowserInstance*> quits;
    std::function<void(BrowserInstance&)> onQuit;
    void OnQuit(BrowserInstance& instance) override {
        quits.push_back(&instance);
        if (onQuit) onQuit(instance);
    }
};

class ShellBrowserTest : public ::testing::Test {
protected:
    void SetUp() override { OleInitialize(nullptr); }
    void TearDown() override { OleUninitialize(); }
    testing::TempFolder folder{L"shell-browser"};
};

// An existing page reaching the shell is shown by the about box's tests, with the handlers pointed at a log.
// An error box would hold the request inside the shell: it runs on a thread of its own, and a box is closed once seen.
TEST_F(ShellBrowserTest, AMissingFileFailsAtOnceWithoutAnErrorBox) {
    const std::string path = folder.ChildUtf8(L"ない.html");
    win32::ShellRequest missing;
    std::atomic<int> returned{0};
    std::thread request([&] { missing = win32::OpenThroughShell(path), ++returned; });
    // The same request as the shell makes it by default, with its error box.
    const std::wstring file = win32::ToWide(path);
    SHELLEXECUTEINFOW withBox{};
    withBox.cbSize = sizeof(withBox);
    withBox.lpFile = file.c_str();
    std::thread boxed;
    const auto provoke = [&] { boxed = std::thread([&] { ShellExecuteExW(&withBox), ++returned; }); };
    const auto boxShown = [] { return !e2e::DialogsOf(GetCurrentProcessId()).empty(); };
    EXPECT_EQ(e2e::NotUntilProvoked(boxShown, 2s, provoke, PumpUntil), "");
    // However late a box comes, it is closed before the threads are waited for.
    PumpUntil([&] {
        for (HWND box : e2e::DialogsOf(GetCurrentProcessId())) PostMessageW(box, WM_CLOSE, 0, 0);
        return returned == (boxed.joinable() ? 2 : 1);
    }, 30s);
    request.join();
    if (boxed.joinable()) boxed.join();
    EXPECT_FALSE(missing.done);
    EXPECT_EQ(missing.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(missing.process);
}

TEST_F(ShellBrowserTest, AnInstanceWhoseRequestStartedNothingQuitsThroughTheMessageQueue) {
    win32::ShellBrowser browser(GetModuleHandleW(nullptr));
    QuitRecorder recorder;
    std::unique_ptr<BrowserInstance> instance = browser.CreateInstance(recorder);
    instance->Navigate(folder.ChildUtf8(L"ない.html"));
    instance->SetVisible(true);
    // Never from inside Navigate: the caller's sequence runs to its end first.
    EXPECT_TRUE(recorder.quits.empty());

    ASSERT_TRUE(PumpUntil([&] { return !recorder.quits.empty(); }, 5s));
    EXPECT_EQ(recorder.quits.front(), instance.get());
    const auto another = browser.CreateInstance(recorder);
    EXPECT_EQ(e2e::NotUntilProvoked([&] { return recorder.quits.size() != 1; }, 1s,
                                    [&] { another->Navigate(folder.ChildUtf8(L"ない.html")); }, PumpUntil), "");
    EXPECT_EQ(recorder.quits.back(), another.get());
}

TEST_F(ShellBrowserTest, AReleasedInstanceRaisesNothingAndTheListenerMayReleaseTheOneThatQuit) {
    win32::ShellBrowser browser(GetModuleHandleW(nullptr));
    QuitRecorder recorder;
    std::unique_ptr<BrowserInstance> older = browser.CreateInstance(recorder);
    older->Navigate(folder.ChildUtf8(L"ない.html"));
    older.reset();

    std::unique_ptr<BrowserInstance> newer = browser.CreateInstance(recorder);
    BrowserInstance* newerAddress = newer.get();
    recorder.onQuit = [&](BrowserInstance&) { newer.reset(); };
    newer->Navigate(folder.ChildUtf8(L"ない.html"));

    ASSERT_TRUE(PumpUntil([&] { return newer == nullptr; }, 5s));
    const auto another = browser.CreateInstance(recorder);
    EXPECT_EQ(e2e::NotUntilProvoked([&] { return recorder.quits.size() != 1; }, 1s,
                                    [&] { another->Navigate(folder.ChildUtf8(L"ない.html")); }, PumpUntil), "");
    EXPECT_EQ(recorder.quits.front(), newerAddress);
}

TEST_F(ShellBrowserTest, AnInstanceWhoseRequestStartedAProgramQuitsWhenThatProgramEnds) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    win32::ShellBrowser browser(GetModuleHandleW(nullptr));
    QuitRecorder recorder;
    std::unique_ptr<BrowserInstance> instance = browser.CreateInstance(recorder);
    instance->Navigate(win32::ToUtf8(std::wstring(system) + L"\\notepad.exe"));
    instance->SetVisible(true);

    HWND notepad = nullptr;
    struct CloseLeftOver {
        ~CloseLeftOver() {
            if (HWND left = FindWindowW(L"Notepad", nullptr)) PostMessageW(left, WM_CLOSE, 0, 0);
        }
    } closeLeftOver;
    ASSERT_TRUE(PumpUntil([&] { return (notepad = FindWindowW(L"Notepad", nullptr)) != nullptr; }, 10s));
    // Until the user closes the window the request opened.
    EXPECT_EQ(e2e::NotUntilProvoked([&] { return !recorder.quits.empty(); }, 5s,
                                    [&] { PostMessageW(notepad, WM_CLOSE, 0, 0); }, PumpUntil), "");
    ASSERT_FALSE(recorder.quits.empty());
    EXPECT_EQ(recorder.quits.front(), instance.get());
}

}  // namespace
}  // namespace yomorina

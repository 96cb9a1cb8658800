#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/win32/base/SystemError.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/SingleInstance.h"
#include "platform/win32/desktop/UserAttention.h"
#include "platform/win32/files/CodePage932.h"
#include "platform/win32/files/ExecutableFolder.h"
#include "platform/win32/resident/KeyboardLayouts.h"
#include "tests/e2e/Harness.h"
#include "tests/support/CodePage932Cases.h"

namespace yomorina {
namespace {

TEST(CodePage932, ReadsAndWritesAsWrittenOutWithoutBestFit) {
    const win32::CodePage932 codePage;
    for (const auto& [bytes, text] : testing::CodePage932Readings) EXPECT_EQ(codePage.ToUtf8(bytes), text) << text;
    for (const auto& [text, bytes] : testing::CodePage932Writings) EXPECT_EQ(codePage.FromUtf8(text), bytes) << text;
}

TEST(SystemError, AComResultEndsInItsEightHexDigitsAndAWrappedSystemErrorReadsAsThatError) {
    EXPECT_TRUE(win32::DescribeComError(E_FAIL).ends_with("(0x80004005)")) << win32::DescribeComError(E_FAIL);
    EXPECT_TRUE(win32::DescribeComError(S_FALSE).ends_with("(0x00000001)")) << win32::DescribeComError(S_FALSE);
    EXPECT_EQ(win32::DescribeComError(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)), win32::DescribeSystemError(ERROR_ACCESS_DENIED));
}

TEST(SingleInstance, OnlyTheFirstHolderInASessionIsFirst) {
    win32::SingleInstance first;
    ASSERT_TRUE(first.IsFirst());
    win32::SingleInstance second;
    EXPECT_FALSE(second.IsFirst());
}

TEST(ExecutableFolder, HasNoTrailingBackslash) {
    const std::string folder = win32::ExecutableFolder().Path();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder[1], ':');
    if (folder.size() > 3) {
        EXPECT_NE(folder.back(), '\\');
    }
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(win32::ToUtf8(module).rfind(folder, 0), 0u);
}

// Wine's one layout, US: a character, none for a control character or a key
// that types nothing, and one more where a test imitates it.
TEST(KeyboardLayouts, APrintableCharacterCountsAndAControlCharacterNot) {
    const win32::KeyboardLayouts layouts({0x0600 | 'Q'});
    for (const auto& [key, types] : std::vector<std::pair<std::uint16_t, bool>>{
             {'A', true}, {0x0100 | '1', true}, {0x0200 | 'S', false}, {0x0600 | 'Y', false}, {VK_F5, false}, {0x0600 | 'Q', true}}) {
        EXPECT_EQ(layouts.TypesACharacter(key), types) << key;
    }
}

using e2e::UniqueWindow;

UniqueWindow InFront(DWORD style, const RECT& area, HWND owner = nullptr, const wchar_t* windowClass = L"STATIC") {
    return e2e::WindowInFront(L"前面", area, style, owner, windowClass);
}

RECT PrimaryMonitor() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcMonitor;
}

// Here the test process plays the full-screen program, so the check is told
// that a process no window belongs to is the one to leave alone.
const win32::UserAttention otherProgramsCount(~DWORD{0});

TEST(UserAttention, AWindowCoveringItsWholeMonitorCountsWithItsOwnWindowsButNotOurs) {
    const auto fullScreen = InFront(WS_POPUP, PrimaryMonitor());
    ASSERT_EQ(GetForegroundWindow(), fullScreen.get());
    EXPECT_TRUE(otherProgramsCount.ForegroundIsFullScreen());
    EXPECT_FALSE(win32::UserAttention().ForegroundIsFullScreen()) << "our own overlay is full-screen too";

    const auto itsMessage = InFront(WS_POPUP | WS_CAPTION, {100, 100, 400, 250}, fullScreen.get());
    ASSERT_EQ(GetForegroundWindow(), itsMessage.get());
    EXPECT_TRUE(otherProgramsCount.ForegroundIsFullScreen());

    // Older toolkits own every form by a hidden application window, here as large as the monitor.
    const RECT monitor = PrimaryMonitor();
    UniqueWindow hiddenOwner(CreateWindowExW(0, L"STATIC", L"アプリ", WS_POPUP, monitor.left, monitor.top,
                                             monitor.right - monitor.left, monitor.bottom - monitor.top, nullptr,
                                             nullptr, GetModuleHandleW(nullptr), nullptr),
                             &DestroyWindow);
    const auto smallForm = InFront(WS_POPUP | WS_CAPTION, {100, 100, 400, 250}, hiddenOwner.get());
    ASSERT_EQ(GetForegroundWindow(), smallForm.get());
    EXPECT_FALSE(otherProgramsCount.ForegroundIsFullScreen()) << "the hidden owner is on no screen";
    const auto fullScreenForm = InFront(WS_POPUP, monitor, hiddenOwner.get());
    ASSERT_EQ(GetForegroundWindow(), fullScreenForm.get());
    EXPECT_TRUE(otherProgramsCount.ForegroundIsFullScreen());
    const auto formsMessage = InFront(WS_POPUP | WS_CAPTION, {100, 100, 400, 250}, fullScreenForm.get());
    ASSERT_EQ(GetForegroundWindow(), formsMessage.get());
    EXPECT_TRUE(otherProgramsCount.ForegroundIsFullScreen());

    // Wine cloaks nothing: the window manager's answer is imitated.
    EXPECT_FALSE(win32::UserAttention::IsCloaked(fullScreen.get()));
    const win32::UserAttention onAnotherDesktop(~DWORD{0}, [](HWND) noexcept { return true; });
    EXPECT_FALSE(onAnotherDesktop.ForegroundIsFullScreen());
}

// A maximized window's frame reaches past the monitor's edges, and one that
// draws its own title bar fills it; a window stopping at the taskbar leaves
// the bottom uncovered.
TEST(UserAttention, NormalMaximizedAndShortWindowsAndTheDesktopDoNotCount) {
    RECT shortOfTheBottom = PrimaryMonitor();
    shortOfTheBottom.bottom -= 30;
    // The shell's desktop windows cover the monitor; Wine's never come to the front,
    // so windows of their classes stand in.
    for (const wchar_t* shellClass : {L"Progman", L"WorkerW"}) {
        const WNDCLASSW windowClass{0, &DefWindowProcW, 0, 0, GetModuleHandleW(nullptr), {}, {}, {}, {}, shellClass};
        RegisterClassW(&windowClass);
    }
    for (const auto& [style, area, windowClass] : {std::tuple<DWORD, RECT, const wchar_t*>{
                                                       WS_OVERLAPPEDWINDOW, {100, 100, 500, 400}, L"STATIC"},
                                                   {WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, {100, 100, 500, 400}, L"STATIC"},
                                                   {WS_POPUP | WS_MAXIMIZE, {100, 100, 500, 400}, L"STATIC"},
                                                   {WS_POPUP, shortOfTheBottom, L"STATIC"},
                                                   {WS_POPUP, PrimaryMonitor(), L"Progman"},
                                                   {WS_POPUP, PrimaryMonitor(), L"WorkerW"}}) {
        const auto window = InFront(style, area, nullptr, windowClass);
        ASSERT_EQ(GetForegroundWindow(), window.get());
        EXPECT_FALSE(otherProgramsCount.ForegroundIsFullScreen()) << std::hex << style << win32::ToUtf8(windowClass);
    }
    // With nothing else there, the desktop comes to the front, covering the whole monitor.
    SetForegroundWindow(GetDesktopWindow());
    ASSERT_TRUE(e2e::WaitUntil([] { return GetForegroundWindow() == GetDesktopWindow(); }, std::chrono::seconds(5)));
    EXPECT_FALSE(otherProgramsCount.ForegroundIsFullScreen());
}

}  // namespace
}  // namespace yomorina

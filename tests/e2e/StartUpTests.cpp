#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>

#include "core/ListFile.h"
#include "options/OptionsTexts.h"
#include "platform/win32/MouseWatch.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32OptionsDialog.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/Tray.h"

namespace yomorina::e2e {
namespace {

using namespace std::chrono_literals;

TEST(StartUp, AnEmptyFolderGetsTheDefaultListFileAndOnlyTheNotificationIcon) {
    ASSERT_TRUE(TrayClearOfOurIcon()) << "another icon is in the way";
    ProgramUnderTest app(L"fresh");
    app.Start();
    HWND main = app.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return app.ReadFile(L"filelist.txt").size() == 142; }, 10s));
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), DefaultListFileBytes());
    for (HWND window : TopLevelWindowsOf(app.Running().Id())) EXPECT_FALSE(IsWindowVisible(window)) << ClassOf(window);

    EXPECT_TRUE(WaitUntil(TrayShowsOurIcon, 10s));
    SaveScreenshot("startup-tray-icon");
    EXPECT_EQ(TrayTipUnderPointer(), L"ヨモリナ");

    EXPECT_TRUE(app.Close());
    EXPECT_TRUE(WaitUntil([] { return !TrayShowsOurIcon(); }, 10s)) << "the icon stayed after the program ended";
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), DefaultListFileBytes());
}

// A user who cannot find the icon starts the program again.
TEST(StartUp, ASecondStartEndsAtOnceAndTheFirstShowsItsOptionsOrBringsThemToTheFront) {
    ProgramUnderTest first(L"first");
    ASSERT_NE(first.StartResident(), nullptr);

    ProgramUnderTest second(L"second");
    const auto startAgain = [&] {
        Process& again = second.Start();
        ASSERT_TRUE(again.Started());
        EXPECT_TRUE(again.WaitForExit(5s));
    };
    startAgain();
    EXPECT_EQ(second.ReadFile(L"filelist.txt"), "") << "the second copy touched its folder";
    const HWND options = WaitForWindow(first.Running().Id(), win32::ToWide(OptionsCaption));
    ASSERT_NE(options, nullptr);

    {
        const UniqueWindow other = WindowInFront(L"別のプログラム", {0, 0, 300, 200});
        ASSERT_NE(other, nullptr);
        startAgain();
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == options; }, 5s));
    }
    ClickButton(options, win32::options_ids::CancelButton);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 5s));
    EXPECT_TRUE(TrayShowsOurIcon());
    EXPECT_TRUE(first.Close());
}

TEST(StartUp, AnExistingJapaneseListIsReadAndLeftUntouched) {
    ProgramUnderTest app(L"japanese");
    std::string file = " 250 \r\n 3 \r\n 2 \r\n";
    file += "\x83\x81\x83\x82\x92\xA0\r\nC:\\windows\\notepad.exe\r\n";  // メモ帳
    file += "\x95\x5C\x8C\x76\x8E\x5A\r\nC:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.exe\r\n";  // 表計算, C:\ソフト\表.exe
    for (int i = 0; i < 56; ++i) file += "\r\n";
    file += " 3 \r\n";
    app.WriteFile(L"filelist.txt", file);

    ASSERT_NE(app.StartResident(), nullptr);
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), file);
    // What was read shows in the options (the names show in the tiles' captions: Scatter's tests).
    const HWND options = OpenOptions(app.Running().Id());
    ASSERT_NE(options, nullptr);
    const auto position = [&](int slider) { return SendMessageW(GetDlgItem(options, slider), TBM_GETPOS, 0, 0); };
    EXPECT_EQ((std::array<LRESULT, 3>{position(win32::options_ids::DistanceSlider),
                                      position(win32::options_ids::LeadInSlider),
                                      position(win32::options_ids::ScatterSlider)}),
              (std::array<LRESULT, 3>{250, 3, 2}));
    EXPECT_EQ(SendMessageW(GetDlgItem(options, win32::options_ids::FirstPatternButton + 3), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    ClickButton(options, win32::options_ids::CancelButton);
    EXPECT_TRUE(app.Close());
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), file);
}

TEST(StartUp, APointerRestingWhereItWasAtTheStartIsNoShake) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    ProgramUnderTest app(L"still");
    // Distance 20 and a lead-in of one: the first fast tick would bring up the overlay.
    app.WriteListFile({20, 1, 1, 0});
    SetCursorPos(width / 2, height / 2);
    if (win32::MovementReportsMissSomeMoves()) GTEST_SKIP() << "here the timer never stops";
    const TestQueriesOn queries;
    const HWND main = app.StartResident();
    ASSERT_NE(main, nullptr);

    const auto overlayShown = [&] {
        for (HWND window : TopLevelWindowsOf(app.Running().Id())) {
            const RECT rect = RectOf(window);
            if (IsWindowVisible(window) && rect.right - rect.left >= width && rect.bottom - rect.top >= height) {
                return true;
            }
        }
        return false;
    };
    // The overlay would come at the first tick, and a program on screen never rests.
    ASSERT_TRUE(WaitUntil([&] { return Resting(main); }, 10s)) << "the program never rested";
    EXPECT_FALSE(overlayShown()) << "the overlay came up with the pointer at rest";
    // One move beyond the distance is a shake.
    MovePointerTo({width / 2 + 100, height / 2});
    EXPECT_TRUE(WaitUntil(overlayShown, 10s));
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace yomorina::e2e

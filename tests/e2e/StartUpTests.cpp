#include <windows.h>

#include <gtest/gtest.h>

#include "core/Texts.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/dialogs/OptionsWindow.h"
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
    std::string newFile = " 100 \r\n 5 \r\n 1 \r\n";
    for (int i = 0; i < 60; ++i) newFile += "\r\n";
    newFile += " 0 \r\n";
    ASSERT_TRUE(WaitUntil([&] { return app.ReadFile(L"filelist.txt").size() == 142; }, 10s));
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), newFile);
    for (HWND window : TopLevelWindowsOf(app.Running().Id())) EXPECT_FALSE(IsWindowVisible(window)) << ClassOf(window);

    EXPECT_TRUE(WaitUntil(TrayShowsOurIcon, 10s));
    SaveScreenshot("startup-tray-icon");
    EXPECT_EQ(TrayTipUnderPointer(), L"ヨモリナ");

    EXPECT_TRUE(app.Close());
    EXPECT_TRUE(WaitUntil([] { return !TrayShowsOurIcon(); }, 10s)) << "the icon stayed after the program ended";
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), newFile);
}

// A user who cannot find the icon starts the program again.
TEST(StartUp, ASecondStartEndsAtOnceAndTheFirstShowsItsOptionsOrBringsThemToTheFront) {
    ProgramUnderTest first(L"first");
    ASSERT_NE(first.StartResident(), nullptr);

    ProgramUnderTest second(L"second");
    const auto startAgain = [&] {
        Process& again = second.Start();
        ASSERT_TRUE(again.Started());
        EXPECT_TRUE(again.WaitForExit(20s));
    };
    startAgain();
    EXPECT_EQ(second.ReadFile(L"filelist.txt"), "") << "the second copy touched its folder";
    const HWND options = WaitForWindow(first.Running().Id(), win32::ToWide(Text(TextId::OptionsCaption)));
    ASSERT_NE(options, nullptr);

    {
        const UniqueWindow other = WindowInFront(L"別のプログラム", {0, 0, 300, 200});
        ASSERT_NE(other, nullptr);
        startAgain();
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == options; }, 5s));
    }
    ShowWindow(options, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(options); }, 5s));
    startAgain();
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(options) && GetForegroundWindow() == options; }, 5s)) << "minimized";
    ClickButton(options, win32::options_ids::CancelButton);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, 5s));
    EXPECT_TRUE(TrayShowsOurIcon());
    EXPECT_TRUE(first.Close());
}

}  // namespace
}  // namespace yomorina::e2e

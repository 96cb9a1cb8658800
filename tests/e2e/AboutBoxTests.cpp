#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"
#include "tests/e2e/Tray.h"

namespace yomorina::e2e {
namespace {

using namespace std::chrono_literals;

// The text of the first child whose text holds part, or empty.
std::wstring ChildTextHolding(HWND parent, const std::wstring& part) {
    for (HWND child : ChildrenOf(parent)) {
        if (const std::wstring text = TextOf(child); text.find(part) != std::wstring::npos) return text;
    }
    return L"";
}

// Modal over the options dialog that opened it; its own window's behaviour is seen by the platform tests.
TEST(AboutBox, TheVersionButtonShowsItModalOverTheOptionsAndHelpWithItsPageMissingSaysSo) {
    ProgramUnderTest app(L"about-help");
    ASSERT_NE(app.StartResident(), nullptr);
    const std::wstring help = app.Folder().Child(L"help.html");
    DeleteFileW(help.c_str());
    ASSERT_EQ(GetFileAttributesW(help.c_str()), INVALID_FILE_ATTRIBUTES);

    const HWND options = OpenOptions(app.Running().Id());
    ASSERT_NE(options, nullptr);
    ClickButton(ChildWithText(options, L"バージョン"));
    const HWND about = WaitForWindow(app.Running().Id(), L"バージョン情報");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), options);
    EXPECT_FALSE(IsWindowEnabled(options));
    SaveScreenshotOf(about, "about-box-over-options");

    ClickButton(ChildWithText(about, L"ヘルプ"));
    const HWND error = WaitForWindow(app.Running().Id(), L"エラー");
    ASSERT_NE(error, nullptr) << "no reaction to ヘルプ";
    EXPECT_EQ(ChildTextHolding(error, L"help.html"), L"ヘルプ ファイルが見つかりません。\n" + help);
    SaveScreenshot("about-box-help-missing");

    ClickButton(ChildWithText(error, L"OK"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(error); }, 5s));
    EXPECT_TRUE(IsWindowVisible(about));
    ClickButton(ChildWithText(about, L"閉じる"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5s));
    EXPECT_TRUE(IsWindowEnabled(options) && IsWindowVisible(options));
    PostMessageW(options, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5s));
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace yomorina::e2e

#include <gtest/gtest.h>

#include "core/ListFile.h"
#include "tests/e2e/Harness.h"

namespace yomorina::e2e {
namespace {

using namespace std::chrono_literals;

TEST(StartUp, AnEmptyFolderGetsTheDefaultListFileAndAHiddenMainWindow) {
    App app(L"fresh");
    app.Start();
    HWND main = app.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return app.ReadFile(L"filelist.txt").size() == 142; }, 10s));
    EXPECT_EQ(app.ReadFile(L"filelist.txt"), DefaultListFileBytes());
    EXPECT_FALSE(IsWindowVisible(main));
    for (HWND window : TopLevelWindowsOf(app.Running().Id())) EXPECT_FALSE(IsWindowVisible(window)) << ClassOf(window);
    SaveScreenshot("startup-fresh-folder");
    EXPECT_TRUE(app.Close());
}

}  // namespace
}  // namespace yomorina::e2e

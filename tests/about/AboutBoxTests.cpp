#include "about/AboutBox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/FakeBrowser.h"
#include "tests/support/Fakes.h"
#include "tests/support/Speaking.h"

namespace yomorina {
namespace {

using ::testing::ElementsAre;
using namespace yomorina::testing;

class AboutBoxTest : public ::testing::Test {
protected:
    FakeAboutWindow window;
    FakeBrowser browser;
    FakeExecutableFolder executableFolder;
    FakeDirectorySearch search;
    FakeMessageBoxes messages;
    AboutBox about{window, browser, executableFolder, search, messages};

    void SetUp() override { search.existing = {"C:\\Tools\\Yomorina\\help.html", "E:\\help.html"}; }
};

TEST(HelpPageAddress, JoinsTheFolderAndTheFileNameWithExactlyOneBackslash) {
    EXPECT_EQ(HelpPageAddress("C:\\Tools\\Yomorina"), "C:\\Tools\\Yomorina\\help.html");
    EXPECT_EQ(HelpPageAddress("D:\\"), "D:\\help.html");
    EXPECT_EQ(HelpPageAddress("\\\\server\\share\\"), "\\\\server\\share\\help.html");
    EXPECT_EQ(HelpPageAddress("C:\\ソフト\\表"), "C:\\ソフト\\表\\help.html");
    const Speaking english(EnglishTexts);
    EXPECT_EQ(HelpPageAddress("D:\\"), "D:\\help-en.html") << "the page of the user's language";
}

// Help and the home page show a new instance; the mail address is handed to one that stays hidden.
TEST_F(AboutBoxTest, EachActionOpensItsAddressInANewInstance) {
    const std::pair<void (AboutBox::*)(), std::vector<std::string>> cases[] = {
        {&AboutBox::OnHelp, {"create 1", "navigate 1 C:\\Tools\\Yomorina\\help.html", "visible 1 true"}},
        {&AboutBox::OnHomePage, {"create 1", "navigate 1 https://www.example.com/", "visible 1 true"}},
        {&AboutBox::OnMailAddress, {"create 1", "navigate 1 mailto:zuno@example.com"}},
    };
    for (const auto& [action, calls] : cases) {
        FakeBrowser fresh;
        AboutBox box{window, fresh, executableFolder, search, messages};
        (box.*action)();
        EXPECT_EQ(fresh.calls, calls);
        EXPECT_EQ(box.CurrentBrowser(), fresh.Live(1));
    }
    EXPECT_EQ(window.closes, 0);
}

TEST_F(AboutBoxTest, HelpWithThePageMissingSaysWhichFileAndOpensNothing) {
    search.existing.clear();
    about.OnHelp();
    EXPECT_EQ(messages.shown, (ShownMessages{{"ヘルプ ファイルが見つかりません。\nC:\\Tools\\Yomorina\\help.html", "エラー",
                                             MessageButtons::Ok}}));
    EXPECT_TRUE(browser.calls.empty());
    EXPECT_EQ(about.CurrentBrowser(), nullptr);

    // The links do not depend on the page.
    about.OnHomePage();
    about.OnMailAddress();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(2));
}

TEST_F(AboutBoxTest, HelpTwiceKeepsTheNewerInstanceUntilItQuits) {
    about.OnHelp();
    about.OnHelp();
    // The second instance exists before the first is let go; its window is never closed.
    EXPECT_THAT(browser.calls, ElementsAre("create 1", "navigate 1 C:\\Tools\\Yomorina\\help.html", "visible 1 true",
                                           "create 2", "release 1", "navigate 2 C:\\Tools\\Yomorina\\help.html",
                                           "visible 2 true"));

    browser.Quit(1);
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(2));
    ASSERT_NE(about.CurrentBrowser(), nullptr);

    browser.Quit(2);
    EXPECT_EQ(about.CurrentBrowser(), nullptr);
    EXPECT_EQ(browser.calls.back(), "release 2");
}

TEST_F(AboutBoxTest, AnInstanceThatEndsWhileNavigatingIsNotShownAndLeavesNothingBehind) {
    browser.quitWhileNavigating = true;
    about.OnHelp();
    EXPECT_THAT(browser.calls, ElementsAre("create 1", "navigate 1 C:\\Tools\\Yomorina\\help.html", "release 1"));
    EXPECT_EQ(about.CurrentBrowser(), nullptr);

    // The next action starts over with a fresh instance.
    browser.quitWhileNavigating = false;
    about.OnHomePage();
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(2));
}

TEST_F(AboutBoxTest, CloseOnlyClosesTheWindowAndLeavesTheBrowserAlone) {
    about.OnHelp();
    const auto callsBefore = browser.calls;
    about.OnClose();
    EXPECT_EQ(window.closes, 1);
    EXPECT_EQ(browser.calls, callsBefore);
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(1));
}

}  // namespace
}  // namespace yomorina

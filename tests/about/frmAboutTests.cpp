#include "about/frmAbout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "about/MakerLinks.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/Fakes.h"

namespace yomorina {
namespace {

using ::testing::ElementsAre;
using namespace yomorina::testing;

class frmAboutTest : public ::testing::Test {
protected:
    FakeAboutWindow window;
    FakeBrowser browser;
    FakeProcessInfo process;
    FakeDirectorySearch search;
    FakeMessageBoxes messages;
    frmAbout about{window, browser, process, search, messages};

    void SetUp() override { search.existing = {"C:\\Tools\\Yomorina\\help.html", "E:\\help.html"}; }
};

TEST(HelpPageAddress, JoinsTheFolderAndTheFileNameWithExactlyOneBackslash) {
    EXPECT_EQ(HelpPageAddress("C:\\Tools\\Yomorina"), "C:\\Tools\\Yomorina\\help.html");
    EXPECT_EQ(HelpPageAddress("D:\\"), "D:\\help.html");
    EXPECT_EQ(HelpPageAddress("\\\\server\\share\\"), "\\\\server\\share\\help.html");
    EXPECT_EQ(HelpPageAddress("C:\\ソフト\\表"), "C:\\ソフト\\表\\help.html");
}

TEST_F(frmAboutTest, HelpOpensTheProgramFoldersPageInANewVisibleInstance) {
    about.Command2_Click();
    EXPECT_THAT(browser.calls,
                ElementsAre("create 1", "navigate 1 C:\\Tools\\Yomorina\\help.html", "visible 1 true"));
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(1));
    EXPECT_EQ(window.closes, 0);
}

TEST_F(frmAboutTest, HelpFromADriveRootDoesNotDoubleTheBackslash) {
    process.folder = "E:\\";
    about.Command2_Click();
    EXPECT_THAT(browser.calls, ElementsAre("create 1", "navigate 1 E:\\help.html", "visible 1 true"));
}

TEST_F(frmAboutTest, HelpWithThePageMissingSaysWhichFileAndOpensNothing) {
    search.existing.clear();
    about.Command2_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "ヘルプ ファイルが見つかりません。\nC:\\Tools\\Yomorina\\help.html");
    EXPECT_EQ(messages.shown[0].title, "エラー");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(browser.calls.empty());
    EXPECT_EQ(about.CurrentBrowser(), nullptr);

    // The links do not depend on the page.
    about.Label3_Click();
    about.Label5_Click();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(2));
}

TEST_F(frmAboutTest, TheHomePageLinkOpensTheAddressItShowsInANewVisibleInstance) {
    about.Label3_Click();
    EXPECT_THAT(browser.calls, ElementsAre("create 1", "navigate 1 " + std::string(MakerHomePage), "visible 1 true"));
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(1));
}

TEST_F(frmAboutTest, TheMailLinkHandsAMailtoAddressToAnInstanceThatStaysHidden) {
    about.Label5_Click();
    EXPECT_THAT(browser.calls, ElementsAre("create 1", "navigate 1 mailto:" + std::string(MakerMailAddress)));
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(1));
}

TEST_F(frmAboutTest, HelpTwiceKeepsTheNewerInstanceUntilItQuits) {
    about.Command2_Click();
    about.Command2_Click();
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

TEST_F(frmAboutTest, EachActionReplacesTheInstanceOfThePreviousOne) {
    about.Label5_Click();
    about.Label3_Click();
    browser.Quit(1);
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(2));
    about.Command2_Click();
    browser.Quit(2);
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(3));
}

TEST_F(frmAboutTest, AnInstanceThatEndsWhileNavigatingIsNotShownAndLeavesNothingBehind) {
    browser.quitWhileNavigating = true;
    about.Command2_Click();
    EXPECT_THAT(browser.calls, ElementsAre("create 1", "navigate 1 C:\\Tools\\Yomorina\\help.html", "release 1"));
    EXPECT_EQ(about.CurrentBrowser(), nullptr);

    // The next action starts over with a fresh instance.
    browser.quitWhileNavigating = false;
    about.Label3_Click();
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(2));
}

TEST_F(frmAboutTest, CloseOnlyClosesTheWindowAndLeavesTheBrowserAlone) {
    about.Command2_Click();
    const auto callsBefore = browser.calls;
    about.Command1_Click();
    EXPECT_EQ(window.closes, 1);
    EXPECT_EQ(browser.calls, callsBefore);
    EXPECT_EQ(about.CurrentBrowser(), browser.Live(1));
}

}  // namespace
}  // namespace yomorina

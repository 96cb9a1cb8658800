// Start-up, the notification icon, clearing and going away.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "tests/app/AppRig.h"

namespace yomorina {
namespace {

using ::testing::ElementsAre;
using namespace yomorina::testing;

using AppTest = AppRig;

TEST_F(AppTest, StartUpHidesEverythingThenLoadsTheListThenAddsTheIcon) {
    model.OptionsOpen = true;
    // Away from (0, 0), so that a state left unseeded shows.
    pointer.at = {640, 400};
    app.Start();

    EXPECT_EQ(journal.front(), "hide window");
    EXPECT_FALSE(overlay.visible);
    EXPECT_LT(Position("hide window"), Position("read C:\\Tools\\Yomorina\\filelist.txt"));
    EXPECT_LT(Position("read C:\\Tools\\Yomorina\\filelist.txt"), Position("tray add ヨモリナ"));
    EXPECT_EQ(journal.back(), "tray add ヨモリナ");

    EXPECT_FALSE(model.OptionsOpen);
    EXPECT_EQ(app.CurrentScatterState(), (ScatterState{{640, 400}, 0, 0, false}));
    EXPECT_EQ(model.Settings, (ScatterSettings{100, 5, 1, 0}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppTest, AListFileThatCannotBeCreatedOrReadIsReportedBeforeTheIconAppearsAndLeftAsItWas) {
    const std::string path = listFile.Path();
    for (const bool exists : {false, true}) {
        store = FakeFileStore{&journal};
        messages.shown.clear();
        store.failWrites = !exists;
        if (exists) store.unreadable[path] = "アクセスが拒否されました。 (5)";
        app.Start();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, "エラー");
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_NE(messages.shown[0].text.find(path), std::string::npos);
        EXPECT_TRUE(tray.present);
        EXPECT_EQ(model.Settings, (ScatterSettings{100, 5, 1, 0}));
        EXPECT_EQ(store.writes, exists ? 0 : 1) << "an unreadable list is never written over";
    }
}

TEST_F(AppTest, ClickingTheOverlayEndsTheScatter) {
    app.OnOverlayClick();
    EXPECT_THAT(journal, ElementsAre("hide window"));
}

TEST_F(AppTest, OnlyALeftOrRightPressOnTheIconEndsTheScatterAndOpensTheOptions) {
    app.OnTrayEvent(TrayPress::Other);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(optionsShown, 0);

    app.OnTrayEvent(TrayPress::LeftButtonDown);
    EXPECT_EQ(optionsShown, 1);
    EXPECT_TRUE(model.OptionsOpen);
    EXPECT_EQ(journal.front(), "hide window");

    // While the dialog is open further presses do nothing at all.
    journal.clear();
    app.OnTrayEvent(TrayPress::LeftButtonDown);
    app.OnTrayEvent(TrayPress::RightButtonDown);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(optionsShown, 1);

    model.OptionsOpen = false;
    app.OnTrayEvent(TrayPress::RightButtonDown);
    EXPECT_EQ(optionsShown, 2);

    // Another start of the program asks the same; an open dialog comes to the front.
    app.OnOptionsAsked();
    EXPECT_EQ(std::pair(optionsShown, optionsRaised), std::pair(2, 1));
    model.OptionsOpen = false;
    app.OnOptionsAsked();
    EXPECT_EQ(std::pair(optionsShown, optionsRaised), std::pair(3, 1));
}

// At sign-in the shell may not take the icon yet, nor the session service the request for its notices.
TEST_F(AppTest, WhatTheSystemRefusedIsAskedForAgainUntilItIsTakenAndThenNoMore) {
    tray.refusals = 2;
    window.sessionRefusals = 3;
    app.Start();
    for (const bool iconThere : {false, false, true}) {
        EXPECT_EQ(std::pair(tray.present, timer.retryingRefused), std::pair(iconThere, true));
        app.OnRetryRefused();
    }
    EXPECT_EQ(std::pair(tray.present, timer.retryingRefused), std::pair(true, false));
    EXPECT_EQ(std::pair(std::count(journal.begin(), journal.end(), "tray add ヨモリナ"), window.sessionRequests),
              std::pair(std::ptrdiff_t{3}, 4));

    // A restarted shell that refuses it at first is retried too; the session's notices are kept.
    tray.refusals = 1;
    app.OnTaskbarCreated();
    EXPECT_EQ(std::pair(timer.retryingRefused, window.sessionRequests), std::pair(true, 4));
}

TEST_F(AppTest, UnloadRemovesTheIconAndARestartedShellGetsItBack) {
    app.Start();
    journal.clear();
    app.OnTaskbarCreated();
    EXPECT_THAT(journal, ElementsAre("tray add ヨモリナ"));
    app.OnClosing();
    EXPECT_FALSE(tray.present);
    EXPECT_EQ(store.writes, 1);  // only the creation of the missing file; nothing is saved on the way out
}

}  // namespace
}  // namespace yomorina

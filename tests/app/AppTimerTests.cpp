// The timer tick as App carries it out: what reaches the window, and when a
// scatter ends because the overlay lost the focus.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "tests/app/AppRig.h"

namespace yomorina {
namespace {

using ::testing::ElementsAre;
using namespace yomorina::testing;

class AppTimerTest : public AppRig {
protected:
    void SetUp() override {
        app.Start();
        model.Settings = {40, 5, 1, 0};  // moves of 30 count during a scatter
        model.List[0] = {"メモ帳", "C:\\windows\\notepad.exe"};
        model.List[1] = {"なし", ""};
        model.List[2] = {"ゴミ箱", "ゴミ箱"};
        search.existing = {"C:\\windows\\notepad.exe"};
        journal.clear();
    }
    // Five ticks of 150 pixels to the right, ending at (x, y).
    void ShakeUntilTheOverlayShows(int x, int y) {
        for (int i = 4; i >= 0; --i) TickAt(x - 150 * i, y);
    }
};

TEST_F(AppTimerTest, AShakeShowsTheOverlayThenEachMoveBringsOutTheNextSlot) {
    model.Settings.BackgroundPattern = 3;
    ShakeUntilTheOverlayShows(800, 400);
    ASSERT_THAT(journal, ElementsAre("show overlay 3"));
    // Once, at the lead-in's first tick; the empty slot and the bin need no file system.
    EXPECT_THAT(search.begun, ElementsAre("C:\\windows\\notepad.exe"));
    // Still on: the switch away is asked after the overlay has shown and noted the front window.
    EXPECT_TRUE(app.CurrentScatterState().scattering);

    TickAt(830, 400);
    // The first tile out has the keyboard; the later ones leave it there.
    EXPECT_THAT(journal, ElementsAre("show overlay 3", "show tile 0", "focus tile 0"));
    const TilePlacement& tile = overlay.tiles[0];
    EXPECT_EQ(std::tie(tile.Left, tile.Top, tile.Path), std::tuple(830 - 80, 400 - 16, "C:\\windows\\notepad.exe"));
    EXPECT_EQ(std::tie(tile.CaptionLeft, tile.CaptionTop, tile.Name), std::tuple(830 - 80, 400 + 16, "メモ帳"));

    journal.clear();
    TickAt(860, 400);  // slot 1 is empty
    EXPECT_TRUE(journal.empty());
    TickAt(890, 400);
    EXPECT_THAT(journal, ElementsAre("show tile 2"));
    EXPECT_EQ(overlay.tiles[2].Picture, TilePicture::RecycleBin);
}

TEST_F(AppTimerTest, TheOverlayIsMadeReadyOnlyForTheTickThatMayStartAScatterAndLetGoOfIfItDoesNot) {
    for (int fastTicks = 3, x = 0; fastTicks <= 4; ++fastTicks) {
        for (int i = 0; i < fastTicks; ++i) TickAt(x += 150, 100);
        EXPECT_EQ(overlay.prepared, fastTicks == 4) << fastTicks;
        TickAt(x, 100);
        EXPECT_FALSE(overlay.prepared) << "the hand stopped: nothing is kept at rest";
    }
}

TEST_F(AppTimerTest, OnlyMovementAfterStartUpCountsAsAShake) {
    pointer.at = {640, 400};
    app.Start();
    model.Settings = {100, 1, 1, 0};
    journal.clear();
    TickAt(640, 400);
    TickAt(640, 400);
    EXPECT_TRUE(journal.empty()) << "the pointer parked where it was at start-up";
    TickAt(741, 400);
    EXPECT_THAT(journal, ElementsAre("show overlay 0"));
}

TEST_F(AppTimerTest, WhileTheOptionsDialogIsOpenTheTickDoesNothingAtAll) {
    TickAt(100, 100);
    const ScatterState before = app.CurrentScatterState();
    const int samples = pointer.samples;
    model.OptionsOpen = true;
    for (int i = 0; i < 12; ++i) TickAt(i % 2 ? 1200 : 0, 700);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(pointer.samples, samples) << "the pointer is not even looked at";
    EXPECT_EQ(app.CurrentScatterState(), before);
    EXPECT_TRUE(timer.running) << "a still pointer is only known from a sample";
    EXPECT_FALSE(timer.watching);
}

// The pointer's way to the options dialog and back, or across a locked
// session, a display change or a sleep, was seen by no tick: the next tick
// measures from where the pointer is then.
TEST_F(AppTimerTest, AfterTheOptionsCloseOrAnUnheardJumpTheNextTickMeasuresFromThere) {
    model.Settings = {40, 1, 1, 0};  // one fast tick brings the overlay
    for (const std::string jump : {"options closed", "unlock"}) {
        TickAt(100, 100);
        app.EndScatter();
        TickAt(100, 100);
        if (jump == "unlock") {
            app.OnPointerMayHaveJumped();
        } else {
            app.OnTrayEvent(TrayPress::LeftButtonDown);
            TickAt(500, 500);
            model.OptionsOpen = false;
        }
        EXPECT_TRUE(timer.running) << jump;
        TickAt(900, 600);
        EXPECT_FALSE(overlay.visible) << jump;
        TickAt(900 + 41, 600);
        EXPECT_TRUE(overlay.visible) << jump << ": the ticks go on from there";
        app.EndScatter();
    }
}

TEST_F(AppTimerTest, SwitchingAwayEndsTheScatterAtTheNextTick) {
    ShakeUntilTheOverlayShows(800, 400);
    TickAt(830, 400);
    ASSERT_TRUE(overlay.tileVisible[0]);

    overlay.switchedAway = true;
    journal.clear();
    TickAt(900, 400);
    EXPECT_FALSE(overlay.visible);
    EXPECT_FALSE(overlay.tileVisible[0]);
    EXPECT_FALSE(app.CurrentScatterState().scattering);
    EXPECT_EQ(app.CurrentScatterState().nextSlot, 0);

    // Idle, the switch changes nothing; the next scatter starts from slot 0.
    journal.clear();
    TickAt(900, 400);
    EXPECT_TRUE(journal.empty());
    ShakeUntilTheOverlayShows(1600, 400);
    TickAt(1630, 400);
    EXPECT_THAT(journal, ElementsAre("show overlay 0", "show tile 0", "focus tile 0"));
}

// At rest the timer stops until the mouse's next movement; the ticks decide as
// the 200 ms timer alone would.
TEST_F(AppTimerTest, AStillPointerStopsTheTimerAndItsNextMovementIsSampledAtOnceFromTheLastSample) {
    EXPECT_TRUE(timer.running) << "started with the program";
    TickAt(100, 100);
    EXPECT_TRUE(timer.running) << "one tick after the pointer comes to rest";
    TickAt(100, 100);
    EXPECT_FALSE(timer.running);
    EXPECT_TRUE(timer.watching);

    pointer.at = {250, 100};  // far, as after a long rest: one fast sample, like any other
    app.OnPointerMoved();
    EXPECT_TRUE(timer.running);
    EXPECT_FALSE(timer.watching);
    EXPECT_EQ(app.CurrentScatterState().shakeCount, 1);
    const int samples = pointer.samples;
    app.OnPointerMoved();  // queued before the watch stopped
    EXPECT_EQ(pointer.samples, samples);

    for (int x = 400; x <= 850; x += 150) TickAt(x, 100);
    EXPECT_THAT(journal, ElementsAre("show overlay 0")) << "the woken tick is one of the lead-in's five";
    TickAt(850, 100);
    EXPECT_TRUE(timer.running) << "the scatter is on screen";
    app.OnOverlayClick();
    TickAt(850, 100);
    EXPECT_FALSE(timer.running);

    // A report from a pointer that did not move (pushed against an edge) waits a full period.
    app.OnPointerMoved();
    EXPECT_TRUE(timer.running);
    EXPECT_FALSE(timer.watching);
    TickAt(850, 100);
    EXPECT_FALSE(timer.running);

    // Any message from the icon is a hand on the mouse, which a dropped watch
    // may have missed; and no call that may keep our thread waiting is made while
    // the mouse waits on a hook of ours, nor does a tick from inside it set one,
    // but afterwards the program is at rest again.
    app.OnTileClick(0);  // launched once at rest
    int callsMeanwhile = 0;
    bool hookedMeanwhile = false;
    shell.meanwhile = recycleBin.meanwhile = store.meanwhile = [&] {
        ++callsMeanwhile;
        TickAt(850, 100);
        hookedMeanwhile |= timer.watching;
    };
    const std::pair<std::function<void()>, bool> events[] = {
        {[&] { app.OnTrayEvent(TrayPress::Other); }, true}, {[&] { app.OnTaskbarCreated(); }, true},
        {[&] { app.OnRetryRefused(); }, true}, {[&] { shell.FinishSearches(); }, false},
        {[&] { app.OnTileDrop(2, {true, {"C:\\a.txt"}}); }, false}, {[&] { app.OnListFileChanged(); }, false}};
    for (std::size_t i = 0; i < std::size(events); ++i) {
        TickAt(850, 100);
        ASSERT_TRUE(timer.watching);
        events[i].first();
        EXPECT_EQ((std::pair{timer.running, timer.watching}), (std::pair{events[i].second, !events[i].second})) << i;
    }
    EXPECT_EQ(callsMeanwhile, 3);
    EXPECT_FALSE(hookedMeanwhile);
}

TEST_F(AppTimerTest, WhereNoMovementIsReportedTheTimerNeverStops) {
    timer.reportsExist = false;
    for (int i = 0; i < 5; ++i) TickAt(100, 100);
    EXPECT_TRUE(timer.running);
    TickAt(300, 100);
    EXPECT_EQ(app.CurrentScatterState().shakeCount, 1);
}

// The key shows the overlay at once and every tile a shake would once the
// lookup has answered or after four ticks; a shake adds nothing; the key again ends it.
TEST_F(AppTimerTest, TheCallKeyBringsEveryTileAtOnceWhenAnsweredAndAgainEndsIt) {
    model.List[3] = {"遅い", "\\\\nas\\slow.exe"};
    search.existing.insert("\\\\nas\\slow.exe");
    const struct {
        int answeredAtTick;  // -1: never
        int shownAtTick;
        bool slowTileOut;
    } cases[] = {{0, 0, true}, {2, 2, true}, {-1, 4, false}};
    for (const auto& c : cases) {
        search.unanswered = {};
        if (c.answeredAtTick != 0) search.unanswered.insert("\\\\nas\\slow.exe");
        pointer.at = {640, 400};
        journal.clear();
        app.OnCallKey();
        ASSERT_GE(journal.size(), 2u);
        EXPECT_EQ(Journal(journal.begin(), journal.begin() + 2), (Journal{"take the foreground", "show overlay 0"}))
            << "first of all, inside the key's own message";
        for (int tick = 1; tick <= c.shownAtTick; ++tick) {
            EXPECT_FALSE(overlay.tileVisible[0]) << "a tile before tick " << c.shownAtTick;
            if (tick == c.answeredAtTick) search.unanswered.clear();
            TickAt(640 + 300 * (tick % 2), 400);  // a hand moving meanwhile is no shake
        }
        Journal expected{"show tile 0", "focus tile 0", "show tile 2"};
        if (c.slowTileOut) expected.push_back("show tile 3");
        EXPECT_EQ(Journal(journal.end() - static_cast<std::ptrdiff_t>(expected.size()), journal.end()), expected);
        EXPECT_EQ(overlay.tiles[0].Left, 640 - (c.slowTileOut ? 132 : 88) + 28);
        journal.clear();
        for (int x = 700; x <= 2500; x += 150) TickAt(x, 400);
        EXPECT_TRUE(journal.empty()) << "a shake brought more";
        app.OnCallKey();
        EXPECT_FALSE(AnythingShown());
    }
}

// Held from the list, let go while the options are open; one another program
// holds, or that types a character, is done without, quietly.
TEST_F(AppTimerTest, TheCallKeyIsHeldExceptWhileTheOptionsAreOpen) {
    const ScatterSettings withKey{100, 5, 1, 0, 1625};
    store.files[listFile.Path()] = EncodeListFile(withKey, {}, codePage);
    app.Start();
    EXPECT_EQ(callKey.held, 1625);
    app.OnTrayEvent(TrayPress::LeftButtonDown);
    EXPECT_EQ(callKey.held, 0);
    app.OnCallKey();
    EXPECT_FALSE(overlay.visible) << "a press queued before the dialog opened";
    callKey.heldByOthers = {1625};
    app.Start();
    EXPECT_EQ(model.StoredCallKeyRefusal, CallKeyRefusal::HeldElsewhere) << "for the options to say";
    layouts.installed = {{1625}};
    app.Start();
    EXPECT_EQ(model.StoredCallKeyRefusal, CallKeyRefusal::TypesACharacter);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace yomorina

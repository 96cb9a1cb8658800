// Shaking the pointer over the desktop, as a person would, and watching the
// overlay and its tiles from outside.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/win32/base/WideText.h"
#include "platform/win32/resident/MouseWatch.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/Tray.h"

namespace yomorina::e2e {
namespace {

using namespace std::chrono_literals;

constexpr int ShakeY = 400;
constexpr int ShakeStartX = 100;
constexpr int Step = 25;

const std::vector<LaunchEntry>& Entries() {
    static const std::vector<LaunchEntry> entries{
        {"メモ帳", "C:\\windows\\notepad.exe"},
        {"空き", ""},
        {"消えた", "C:\\どこにもない\\gone.exe"},
        {"ウィンドウズ", "C:\\windows"},
        {"ゴミ箱", "ゴミ箱"},
    };
    return entries;
}

// What the frozen screen must show for a screen pixel s and the button face b.
Rgb Through(int pattern, Rgb s, Rgb b) {
    auto channel = [pattern](int screen, int face) {
        switch (pattern) {
        case 0: return screen;
        case 1: return screen ^ face;
        case 2: return screen | face;
        case 3: return screen & ~face & 0xFF;
        default: return face;
        }
    };
    return {channel(s.r, b.r), channel(s.g, b.g), channel(s.b, b.b)};
}

// The pixels after that the pattern's rule does not explain from those before; -1 for another size.
int PixelsAgainst(int pattern, const std::vector<Rgb>& before, const std::vector<Rgb>& after) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const Rgb b{GetRValue(face), GetGValue(face), GetBValue(face)};
    if (after.size() != before.size()) return -1;
    int wrong = 0;
    for (std::size_t i = 0; i < after.size(); ++i) wrong += !(after[i] == Through(pattern, before[i], b));
    return wrong;
}

// Parts of the screen that no tile reaches: the desktop above and the taskbar's start button.
std::vector<RECT> UntouchedAreas() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    return {RECT{0, 0, width, 150}, RECT{0, height - 30, 300, height}};
}

std::vector<Rgb> CaptureAreas() {
    std::vector<Rgb> all;
    for (const RECT& area : UntouchedAreas()) {
        const auto pixels = CapturePixels(area);
        all.insert(all.end(), pixels.begin(), pixels.end());
    }
    return all;
}

class Scatter : public ::testing::Test, protected Overlay {
protected:
    ProgramUnderTest app{L"scatter"};
    Hand hand{ShakeLine{{ShakeStartX, ShakeY}, Step}};
    std::vector<int> appeared;  // tiles in the order they came out
    std::vector<Rgb> screenBefore;
    const std::vector<LaunchEntry>& listed = Entries();
    // The empty slot and the missing file take their turn without a tile; the last shown is the bin.
    const std::vector<int> shown{0, 3, 4};

    void StartWithPattern(int pattern) {
        Launch(pattern);
        ASSERT_TRUE(WaitUntil(TrayShowsOurIcon, 10s));
        // A still pointer for a few ticks: nothing is counted yet.
        ASSERT_TRUE(hand.RestAtStart(main));
        ASSERT_FALSE(IsWindowVisible(Window()));
        screenBefore = CaptureAreas();
    }
    void Launch(int pattern) {
        ScatterSettings settings = QuickScatter;
        settings.BackgroundPattern = static_cast<std::int16_t>(pattern);
        app.WriteListFile(settings, listed);
        app.Start();
        main = app.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
    }

    // Shakes as a hand does, noting each tile as it comes out.
    bool ShakeUntil(const std::function<bool()>& done) {
        return hand.ShakeUntil(
            [&] {
                for (int i = 0; i < 30; ++i) {
                    if (IsShown(Tile(i)) && !TileIsOut(i)) appeared.push_back(i);
                }
                return done();
            },
            main, 20);
    }
    bool TileIsOut(int index) const { return std::find(appeared.begin(), appeared.end(), index) != appeared.end(); }

    // Counts the pixels of the untouched areas that the pattern's rule does not explain.
    int PixelsAgainstTheRule(int pattern) const { return PixelsAgainst(pattern, screenBefore, CaptureAreas()); }
    void ExpectScreenThroughPattern(int pattern) {
        int wrong = -1;
        WaitUntil([&] { return (wrong = PixelsAgainstTheRule(pattern)) == 0; }, 10s);
        EXPECT_EQ(wrong, 0) << "pixels that do not follow pattern " << pattern;
    }
};

TEST_F(Scatter, AShakeDropsTheEntriesInOrderBehindThePointer) {
    StartWithPattern(0);
    ASSERT_TRUE(ShakeUntil([&] { return IsWindowVisible(Window()); })) << "the overlay never came";

    ASSERT_TRUE(ShakeUntil([&] { return TileIsOut(shown.back()); }));
    ASSERT_TRUE(RestPointerAt(main, hand.At()));
    EXPECT_EQ(appeared, shown);

    // Moving right: a tile lands 64 pixels to the left of the pointer at its tick, level with it;
    // the recycle bin 32 pixels to the left and above. Tiles and distances take the monitor's scale.
    const int dpi = static_cast<int>(GetDpiForSystem());
    const int side = MulDiv(32, dpi, 96);
    for (int slot : shown) {
        const RECT tile = RectOf(Tile(slot));
        const bool bin = slot == shown.back();
        const int behind = MulDiv(bin ? 32 : 64, dpi, 96);
        const int pointerX = tile.left + behind + side / 2;
        EXPECT_EQ(tile.top, ShakeY - side / 2 - (bin ? behind : 0)) << slot;
        EXPECT_EQ(tile.right - tile.left, side);
        EXPECT_EQ(tile.bottom - tile.top, side);
        EXPECT_EQ(TextOf(Tile(slot)), win32::ToWide(listed[slot].Name)) << "the name a screen reader announces";
        EXPECT_EQ((pointerX - ShakeStartX) % Step, 0) << "not where the pointer was at a tick: " << slot;
        EXPECT_GT(pointerX, ShakeStartX) << slot;
        EXPECT_LE(pointerX, hand.At().x) << slot;
        EXPECT_EQ(win32::ToUtf8(TextOf(Caption(slot))), listed[slot].Name);
    }
    EXPECT_LT(RectOf(Tile(0)).left, RectOf(Tile(shown[1])).left);

    SaveScreenshot("scatter-pattern-0");
    ExpectScreenThroughPattern(0);
}

// Resting, the program takes no tick until the pointer moves; the first shake
// after that is counted from where the pointer rested, like any other.
TEST_F(Scatter, AShakeAfterALongRestBringsTheOverlayAndTilesAsBefore) {
    if (win32::MovementReportsMissSomeMoves()) GTEST_SKIP() << "here the timer never stops";
    StartWithPattern(0);
    ASSERT_TRUE(WaitUntil([&] { return Resting(main); }, 10s)) << "the timer never stopped";
    const auto ticks = [&] { return AskHandleCounts(main).value_or(win32::HandleCounts{}).ticks.taken; };
    const auto atRest = ticks();
    // The shake's first step wakes it.
    EXPECT_EQ(NotUntilProvoked([&] { return ticks() != atRest; }, 2s,
                               [&] { hand.ShakeUntil([] { return false; }, main, 1); }), "") << "ticks at rest";
    ASSERT_TRUE(ShakeUntil([&] { return TileIsOut(0); })) << "the overlay or the first tile never came";
    const RECT tile = RectOf(Tile(0));
    const int dpi = static_cast<int>(GetDpiForSystem());
    const int side = MulDiv(32, dpi, 96);
    EXPECT_EQ(tile.top, ShakeY - side / 2);
    EXPECT_EQ((tile.left + MulDiv(64, dpi, 96) + side / 2 - ShakeStartX) % Step, 0)
        << "not where the pointer was at a tick";
}

// Windows drops the hook of a program that answers the first move late, as one
// paged out over a long rest does (Wine does not: the drop is imitated, see
// docs/wine.md); the raw input still wakes it.
TEST_F(Scatter, AProgramStoppedWhileThePointerMovesAfterARestStillShakesOnceItRuns) {
    StartWithPattern(0);
    // Under Wine raw input reaches no one while no window is in front.
    const UniqueWindow front = WindowInFront(L"前", {0, 0, 200, 100});
    ASSERT_NE(front, nullptr);
    SendMessageW(main, RegisterWindowMessageW(win32::DropTheMouseHookName), 0, 0);
    WhileStopped(app.Running().Id(), [&] {
        const auto until = std::chrono::steady_clock::now() + 3s;
        hand.ShakeUntil([&] { return std::chrono::steady_clock::now() >= until; }, nullptr, 0);
    });
    EXPECT_TRUE(ShakeUntil([&] { return IsWindowVisible(Window()); })) << "the program slept through the shake";
}

TEST_F(Scatter, AltF4AndEscEndTheScatterAndOnlyAnotherProgramsCloseEndsTheLauncher) {
    StartWithPattern(0);
    for (const auto& keys : {std::vector<WORD>{VK_MENU, VK_F4}, std::vector<WORD>{VK_ESCAPE}}) {
        ASSERT_TRUE(hand.RestAtStart(main));
        ASSERT_TRUE(ShakeUntil([&] { return IsShown(Tile(0)); })) << "the first tile never came";
        PressKeys(keys);
        EXPECT_TRUE(WaitUntil([&] { return ShowsNothing(); }, 10s)) << "the overlay stayed";
    }
    const auto anotherProgramsClose = [&] { PostMessageW(main, WM_CLOSE, 0, 0); };
    EXPECT_EQ(NotUntilProvoked([&] { return !app.Running().IsRunning(); }, 2s, anotherProgramsClose), "")
        << "a key meant for the frozen screen ended the program, or another program's close did not";
    EXPECT_TRUE(WaitUntil([] { return !TrayShowsOurIcon(); }, 5s)) << "the icon stayed behind";
}

// Every entry that is there, out at once in a row centred on the resting pointer;
// Tab takes the focus rectangle off the first tile's edge; Esc or the key again ends it.
TEST_F(Scatter, TheCallKeyBringsEveryTileAtOnceAndEscOrTheKeyAgainEndsIt) {
    ScatterSettings settings = QuickScatter;
    settings.CallKey = 0x0600 | 'Y';  // Ctrl+Alt+Y
    app.WriteListFile(settings, listed);
    main = app.StartResident();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(RestPointerAt(main, {640, 400}));
    for (const auto& ending : {std::vector<WORD>{VK_ESCAPE}, std::vector<WORD>{VK_CONTROL, VK_MENU, 'Y'}}) {
        PressKeys({VK_CONTROL, VK_MENU, 'Y'});
        // The pointer never moves: every entry that is there, not the empty or the missing slot.
        const auto everyOneShown = [&] {
            return std::all_of(shown.begin(), shown.end(), [&](int i) { return IsShown(Tile(i)); });
        };
        ASSERT_TRUE(WaitUntil(everyOneShown, 5s));
        EXPECT_FALSE(IsShown(Tile(1)) || IsShown(Tile(2)));
        const RECT first = RectOf(Tile(shown.front()));
        const RECT last = RectOf(Tile(shown.back()));
        EXPECT_EQ((std::vector<LONG>{last.top, (first.left + last.right) / 2}), (std::vector<LONG>{first.top, 640}));
        SaveScreenshotOf(Window(), "call-key-overlay");
        const RECT edge{first.left, first.top, first.right, first.top + 1};
        const std::vector<Rgb> focused = CapturePixels(edge);
        PressKeys({VK_TAB});
        EXPECT_TRUE(WaitUntil([&] { return CapturePixels(edge) != focused; }, 10s)) << "the focus rectangle stayed";
        PressKeys(ending);
        EXPECT_TRUE(WaitUntil([&] { return ShowsNothing(); }, 10s)) << "the overlay stayed";
    }
}

// A game or a video in full screen, played here by a window of the test process.
TEST_F(Scatter, NoShakeBringsTheOverlayOverAFullScreenProgramUntilItIsGone) {
    StartWithPattern(0);
    UniqueWindow fullScreen =
        WindowInFront(L"全画面", {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    ASSERT_NE(fullScreen, nullptr);
    EXPECT_FALSE(ShakeUntil([&] { return IsWindowVisible(Window()); })) << "the overlay came over the full-screen window";
    EXPECT_EQ(GetForegroundWindow(), fullScreen.get());

    fullScreen.reset();
    ASSERT_TRUE(hand.RestAtStart(main));
    EXPECT_TRUE(ShakeUntil([&] { return IsWindowVisible(Window()); })) << "the same shake brought nothing afterwards";
}

class ScatterPattern : public Scatter, public ::testing::WithParamInterface<int> {};

TEST_P(ScatterPattern, TheFrozenScreenFollowsTheRasterRuleAndAClickOnTheBareSurfaceEndsIt) {
    const int pattern = GetParam();
    StartWithPattern(pattern);
    ASSERT_TRUE(ShakeUntil([&] { return TileIsOut(3); }));
    ASSERT_TRUE(RestPointerAt(main, hand.At()));
    SaveScreenshot("scatter-pattern-" + std::to_string(pattern));
    ExpectScreenThroughPattern(pattern);

    // A click on a caption is nobody's; one on the bare surface clears everything.
    ClickAt(CentreOf(Caption(0)));
    const auto cleared = [&] { return !IsWindowVisible(Window()) || !IsShown(Tile(0)); };
    EXPECT_EQ(NotUntilProvoked(cleared, 2s, [] { ClickAt(POINT{1000, 100}); }), "");
    EXPECT_TRUE(WaitUntil([&] { return ShowsNothing(); }, 10s));
}

INSTANTIATE_TEST_SUITE_P(NegativeLightDark, ScatterPattern, ::testing::Values(1, 2, 3));

// Wine shows two monitors only outside its virtual desktop, on an X server whose
// Xinerama heads lie side by side (its ctest test runs it on one); elsewhere this skips.
TEST_F(Scatter, OnAMonitorLeftOfThePrimaryTheOverlayReachesItAndTheTilesLandBesideThePointer) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    if (GetSystemMetrics(SM_CMONITORS) < 2 || left >= 0) GTEST_SKIP() << "no monitor left of the primary one";
    // Something to recognise on the left monitor in the frozen screen.
    const RECT marked{left + 100, 100, left + 300, 250};
    HWND mark = CreateWindowExW(0, L"STATIC", L"左のモニター", WS_POPUP | WS_VISIBLE | WS_BORDER, marked.left,
                                marked.top, marked.right - marked.left, marked.bottom - marked.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(mark);
    const RECT sample{marked.left - 20, marked.top - 20, marked.right + 20, marked.top + 60};
    Launch(1);
    // Outside Wine's virtual desktop no program hears of the X pointer's moves;
    // SetCursorPos is as silent, so the program must notice by itself.
    ShakeLine silent{{left + 40, ShakeY}, Step};
    silent.heard = false;
    hand = Hand(silent);
    ASSERT_TRUE(hand.RestAtStart(main));
    const auto before = CapturePixels(sample);

    ASSERT_TRUE(ShakeUntil([&] { return TileIsOut(0); })) << "the overlay or the first tile never came";
    // The caption is made in the same tick, just after the tile.
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Caption(0)); }, 10s)) << "the first caption never came";
    const RECT covered = RectOf(Window());
    EXPECT_EQ(covered.left, left);
    EXPECT_EQ(covered.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(covered.right - covered.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(covered.bottom - covered.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));

    // Moving right, the tile lands 64 pixels left of the pointer at its tick, on the left monitor.
    const RECT tile = RectOf(Tile(0));
    const int pointerX = tile.left + 80;
    EXPECT_LT(tile.right, 0) << "on the left monitor";
    EXPECT_EQ(tile.top, ShakeY - 16);
    EXPECT_EQ((pointerX - (left + 40)) % Step, 0) << "not where the pointer was at a tick";
    EXPECT_LE(pointerX, hand.At().x);
    EXPECT_EQ(RectOf(Caption(0)).left, tile.left);
    EXPECT_EQ(RectOf(Caption(0)).top, tile.bottom);
    SaveScreenshot("two-monitors-scatter");

    // The left monitor froze as it was, through the negative pattern.
    const auto after = CapturePixels(sample);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(PixelsAgainst(1, before, after), 0)
        << "pixels of the left monitor that do not follow the negative pattern";

    ClickAt(POINT{GetSystemMetrics(SM_CXSCREEN) - 100, 100});
    EXPECT_TRUE(WaitUntil([&] { return ShowsNothing(); }, 10s));
    DestroyWindow(mark);
}

}  // namespace
}  // namespace yomorina::e2e

#include <windows.h>

#include <gtest/gtest.h>

#include <ole2.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/win32/base/PersistentImage.h"
#include "platform/win32/files/TargetIcon.h"
#include "platform/win32/overlay/FrozenScreen.h"
#include "platform/win32/overlay/OverlayWindow.h"
#include "platform/win32/overlay/Tile.h"
#include "platform/win32/overlay/VirtualScreen.h"
#include "platform/win32/resident/MainWindow.h"
#include "platform/win32/resident/TrayIcon.h"
#include "tests/e2e/Harness.h"

namespace yomorina {
namespace {

using e2e::Pump;
using e2e::RectOf;
using win32::PersistentImage;

constexpr COLORREF Face = RGB(192, 192, 192);
using Colours = std::vector<COLORREF>;

COLORREF PixelOf(PersistentImage& picture, int x, int y) {
    COLORREF colour = CLR_INVALID;
    picture.Draw([&](HDC dc) { colour = GetPixel(dc, x, y); });
    return colour;
}

// A stand-in for the screen: white, black and one colour side by side.
class FakeScreen {
public:
    FakeScreen() {
        screen_.Clear(30, 10, RGB(255, 255, 255));
        screen_.Draw([](HDC dc) {
            const RECT black{10, 0, 20, 10};
            const RECT colour{20, 0, 30, 10};
            FillRect(dc, &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            FillRect(dc, &colour, win32::UniqueBrush(CreateSolidBrush(RGB(100, 150, 200))).get());
        });
    }
    // The three areas as they come out of the overlay's snapshot.
    std::vector<COLORREF> FrozenThrough(OverlayBackground background) {
        PersistentImage frozen;
        screen_.Draw([&](HDC dc) { win32::FreezeScreen(frozen, 30, 10, Face, dc, background); });
        return {PixelOf(frozen, 5, 5), PixelOf(frozen, 15, 5), PixelOf(frozen, 25, 5)};
    }
    // A snapshot whose corner lies at (left, 0) of this screen, as one of a virtual screen does.
    std::vector<COLORREF> FrozenFrom(int left) {
        PersistentImage frozen;
        screen_.Draw([&](HDC dc) { win32::FreezeScreen(frozen, 30 - left, 10, Face, dc, OverlayBackground::Screen, left, 0); });
        return {PixelOf(frozen, 0, 5), PixelOf(frozen, 29 - left, 5)};
    }

private:
    PersistentImage screen_;
};

TEST(OverlaySnapshot, EachPatternCombinesTheScreenWithTheButtonFace) {
    FakeScreen screen;
    EXPECT_EQ(screen.FrozenThrough(OverlayBackground::Screen),
              (Colours{RGB(255, 255, 255), RGB(0, 0, 0), RGB(100, 150, 200)}));
    // XOR: white turns dark grey, black shows the face.
    EXPECT_EQ(screen.FrozenThrough(OverlayBackground::Negative),
              (Colours{RGB(63, 63, 63), RGB(192, 192, 192), RGB(100 ^ 192, 150 ^ 192, 200 ^ 192)}));
    // OR: nothing darker than the face.
    EXPECT_EQ(screen.FrozenThrough(OverlayBackground::Light),
              (Colours{RGB(255, 255, 255), RGB(192, 192, 192), RGB(100 | 192, 150 | 192, 200 | 192)}));
    // AND NOT: nothing brighter than 63, black stays black.
    EXPECT_EQ(screen.FrozenThrough(OverlayBackground::Dark),
              (Colours{RGB(63, 63, 63), RGB(0, 0, 0), RGB(100 & 63, 150 & 63, 200 & 63)}));
    EXPECT_EQ(screen.FrozenThrough(OverlayBackground::Plain), (Colours{Face, Face, Face}));
}

TEST(OverlaySnapshot, StartsAtTheCornerItIsGiven) {
    FakeScreen screen;
    EXPECT_EQ(screen.FrozenFrom(0), (Colours{RGB(255, 255, 255), RGB(100, 150, 200)}));
    EXPECT_EQ(screen.FrozenFrom(10), (Colours{RGB(0, 0, 0), RGB(100, 150, 200)}));
    // Monitors wide, it is read a band of rows at a time: every row arrives, each from its own place.
    PersistentImage wide, frozen;
    wide.Clear(8192, 100, RGB(128, 128, 128));
    wide.Draw([](HDC dc) { PatBlt(dc, 0, 0, 8192, 60, WHITENESS); });
    wide.Draw([&](HDC dc) { win32::FreezeScreen(frozen, 8192, 99, Face, dc, OverlayBackground::Screen, 0, 1); });
    EXPECT_EQ((Colours{PixelOf(frozen, 0, 58), PixelOf(frozen, 0, 59), PixelOf(frozen, 8191, 98)}),
              (Colours{RGB(255, 255, 255), RGB(128, 128, 128), RGB(128, 128, 128)}));
}

TEST(OverlaySnapshot, ANewSnapshotReplacesTheOldOneWhateverItsSize) {
    PersistentImage frozen;
    frozen.Clear(50, 50, RGB(255, 0, 0));
    HDC none = CreateCompatibleDC(nullptr);  // a screen that cannot be read leaves the face colour
    win32::FreezeScreen(frozen, 40, 20, Face, none, OverlayBackground::Plain);
    DeleteDC(none);
    EXPECT_EQ(std::pair(frozen.Width(), frozen.Height()), std::pair(40, 20));
    EXPECT_EQ(PixelOf(frozen, 39, 19), Face);
    // The copying pattern skips the fill, but a failed copy must not leave the previous snapshot showing.
    win32::FreezeScreen(frozen, 40, 20, RGB(0, 0, 255), nullptr, OverlayBackground::Screen);
    EXPECT_EQ(PixelOf(frozen, 39, 19), RGB(0, 0, 255));
}

// Events from the overlay's windows, recorded.
class RecordedEvents final : public MainWindowEvents, public OverlayEvents {
public:
    int clicks = 0, dismissals = 0, unloads = 0, movements = 0, jumps = 0;
    int shellRestarts = 0, refusedRetries = 0, listReadRetries = 0, callKeys = 0;
    std::vector<int> tileClicks;
    std::vector<TrayPress> trayPresses;
    std::vector<std::pair<int, TileKey>> tileKeys;
    std::function<void()> onCallKey;
    void OnOverlayClick() override { ++clicks; }
    void OnOverlayDismiss() override { ++dismissals; }
    void OnClosing() override { ++unloads; }
    void OnTrayEvent(TrayPress press) override { trayPresses.push_back(press); }
    void OnTaskbarCreated() override { ++shellRestarts; }
    void OnRetryRefused() override { ++refusedRetries; }
    void OnListReadRetry() override { ++listReadRetries; }
    void OnTick() override {}
    void OnPointerMoved() override { ++movements; }
    void OnPointerMayHaveJumped() override { ++jumps; }
    void OnOptionsAsked() override {}
    void OnTileClick(int index) override { tileClicks.push_back(index); }
    void OnTileDrop(int, const DroppedData&) override {}
    void OnTileKey(int index, TileKey key) override { tileKeys.emplace_back(index, key); }
    void OnCallKey() override { ++callKeys; if (onCallKey) onCallKey(); }
};

// A tile of slot at (left, top), its caption right under it.
TilePlacement Placed(int slot, int left, int top, std::string caption = "", TilePicture picture = TilePicture::RecycleBin,
                     std::string path = "") {
    return {.Slot = slot, .Left = left, .Top = top, .CaptionLeft = left, .CaptionTop = top + TileSide,
            .Picture = picture, .Path = std::move(path), .Name = std::move(caption), .AccessibleName = {}};
}

class OverlayWindowTest : public ::testing::Test {
protected:
    void SetUp() override { OleInitialize(nullptr); }
    void TearDown() override { OleUninitialize(); }
};

// The icon after the shell's restart and its retries: what the shell and the
// timers send reaches the program, and an add the shell already took is a success.
TEST_F(OverlayWindowTest, TheShellsRestartAndTheRetriesReachTheProgramAndASecondAddOfTheIconSucceeds) {
    win32::MainWindow window(GetModuleHandleW(nullptr));
    RecordedEvents events;
    window.SetEvents(&events);
    EXPECT_TRUE(window.HearSessionChanges());
    SendMessageW(window.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    window.WakeupSources().RetryRefused(true);
    window.WakeupSources().RetryListRead(true);
    EXPECT_TRUE(e2e::WaitUntil([&] { return Pump(), events.refusedRetries * events.listReadRetries > 0; },
                               std::chrono::seconds(15)));
    EXPECT_EQ(events.shellRestarts, 1);

    win32::TrayIcon icon(window.TrayCallbackHandle(), GetModuleHandleW(nullptr));
    ASSERT_TRUE(icon.Add("ヨモリナ"));
    EXPECT_TRUE(icon.Add("ヨモリナ")) << "an add that timed out but reached the shell";
    icon.Remove();
}

// The hidden window hears of the mouse's next movement once, and nothing after.
TEST_F(OverlayWindowTest, TheWatchReportsTheMouseMovingOnceUntilItIsSetAgain) {
    win32::MainWindow window(GetModuleHandleW(nullptr));
    RecordedEvents events;
    window.SetEvents(&events);
    // Away from every edge, so that every move really moves it.
    const POINT start{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    SetCursorPos(start.x, start.y);
    // Until the pointer is there the input may still be on its way.
    const auto moveAndPump = [&](int dx, const std::function<bool()>& done) {
        POINT before{};
        GetCursorPos(&before);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = dx;
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &input, sizeof(input));
        const auto arrived = [&] {
            POINT now{};
            GetCursorPos(&now);
            return now.x != before.x && done();
        };
        // A deadline, not a count of waits: on a loaded machine a wait may end at once, again and again.
        // Seen once is enough: under Wine the pointer can be put back a moment later.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        bool moved = false;
        while (!(moved = arrived()) && std::chrono::steady_clock::now() < until) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            Pump();
        }
        Pump();
        return moved;
    };
    const auto always = [] { return true; };
    const e2e::Watch pumping = [&](const std::function<bool()>& condition, std::chrono::milliseconds limit) {
        return e2e::WaitUntil([&] { return Pump(), condition(); }, limit);
    };
    // A move the watch must not report, with the move that a watch set afresh does report as its control.
    const auto unheardUntilWatched = [&](int heard) {
        if (!moveAndPump(-40, always)) return std::string("the pointer never moved");
        return e2e::NotUntilProvoked([&] { return events.movements != heard; }, std::chrono::seconds(1), [&] {
            window.WakeupSources().StopWatching();
            window.WakeupSources().WatchForMovement();
            moveAndPump(40, always);
            window.WakeupSources().StopWatching();
        }, pumping);
    };
    ASSERT_TRUE(window.WakeupSources().WatchForMovement()) << "Wine's virtual desktop hides no move from the hook";
    EXPECT_TRUE(moveAndPump(40, [&] { return events.movements > 0; }));
    EXPECT_EQ(unheardUntilWatched(1), "") << "a fast mouse must not flood the program";
    ASSERT_TRUE(window.WakeupSources().WatchForMovement());
    window.WakeupSources().StopWatching();
    EXPECT_EQ(unheardUntilWatched(2), "") << "stopped";

    // Windows drops a hook that once answered too slowly, without a word; the
    // raw input still hears. Under Wine it reaches no one with no window in front.
    window.ScatterOverlay().Show(OverlayBackground::Plain);
    ASSERT_TRUE(window.WakeupSources().WatchForMovement());
    win32::DropTheMouseHookAsTheSystemMay();
    EXPECT_TRUE(moveAndPump(40, [&] { return events.movements > 3; }));
    EXPECT_EQ(unheardUntilWatched(4), "") << "raw input";
    window.WakeupSources().StopWatching();

    // Raw input that hears every waking move soon listens alone; a rest whose
    // move it missed (Wine's with no window in front) brings the hook back.
    for (int rest = 0; rest < 20 && window.WakeupSources().Watch().WantsHook(); ++rest) {
        const int heard = events.movements;
        ASSERT_TRUE(window.WakeupSources().WatchForMovement());
        ASSERT_TRUE(moveAndPump(40, [&] { return events.movements > heard; }));
        window.WakeupSources().StopWatching();
    }
    EXPECT_FALSE(window.WakeupSources().Watch().WantsHook());
    window.ScatterOverlay().Hide();
    ASSERT_TRUE(window.WakeupSources().WatchForMovement());
    moveAndPump(-40, always);
    window.WakeupSources().StopWatching();
    EXPECT_TRUE(window.WakeupSources().Watch().WantsHook());

    // Where the pointer may have gone unheard, the program is told (and sets its ears afresh).
    const std::vector<std::pair<UINT, WPARAM>> jumps{{WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK},
                                                     {WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT},
                                                     {WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK},
                                                     {WM_DISPLAYCHANGE, 32},
                                                     {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC}};
    for (const auto& [message, wParam] : jumps) SendMessageW(window.Handle(), message, wParam, 0);
    EXPECT_EQ(events.jumps, 4) << "a lock is no jump";
}

TEST_F(OverlayWindowTest, TilesDrawTheirPictureOnItsGroundAndAFormerRecycleBinShowsTheProgramOnly) {
    win32::MainWindow window(GetModuleHandleW(nullptr));
    win32::CaptionType type;
    win32::Tile tile(GetModuleHandleW(nullptr), window.Handle(), 3, type);

    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    char notepad[MAX_PATH * 3];
    WideCharToMultiByte(CP_UTF8, 0, (std::wstring(system) + L"\\notepad.exe").c_str(), -1, notepad, sizeof(notepad),
                        nullptr, nullptr);

    auto pixels = [&](TilePicture picture, HICON icon) {
        tile.Show(Placed(3, 0, 0, "", picture), icon, {0, 0}, {0, TileSide});
        std::vector<COLORREF> all;
        PersistentImage copy;
        copy.CopyFrom(tile.Picture());
        copy.Draw([&](HDC dc) {
            for (int y = 0; y < 32; ++y) for (int x = 0; x < 32; ++x) all.push_back(GetPixel(dc, x, y));
        });
        return all;
    };
    const auto bin = pixels(TilePicture::RecycleBin, nullptr);
    EXPECT_EQ(bin[0], GetSysColor(COLOR_BTNFACE)) << "the bin sits on the button face";
    EXPECT_NE(std::count(bin.begin(), bin.end(), bin[0]), static_cast<std::ptrdiff_t>(bin.size())) << "no art";

    EXPECT_NE(pixels(TilePicture::TargetIcon, win32::TargetIcon(notepad, TileSide).get()), bin);
    for (COLORREF pixel : pixels(TilePicture::TargetIcon, win32::TargetIcon("C:\\no such folder\\gone.exe", TileSide).get())) {
        ASSERT_EQ(pixel, GetSysColor(COLOR_WINDOW)) << "a blank tile, nothing left over";
    }
}

TEST_F(OverlayWindowTest, ScatterAfterScatterLeavesNoHandlesBehindAndTheFrozenScreenGoesAtItsEnd) {
    win32::EntryLookup lookup;
    lookup.Begin({"C:\\windows"}, TileSide);
    ASSERT_TRUE(e2e::WaitUntil([&] { return lookup.Answer("C:\\windows") == EntryAnswer::Found; }, std::chrono::seconds(10)));
    win32::MainWindow main(GetModuleHandleW(nullptr));
    win32::OverlayWindow& window = main.ScatterOverlay();
    window.SetEntryLookup(&lookup);
    const long idleBitmaps = win32::LiveHandleCount(win32::HandleKind::Bitmap);
    // Made ready ahead, the picture is the one the snapshot goes into, and goes with the overlay.
    for (const bool prepared : {false, true}) {
        if (prepared) window.Prepare();
        window.Show(OverlayBackground::Screen);
        ASSERT_EQ(win32::LiveHandleCount(win32::HandleKind::Bitmap), idleBitmaps + 1) << prepared;
        window.Hide();
        EXPECT_EQ(win32::LiveHandleCount(win32::HandleKind::Bitmap), idleBitmaps) << prepared;
    }
    auto counts = [] {
        return std::vector<long>{win32::LiveHandleCount(win32::HandleKind::Icon).load(),
                                 win32::LiveHandleCount(win32::HandleKind::Bitmap).load(),
                                 win32::LiveHandleCount(win32::HandleKind::DeviceContext).load(),
                                 win32::LiveHandleCount(win32::HandleKind::Brush).load()};
    };
    auto scatter = [&] {
        window.Show(OverlayBackground::Negative);
        for (int i = 0; i < 8; ++i) {
            window.ShowTile(Placed(i, i * 20, 100, "フォルダ", i % 3 ? TilePicture::TargetIcon : TilePicture::RecycleBin, "C:\\windows"));
        }
        window.Hide();
        Pump();
    };
    scatter();
    const auto before = counts();
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int round = 0; round < 3; ++round) scatter();
    EXPECT_EQ(counts(), before);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
}

TEST_F(OverlayWindowTest, TheOverlayCoversEveryMonitorTopmostAndTakesTheFocus) {
    win32::MainWindow main(GetModuleHandleW(nullptr));
    win32::OverlayWindow& window = main.ScatterOverlay();
    window.Show(OverlayBackground::Screen);
    Pump();
    const RECT covered = RectOf(window.Handle());
    const win32::ScreenArea all = win32::VirtualScreenArea();
    EXPECT_EQ((std::vector<long>{covered.left, covered.top, covered.right - covered.left, covered.bottom - covered.top}),
              (std::vector<long>{all.left, all.top, all.width, all.height}));
    EXPECT_TRUE(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(GetForegroundWindow(), window.Handle());
    EXPECT_FALSE(window.UserSwitchedAway());

    // Tiles and captions are placed in screen coordinates, wherever the virtual screen begins.
    window.ShowTile(Placed(5, all.left + 40, all.top + 60, "左上"));
    const RECT tile = RectOf(window.TileHandle(5));
    const RECT caption = RectOf(window.CaptionHandle(5));
    EXPECT_EQ((std::vector<long>{tile.left, tile.top, caption.left, caption.top}),
              (std::vector<long>{all.left + 40, all.top + 60, all.left + 40, all.top + 92}));

    // Screen readers hear of each tile's focus once: of a change from the
    // system, of a tile focused again from the window. The events come in
    // order, so once the last tile's is in, every one before it is.
    static std::map<HWND, int> focusEvents;  // a WinEvent callback carries no context
    focusEvents.clear();
    const auto onFocus = [](HWINEVENTHOOK, DWORD, HWND tile, LONG, LONG, DWORD, DWORD) { ++focusEvents[tile]; };
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, onFocus,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    for (const int tile : {6, 7}) window.ShowTile(Placed(tile, all.left + 50 * tile, all.top + 60));
    for (const int tile : {5, 6, 6, 7}) {
        window.FocusTile(tile);
        Pump();
    }
    e2e::WaitUntil([&] { return Pump(), focusEvents.count(window.TileHandle(7)) > 0; }, std::chrono::seconds(10));
    UnhookWinEvent(hook);
    EXPECT_EQ(focusEvents, (std::map<HWND, int>{{window.TileHandle(5), 1}, {window.TileHandle(6), 2},
                                                {window.TileHandle(7), 1}}));
    // A monitor left of the primary one puts the overlay's corner at negative screen coordinates.
    const POINT onLeftMonitor = win32::OverlayClientPoint({-1000, -50}, {-1024, -100, 2304, 900});
    EXPECT_EQ((std::vector<long>{onLeftMonitor.x, onLeftMonitor.y}), (std::vector<long>{24, 50}));

    // Another window coming to the front is what ends a scatter.
    e2e::UniqueWindow other = e2e::WindowInFront(L"other", {0, 0, 50, 50});
    SetActiveWindow(other.get());
    EXPECT_TRUE(e2e::WaitUntil([&] { return Pump(), window.UserSwitchedAway(); }, std::chrono::seconds(10)));
    other.reset();

    window.Hide();
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(IsWindowVisible(window.TileHandle(5)) || IsWindowVisible(window.CaptionHandle(6)));
    EXPECT_TRUE(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) << "topmost for the rest of the run";
}

TEST_F(OverlayWindowTest, AltF4AndEscOnTheOverlayDismissItButAnotherProgramsCloseStillEndsUs) {
    win32::MainWindow window(GetModuleHandleW(nullptr));
    win32::OverlayWindow& overlay = window.ScatterOverlay();
    RecordedEvents events;
    window.SetEvents(&events);
    overlay.SetEvents(&events);
    overlay.Show(OverlayBackground::Plain);
    Pump();
    // What the system makes of Alt+F4 on the active overlay, and an Esc there.
    SendMessageW(overlay.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageW(overlay.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(std::pair(events.dismissals, events.unloads), std::pair(2, 0));
    ASSERT_TRUE(IsWindow(overlay.Handle())) << "Alt+F4 closed the overlay";

    // A close sent to the overlay is one sent to the program.
    SendMessageW(overlay.Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(events.unloads, 1);
    EXPECT_EQ(window.Handle(), nullptr);
    // The quit the closing posted must not end the next test's loops.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// The main window refused the foreground, as Windows may, with another program's window in front.
class RefusedForegroundTest : public OverlayWindowTest {
protected:
    void SetUp() override {
        OverlayWindowTest::SetUp();
        ASSERT_NE(front, nullptr);
        main.SetEvents(&events);
        window.SetEvents(&events);
    }
    RecordedEvents events;
    static inline bool altDownAsSent = false;  // Wine's own reading forgets keys sent with SendInput
    win32::MainWindow main{GetModuleHandleW(nullptr), win32::ForegroundTaking::RefusedAsWindowsMay,
                           []() noexcept { return altDownAsSent; }};
    win32::OverlayWindow& window = main.ScatterOverlay();
    const e2e::UniqueWindow front = e2e::WindowInFront(L"前", {0, 0, 200, 100});
};

// Windows leaves the keyboard with the program in front (imitated here): Esc and
// Alt+F4 still end the scatter, never reach that program, and are free again afterwards.
TEST_F(RefusedForegroundTest, EscAndAltF4AreTheOverlaysWhileItShows) {
    for (const auto& [modifiers, keys] : std::vector<std::pair<UINT, std::vector<WORD>>>{
             {0, {VK_ESCAPE}}, {MOD_ALT, {VK_MENU, VK_F4}}}) {
        const int before = events.dismissals;
        std::vector<WPARAM> reachedFront;
        window.Show(OverlayBackground::Plain);
        e2e::PressKeys(keys);
        EXPECT_TRUE(e2e::WaitUntil([&] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                const bool key = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
                const bool taken = message.wParam == keys.back();  // Alt is the front's; Esc and F4 are ours
                if (key && message.hwnd == front.get() && taken) reachedFront.push_back(message.wParam);
                DispatchMessageW(&message);
            }
            return events.dismissals > before;
        }, std::chrono::seconds(10)));
        EXPECT_EQ(reachedFront, std::vector<WPARAM>{});
        ASSERT_EQ(GetForegroundWindow(), front.get());
        window.Hide();
        EXPECT_TRUE(RegisterHotKey(nullptr, 1, modifiers, keys.back())) << "still held after the scatter";
        UnregisterHotKey(nullptr, 1);
    }
}

// With the keyboard left to the program in front, the tiles' keys are the
// overlay's for as long as it shows; where one is another program's, the tiles
// go without the keyboard, and no focus drawn on a tile says otherwise.
TEST_F(RefusedForegroundTest, TheTilesKeysAreTheOverlaysWhileItShowsOrNoTileLooksFocused) {
    const auto enterIsFree = [] {
        const bool free = RegisterHotKey(nullptr, 2, 0, VK_RETURN);
        if (free) UnregisterHotKey(nullptr, 2);
        return free;
    };
    for (const bool tabHeldElsewhere : {false, true}) {
        ASSERT_TRUE(!tabHeldElsewhere || RegisterHotKey(nullptr, 1, 0, VK_TAB));
        window.Show(OverlayBackground::Plain);
        window.ShowTile(Placed(0, 10, 10));
        window.FocusTile(0);
        EXPECT_EQ(GetFocus() == window.TileHandle(0), !tabHeldElsewhere);
        EXPECT_EQ(enterIsFree(), tabHeldElsewhere);
        if (!tabHeldElsewhere) {
            e2e::PressKeys({VK_RETURN});
            EXPECT_TRUE(e2e::WaitUntil([&] { return Pump(), !events.tileKeys.empty(); }, std::chrono::seconds(10)));
            EXPECT_EQ(events.tileKeys, (std::vector<std::pair<int, TileKey>>{{0, TileKey::Open}}));
        }
        window.Hide();
        EXPECT_TRUE(enterIsFree()) << "once the overlay has gone";
        UnregisterHotKey(nullptr, 1);
    }
}

// The Alt of Alt+F4 goes to the window in front and the F4 to the overlay.
// Windows takes an Alt released with no key pressed since its own press as the
// way to the menu bar (Wine forgets it at any key's release), so the window in
// front is held to Windows' rule here.
TEST_F(RefusedForegroundTest, AltF4LeavesNoLoneAltToTheWindowInFrontNorAStrayKey) {
    std::vector<WPARAM> pressed;  // in front
    std::optional<bool> loneAlt;
    const auto pumpUntil = [&](const std::function<bool()>& done) {
        return e2e::WaitUntil([&] {
            for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); DispatchMessageW(&m)) {
                if (m.hwnd != front.get()) continue;
                if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) pressed.push_back(m.wParam);
                if ((m.message == WM_KEYUP || m.message == WM_SYSKEYUP) && m.wParam == VK_MENU) loneAlt = pressed.back() == VK_MENU;
            }
            return done();
        }, std::chrono::seconds(10));
    };
    window.Show(OverlayBackground::Plain);
    // As a hand presses them: Alt+F4 down and taken, then both let go.
    INPUT keys[4] = {{INPUT_KEYBOARD, {.ki = {VK_MENU, 0, 0, 0, 0}}}, {INPUT_KEYBOARD, {.ki = {VK_F4, 0, 0, 0, 0}}},
                     {INPUT_KEYBOARD, {.ki = {VK_F4, 0, KEYEVENTF_KEYUP, 0, 0}}},
                     {INPUT_KEYBOARD, {.ki = {VK_MENU, 0, KEYEVENTF_KEYUP, 0, 0}}}};
    altDownAsSent = true;
    SendInput(2, keys, sizeof(INPUT));
    ASSERT_TRUE(pumpUntil([&] { return events.dismissals == 1; }));
    altDownAsSent = false;
    SendInput(2, keys + 2, sizeof(INPUT));
    ASSERT_TRUE(pumpUntil([&] { return loneAlt.has_value(); }));
    EXPECT_FALSE(*loneAlt) << "the window in front would open its menu bar";
    // Let go before the hot key's message is handled: nothing may follow the Alt's release.
    pressed.clear();
    SendInput(4, keys, sizeof(INPUT));
    ASSERT_TRUE(pumpUntil([&] { return events.dismissals == 2; }));
    e2e::PressKeys({VK_SHIFT});  // after anything the program sent
    ASSERT_TRUE(pumpUntil([&] { return !pressed.empty() && pressed.back() == VK_SHIFT; }));
    EXPECT_EQ(pressed, (std::vector<WPARAM>{VK_MENU, VK_SHIFT}));
    window.Hide();
}

// A press of the call key, a hot key whatever window is in front, gives the
// right to the foreground that a shake lacks on Windows until the user's next
// input (imitated here: while its message is handled): the hidden window takes
// it, and the overlay keeps it.
TEST_F(RefusedForegroundTest, TheCallKeysOverlayStillTakesIt) {
    window.TakeForeground();
    EXPECT_NE(GetForegroundWindow(), window.Handle()) << "the leave is the key's message's alone";
    ASSERT_TRUE(main.CallKey().Hold(0x0600 | 'Y'));  // Ctrl+Alt+Y
    events.onCallKey = [&] {
        window.TakeForeground();
        window.Show(OverlayBackground::Plain);
    };
    e2e::PressKeys({VK_CONTROL, VK_MENU, 'Y'});
    EXPECT_TRUE(e2e::WaitUntil([&] { return Pump(), GetForegroundWindow() == window.Handle(); }, std::chrono::seconds(10)));
    window.Hide();
    main.CallKey().Hold(0);
    EXPECT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'Y')) << "still held once let go";
    UnregisterHotKey(nullptr, 1);
}

// Only another window coming to the front is a switch: not the one that kept
// the foreground when the overlay showed, nor the overlay itself.
TEST_F(RefusedForegroundTest, OnlyAnotherWindowInFrontIsASwitch) {
    window.Show(OverlayBackground::Plain);
    const e2e::UniqueWindow other = e2e::WindowInFront(L"別", {0, 100, 200, 200});
    for (const auto& [inFront, switched] : std::vector<std::pair<HWND, bool>>{
             {front.get(), false}, {window.Handle(), false}, {other.get(), true}}) {
        SetForegroundWindow(inFront);
        ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == inFront; }, std::chrono::seconds(10)));
        EXPECT_EQ(window.UserSwitchedAway(), switched) << e2e::TextOf(inFront);
    }
    window.Hide();
}

TEST_F(OverlayWindowTest, TheIconsEventsReachItsCallbackWindowAndOnlyItsButtonPressesCount) {
    win32::MainWindow window(GetModuleHandleW(nullptr));
    RecordedEvents events;
    window.SetEvents(&events);
    // What the icon sends with its callback message: a move, the left and right
    // presses and releases, a double click, the middle button.
    for (LPARAM mouseEvent : {0x200, 0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x207, 0x208, 0x209}) {
        SendMessageW(window.TrayCallbackHandle(), win32::TrayCallbackMessage, 1, mouseEvent);
    }
    std::vector<TrayPress> expected(10, TrayPress::Other);
    expected[1] = TrayPress::LeftButtonDown;
    expected[4] = TrayPress::RightButtonDown;
    EXPECT_EQ(events.trayPresses, expected);
}

TEST_F(OverlayWindowTest, EveryShownTileIsADropTargetOfItsOwn) {
    win32::MainWindow main(GetModuleHandleW(nullptr));
    win32::OverlayWindow& window = main.ScatterOverlay();
    window.Show(OverlayBackground::Plain);
    for (int i = 0; i < 30; ++i) {
        window.ShowTile(Placed(i, 10 * i, 10, "ごみ箱"));
        // A window takes one drop target only: a second registration is refused.
        EXPECT_FALSE(win32::FileDropRegistration(window.TileHandle(i), {}).IsRegistered()) << i;
    }
    // Shown again, a tile keeps the one registration it has.
    window.Hide();
    window.ShowTile(Placed(0, 0, 10, "ごみ箱"));
    EXPECT_FALSE(win32::FileDropRegistration(window.TileHandle(0), {}).IsRegistered());
    EXPECT_TRUE(win32::FileDropRegistration(window.CaptionHandle(0), {}).IsRegistered());
    window.Hide();
}

TEST_F(OverlayWindowTest, CaptionsFitTheirTextUnderTheTileAndKeepTheirClicksToThemselves) {
    win32::MainWindow main(GetModuleHandleW(nullptr));
    win32::OverlayWindow& window = main.ScatterOverlay();
    RecordedEvents events;
    window.SetEvents(&events);
    window.Show(OverlayBackground::Plain);
    window.ShowTile(Placed(0, 100, 200, "メモ帳", TilePicture::TargetIcon, "C:\\windows"));
    window.ShowTile(Placed(1, 300, 200, "メモ帳とその仲間たち"));
    window.ShowTile(Placed(2, 500, 200, ""));
    Pump();

    const RECT shortCaption = RectOf(window.CaptionHandle(0));
    const RECT longCaption = RectOf(window.CaptionHandle(1));
    EXPECT_EQ(std::pair(shortCaption.left, shortCaption.top), std::pair(100L, 232L));
    EXPECT_GT(shortCaption.right - shortCaption.left, 20);
    EXPECT_GT(longCaption.right - longCaption.left, 2 * (shortCaption.right - shortCaption.left));
    const int lineHeight = shortCaption.bottom - shortCaption.top;
    EXPECT_GE(lineHeight, 10);
    EXPECT_LT(lineHeight, 32) << "one line";
    EXPECT_EQ(longCaption.bottom - longCaption.top, lineHeight);
    EXPECT_EQ(RectOf(window.CaptionHandle(2)).right - RectOf(window.CaptionHandle(2)).left, 0);

    // On a monitor of 144 dpi: a tile of 48 pixels, named for screen readers, and a caption in larger type.
    TilePlacement large = Placed(4, 600, 200, "メモ帳");
    large.Side = 48, large.CaptionTop = 248, large.DotsPerInch = 144, large.AccessibleName = "ゴミ箱";
    window.ShowTile(large);
    const RECT shown = RectOf(window.TileHandle(4));
    EXPECT_EQ((std::vector<long>{shown.right - shown.left, shown.bottom - shown.top}), (std::vector<long>{48, 48}));
    wchar_t name[16] = {};
    GetWindowTextW(window.TileHandle(4), name, 16);
    EXPECT_STREQ(name, L"ゴミ箱");
    EXPECT_GT(RectOf(window.CaptionHandle(4)).bottom - RectOf(window.CaptionHandle(4)).top, lineHeight);

    // The caption is white; the tile lies above it.
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, shortCaption.right - 1, shortCaption.top), RGB(255, 255, 255));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(ChildWindowFromPointEx(window.Handle(), POINT{110, 240}, CWP_SKIPINVISIBLE), window.CaptionHandle(0));
    window.ShowTile(Placed(3, 100, 188, "重なる名前"));
    EXPECT_EQ(ChildWindowFromPointEx(window.Handle(), POINT{110, 225}, CWP_SKIPINVISIBLE), window.TileHandle(0));

    // A press and release on a caption is the caption's, a click on a tile the tile's.
    const LPARAM inside = MAKELPARAM(4, 4);
    SendMessageW(window.CaptionHandle(0), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(window.CaptionHandle(0), WM_LBUTTONUP, 0, inside);
    const LPARAM onCaption = MAKELPARAM(shortCaption.left + 2, shortCaption.top + 2);
    EXPECT_NE(SendMessageW(window.CaptionHandle(0), WM_NCHITTEST, 0, onCaption), HTTRANSPARENT);
    SendMessageW(window.TileHandle(0), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(window.TileHandle(0), WM_LBUTTONUP, 0, inside);
    Pump();
    EXPECT_EQ(events.clicks, 0);
    EXPECT_EQ(events.tileClicks, std::vector<int>{0});
    SendMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(700, 700));
    EXPECT_EQ(events.clicks, 1);
    window.SetEvents(nullptr);
}

}  // namespace
}  // namespace yomorina

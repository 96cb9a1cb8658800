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

#include "platform/win32/Win32TileWindow.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/Tray.h"

namespace yomorina::e2e {
namespace {

using namespace std::chrono_literals;
using win32::CaptionControlId;
using win32::TileControlId;

constexpr int ShakeY = 400;
constexpr int ShakeStartX = 100;
// Each step alone is beyond the distance of 20, and several come in every 200 ms tick.
constexpr int Step = 25;
constexpr DWORD StepPause = 40;

std::string Cp932(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(932, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(932, 0, text.c_str(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

const std::vector<std::pair<std::wstring, std::wstring>>& Entries() {
    static const std::vector<std::pair<std::wstring, std::wstring>> entries{
        {L"メモ帳", L"C:\\windows\\notepad.exe"},
        {L"空き", L""},
        {L"消えた", L"C:\\どこにもない\\gone.exe"},
        {L"ウィンドウズ", L"C:\\windows"},
        {L"ゴミ箱", L"ゴミ箱"},
    };
    return entries;
}

// Distance 20, three fast ticks to start, one moving tick per tile.
std::string ListFileWithPattern(int pattern) {
    std::string file = " 20 \r\n 3 \r\n 1 \r\n";
    for (int slot = 0; slot < 30; ++slot) {
        if (slot < static_cast<int>(Entries().size())) {
            file += Cp932(Entries()[slot].first) + "\r\n" + Cp932(Entries()[slot].second) + "\r\n";
        } else {
            file += "\r\n\r\n";
        }
    }
    return file + " " + std::to_string(pattern) + " \r\n";
}

bool IsShown(HWND window) { return window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
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

// The press and the release carry the position themselves: a click sent right
// after SetCursorPos could otherwise land where the pointer was before.
void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    const LONG absoluteX = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG absoluteY = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    INPUT input[2]{};
    for (INPUT& event : input) {
        event.type = INPUT_MOUSE;
        event.mi.dx = absoluteX;
        event.mi.dy = absoluteY;
    }
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

class Scatter : public ::testing::Test {
protected:
    App app{L"scatter"};
    HWND main = nullptr;
    int x = ShakeStartX;
    std::vector<int> appeared;  // tiles in the order they came out
    std::vector<Rgb> screenBefore;

    void StartWithPattern(int pattern) {
        Launch(pattern);
        ASSERT_TRUE(WaitUntil(TrayShowsOurIcon, 10s));
        // A still pointer for a few ticks: nothing is counted yet.
        SetCursorPos(x, ShakeY);
        Sleep(500);
        ASSERT_FALSE(IsWindowVisible(main));
        screenBefore = CaptureAreas();
    }
    void Launch(int pattern) {
        app.WriteFile(L"filelist.txt", ListFileWithPattern(pattern));
        app.Start();
        main = app.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
    }
    HWND Tile(int index) const { return GetDlgItem(main, TileControlId(index)); }
    HWND Caption(int index) const { return GetDlgItem(main, CaptionControlId(index)); }

    // Moves the pointer to the right as a shaking hand does, noting each tile as it comes out.
    bool ShakeUntil(const std::function<bool()>& done) {
        for (int steps = 0; steps < 60; ++steps) {
            x += Step;
            SetCursorPos(x, ShakeY);
            Sleep(StepPause);
            for (int i = 0; i < 30; ++i) {
                if (IsShown(Tile(i)) && std::find(appeared.begin(), appeared.end(), i) == appeared.end()) {
                    appeared.push_back(i);
                }
            }
            if (done()) return true;
        }
        return false;
    }
    bool TileIsOut(int index) const { return std::find(appeared.begin(), appeared.end(), index) != appeared.end(); }

    // Counts the pixels of the untouched areas that the pattern's rule does not explain.
    int PixelsAgainstTheRule(int pattern) const {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        const Rgb b{GetRValue(face), GetGValue(face), GetBValue(face)};
        const auto now = CaptureAreas();
        if (now.size() != screenBefore.size()) return -1;
        int wrong = 0;
        for (std::size_t i = 0; i < now.size(); ++i) wrong += !(now[i] == Through(pattern, screenBefore[i], b));
        return wrong;
    }
    void ExpectScreenThroughPattern(int pattern) {
        int wrong = -1;
        WaitUntil([&] { return (wrong = PixelsAgainstTheRule(pattern)) == 0; }, 3s);
        EXPECT_EQ(wrong, 0) << "pixels that do not follow pattern " << pattern;
    }
    bool NothingShown() const {
        if (IsWindowVisible(main)) return false;
        for (int i = 0; i < 31; ++i) {
            if (IsShown(Tile(i)) || IsShown(Caption(i))) return false;
        }
        return true;
    }
};

TEST_F(Scatter, AShakeCoversTheScreenAndDropsTheEntriesInOrderBehindThePointer) {
    StartWithPattern(0);
    ASSERT_TRUE(ShakeUntil([&] { return IsWindowVisible(main); })) << "the overlay never came";
    EXPECT_TRUE(appeared.empty()) << "the tick that starts the scatter brings out nothing";
    const RECT covered = RectOf(main);
    EXPECT_EQ(covered.left, 0);
    EXPECT_EQ(covered.top, 0);
    EXPECT_EQ(covered.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(covered.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);

    ASSERT_TRUE(ShakeUntil([&] { return TileIsOut(4); }));
    Sleep(300);
    // The empty slot and the missing file take their turn without a tile.
    EXPECT_EQ(appeared, (std::vector<int>{0, 3, 4}));
    for (int skipped : {1, 2}) {
        EXPECT_FALSE(IsShown(Tile(skipped))) << skipped;
        EXPECT_FALSE(IsShown(Caption(skipped))) << skipped;
    }

    // Moving right: a tile lands 64 pixels to the left of the pointer at its tick, level with it;
    // the recycle bin 32 pixels to the left and above. Tiles and distances take the monitor's scale.
    const int dpi = static_cast<int>(GetDpiForSystem());
    const int side = MulDiv(32, dpi, 96);
    for (int slot : {0, 3, 4}) {
        const RECT tile = RectOf(Tile(slot));
        const bool bin = slot == 4;
        const int behind = MulDiv(bin ? 32 : 64, dpi, 96);
        const int pointerX = tile.left + behind + side / 2;
        EXPECT_EQ(tile.top, ShakeY - side / 2 - (bin ? behind : 0)) << slot;
        EXPECT_EQ(tile.right - tile.left, side);
        EXPECT_EQ(tile.bottom - tile.top, side);
        EXPECT_EQ(TextOf(Tile(slot)), Entries()[slot].first) << "the name a screen reader announces";
        EXPECT_EQ((pointerX - ShakeStartX) % Step, 0) << "not where the pointer was at a tick: " << slot;
        EXPECT_GT(pointerX, ShakeStartX) << slot;
        EXPECT_LE(pointerX, x) << slot;

        const RECT caption = RectOf(Caption(slot));
        EXPECT_TRUE(IsShown(Caption(slot))) << slot;
        EXPECT_EQ(caption.left, tile.left) << slot;
        EXPECT_EQ(caption.top, tile.bottom) << slot;
        EXPECT_GT(caption.right - caption.left, 10) << slot;
        EXPECT_EQ(TextOf(Caption(slot)), Entries()[slot].first);
    }
    EXPECT_LT(RectOf(Tile(0)).left, RectOf(Tile(3)).left);

    SaveScreenshot("scatter-pattern-0");
    ExpectScreenThroughPattern(0);

    // Another window taking the focus ends the scatter at the next tick.
    HWND other = CreateWindowExW(0, L"STATIC", L"ほかのウィンドウ", WS_POPUP | WS_VISIBLE | WS_BORDER, 900, 600, 200,
                                 80, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(WaitUntil([&] { return NothingShown(); }, 3s));
    DestroyWindow(other);
}

// Keys as a person presses them, to whichever window is active.
void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        input.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

TEST_F(Scatter, AltF4AndEscEndTheScatterAndOnlyAnotherProgramsCloseEndsTheLauncher) {
    StartWithPattern(0);
    for (const auto& keys : {std::initializer_list<WORD>{VK_MENU, VK_F4}, std::initializer_list<WORD>{VK_ESCAPE}}) {
        x = ShakeStartX;
        SetCursorPos(x, ShakeY);
        ASSERT_TRUE(ShakeUntil([&] { return IsShown(Tile(0)); })) << "the first tile never came";
        PressKeys(keys);
        EXPECT_TRUE(WaitUntil([&] { return NothingShown(); }, 3s)) << "the overlay stayed";
        EXPECT_TRUE(app.Running().IsRunning()) << "a key meant for the frozen screen ended the program";
        EXPECT_TRUE(TrayShowsOurIcon());
    }
    ASSERT_TRUE(app.Close());
    EXPECT_TRUE(WaitUntil([] { return !TrayShowsOurIcon(); }, 5s)) << "the icon stayed behind";
}

// A game or a video in full screen, played here by a window of the test process.
TEST_F(Scatter, NoShakeBringsTheOverlayOverAFullScreenProgramUntilItIsGone) {
    StartWithPattern(0);
    using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)>;
    UniqueWindow fullScreen(CreateWindowExW(0, L"STATIC", L"全画面", WS_POPUP | WS_VISIBLE, 0, 0,
                                            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                            nullptr, GetModuleHandleW(nullptr), nullptr),
                            &DestroyWindow);
    SetForegroundWindow(fullScreen.get());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == fullScreen.get(); }, 3s));
    EXPECT_FALSE(ShakeUntil([&] { return IsWindowVisible(main); })) << "the overlay came over the full-screen window";
    EXPECT_EQ(GetForegroundWindow(), fullScreen.get());

    fullScreen.reset();
    x = ShakeStartX;
    EXPECT_TRUE(ShakeUntil([&] { return IsWindowVisible(main); })) << "the same shake brought nothing afterwards";
}

class ScatterPattern : public Scatter, public ::testing::WithParamInterface<int> {};

TEST_P(ScatterPattern, TheFrozenScreenFollowsTheRasterRuleAndAClickOnTheBareSurfaceEndsIt) {
    const int pattern = GetParam();
    StartWithPattern(pattern);
    ASSERT_TRUE(ShakeUntil([&] { return TileIsOut(3); }));
    Sleep(300);
    SaveScreenshot("scatter-pattern-" + std::to_string(pattern));
    ExpectScreenThroughPattern(pattern);

    // A click on a caption is nobody's; one on the bare surface clears everything.
    const RECT caption = RectOf(Caption(0));
    ClickAt((caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2);
    Sleep(400);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsShown(Tile(0)));
    ClickAt(1000, 100);
    EXPECT_TRUE(WaitUntil([&] { return NothingShown(); }, 3s));
}

INSTANTIATE_TEST_SUITE_P(NegativeLightDark, ScatterPattern, ::testing::Values(1, 2, 3));

// Wine shows two monitors only outside its virtual desktop, on an X server whose
// Xinerama heads lie side by side (scripts/test.sh makes one); elsewhere this skips.
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
    x = left + 40;
    SetCursorPos(x, ShakeY);
    Sleep(600);
    const auto before = CapturePixels(sample);

    ASSERT_TRUE(ShakeUntil([&] { return TileIsOut(0); })) << "the overlay or the first tile never came";
    // The caption is made in the same tick, just after the tile.
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Caption(0)); }, 2s)) << "the first caption never came";
    const RECT covered = RectOf(main);
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
    EXPECT_LE(pointerX, x);
    EXPECT_EQ(RectOf(Caption(0)).left, tile.left);
    EXPECT_EQ(RectOf(Caption(0)).top, tile.bottom);
    SaveScreenshot("two-monitors-scatter");

    // The left monitor froze as it was, through the negative pattern.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const Rgb b{GetRValue(face), GetGValue(face), GetBValue(face)};
    const auto after = CapturePixels(sample);
    ASSERT_EQ(after.size(), before.size());
    int wrong = 0;
    for (std::size_t i = 0; i < after.size(); ++i) wrong += !(after[i] == Through(1, before[i], b));
    EXPECT_EQ(wrong, 0) << "pixels of the left monitor that do not follow the negative pattern";

    ClickAt(GetSystemMetrics(SM_CXSCREEN) - 100, 100);
    EXPECT_TRUE(WaitUntil([&] { return NothingShown(); }, 3s));
    DestroyWindow(mark);
}

}  // namespace
}  // namespace yomorina::e2e

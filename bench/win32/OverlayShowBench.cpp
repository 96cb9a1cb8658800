// How long the deciding tick takes to put the overlay on the screen, against a
// bare full-screen block transfer and against the least any overlay can do
// (a plain popup showing a fresh snapshot), all three taken in turn in every
// round; then how long a tile's turn takes to bring its tile up, icon
// extraction included. Run under Wine (or on Windows); prints a Markdown table.
//
//   yomorina_wine_bench.exe [ROUNDS]

#include <windows.h>

#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win32/SystemPrograms.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/Monitors.h"
#include "platform/win32/desktop/UserAttention.h"
#include "platform/win32/files/EntryLookup.h"
#include "platform/win32/overlay/FrozenScreen.h"
#include "platform/win32/overlay/VirtualScreen.h"
#include "platform/win32/resident/MainWindow.h"
#include "scatter/ScatterTick.h"

using namespace yomorina;

namespace {

double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

template <typename Work>
double Time(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    GdiFlush();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// After a hide the desktop repaints what was covered, in another process; a
// real scatter starts long after that, so each round starts from a settled screen.
void Settle() {
    Pump();
    Sleep(300);
    Pump();
}

// The least an overlay can do: a topmost popup made once, a snapshot taken into
// a bitmap kept between rounds, shown and painted from its own WM_PAINT.
class FloorOverlay {
public:
    explicit FloorOverlay(const win32::ScreenArea& area) : area_(area) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"YomorinaBenchFloor";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, windowClass.lpszClassName, L"", WS_POPUP, area.left,
                                  area.top, area.width, area.height, nullptr, nullptr, windowClass.hInstance, this);
        win32::WindowDc screen(nullptr);
        picture_.reset(CreateCompatibleBitmap(screen.get(), area.width, area.height));
    }
    ~FloorOverlay() { DestroyWindow(window_); }
    FloorOverlay(const FloorOverlay&) = delete;
    FloorOverlay& operator=(const FloorOverlay&) = delete;

    void Show() {
        {
            win32::WindowDc screen(GetDesktopWindow());
            win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
            win32::SelectedObject selected(memory.get(), picture_.get());
            // Read as the program reads it: what Wine reads faster in bands is no overlay's merit.
            win32::CopyFromScreen(memory.get(), area_.width, area_.height, screen.get(), area_.left, area_.top, SRCCOPY);
        }
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
    void Hide() { ShowWindow(window_, SW_HIDE); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        if (message == WM_ERASEBKGND) return 1;
        auto* self = reinterpret_cast<FloorOverlay*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message != WM_PAINT || !self) return DefWindowProcW(window, message, wParam, lParam);
        PAINTSTRUCT paint;
        HDC target = BeginPaint(window, &paint);
        win32::UniqueMemoryDc source(CreateCompatibleDC(nullptr));
        win32::SelectedObject selected(source.get(), self->picture_.get());
        const RECT& area = paint.rcPaint;
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), area.left,
               area.top, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }

    win32::ScreenArea area_;
    HWND window_ = nullptr;
    win32::UniqueBitmap picture_;
};

}  // namespace

int main(int argc, char** argv) {
    OleInitialize(nullptr);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
    // Every monitor, as the overlay covers them all.
    const win32::ScreenArea area = win32::VirtualScreenArea();
    const int monitors = GetSystemMetrics(SM_CMONITORS);

    std::vector<double> bare, floor, shown, tiles;
    std::vector<std::string> tileTargets;
    double firstTile = 0, firstOverlay = 0, lookedUp = 0;
    bool anyTile = false;
    {
        win32::WindowDc screen(GetDesktopWindow());
        win32::UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), area.width, area.height));
        win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
        win32::SelectedObject selected(memory.get(), picture.get());
        FloorOverlay plain(area);
        win32::MainWindow mainWindow(GetModuleHandleW(nullptr));
        win32::OverlayWindow& window = mainWindow.ScatterOverlay();
        const ScatterSettings settings{100, 5, 1, 0};
        const LaunchList list = bench::SystemPrograms();
        win32::EntryLookup search;
        window.SetEntryLookup(&search);
        const win32::Monitors monitors;
        const win32::UserAttention attention;

        // One unrecorded round of each, then the three in turn, so drift in the machine's load falls on all alike.
        for (int i = -1; i < rounds; ++i) {
            const double copy = Time([&] {
                BitBlt(memory.get(), 0, 0, area.width, area.height, screen.get(), area.left, area.top, SRCCOPY);
            });
            Settle();
            const double least = Time([&] { plain.Show(); });
            plain.Hide();
            // Done by the lead-in's first tick, a second or so before the deciding one.
            window.Prepare();
            Settle();
            // One fast tick short of the lead-in: the next one decides.
            ScatterState state{0, 0, 4, 0, false};
            const double ours = Time([&] {
                const TickAction action = ScatterTick(state, settings, list, {400, 300}, search, monitors, attention);
                if (action.ShowOverlay) window.Show(*action.ShowOverlay);
                UpdateWindow(window.Handle());
            });
            window.Hide();
            Settle();
            if (i < 0) {
                firstOverlay = ours;
                continue;
            }
            bare.push_back(copy);
            floor.push_back(least);
            shown.push_back(ours);
        }

        // The lead-in asks the lookup's lanes; the answers are in long before the first tile's turn.
        const std::vector<std::string> entries = EntriesToLookUp(list);
        lookedUp = Time([&] {
            search.Begin(entries, TileSide);
            while (std::any_of(entries.begin(), entries.end(),
                               [&](const std::string& path) { return search.Answer(path) == EntryAnswer::NotYetKnown; })) {
                Sleep(1);
            }
        });
        // The overlay up, each slot's turn in order: a shake past half the distance brings the next tile.
        ScatterState state{0, 0, 4, 0, false};
        window.Prepare();
        const TickAction start = ScatterTick(state, settings, list, {400, 300}, search, monitors, attention);
        if (start.ShowOverlay) window.Show(*start.ShowOverlay);
        UpdateWindow(window.Handle());
        Pump();
        for (int slot = 0; slot < LaunchSlotCount; ++slot) {
            const ScreenPoint pointer{slot % 2 ? 400 : 470, 300};
            bool placed = false;
            std::string target;
            const double ms = Time([&] {
                const TickAction action = ScatterTick(state, settings, list, pointer, search, monitors, attention);
                if (const auto& tile = action.Tile) {
                    window.ShowTile(*tile);
                    UpdateWindow(window.TileHandle(tile->Slot));
                    UpdateWindow(window.CaptionHandle(tile->Slot));
                    placed = true;
                    target = tile->Path.substr(tile->Path.find_last_of('\\') + 1);
                }
            });
            if (!placed) continue;
            if (!anyTile) {
                firstTile = ms;
                anyTile = true;
            } else {
                tiles.push_back(ms);
                tileTargets.push_back(target);
            }
            Pump();
        }
        window.Hide();
        Pump();
    }

    const double bareMedian = Median(bare);
    const double floorMedian = Median(floor);
    const double shownMedian = Median(shown);
    std::printf("| Figure (%d monitor%s, %dx%d in all, %d dpi, median of %d rounds) | ms | target |\n", monitors,
                monitors == 1 ? "" : "s", area.width, area.height, static_cast<int>(GetDpiForSystem()), rounds);
    std::printf("|---|---:|---|\n");
    std::printf("| bare full-screen block transfer (screen to bitmap) | %.2f | |\n", bareMedian);
    std::printf("| deciding tick to overlay painted | %.2f | ≤ %.2f (block transfer + 16 ms) |\n", shownMedian,
                bareMedian + 16);
    std::printf("| overlay beyond the block transfer | %.2f | ≤ 16 |\n", shownMedian - bareMedian);
    std::printf("| the run's first scatter (starts OLE for the tiles) | %.2f | |\n", firstOverlay);
    std::printf("| least possible overlay: plain popup, snapshot, show, paint | %.2f | |\n", floorMedian);
    std::printf("| least possible overlay beyond the block transfer | %.2f | |\n", floorMedian - bareMedian);
    std::printf("| overlay against the least possible overlay | %+.2f | |\n", shownMedian - floorMedian);
    std::printf("| the 30 entries' existence and icons on three lanes, begun to all answered | %.2f | |\n", lookedUp);
    if (anyTile) {
        std::printf("| tile's turn to tile and caption painted, first tile | %.2f | |\n", firstTile);
        if (!tiles.empty()) {
            const auto slowest = std::max_element(tiles.begin(), tiles.end());
            std::printf("| tile's turn to tile and caption painted, next %zu tiles | %.2f (slowest %.2f, %s) | |\n",
                        tiles.size(), Median(tiles), *slowest, tileTargets[slowest - tiles.begin()].c_str());
        }
    } else {
        std::printf("| tile's turn to tile painted | no tile came out | |\n");
    }
    OleUninitialize();
    return 0;
}

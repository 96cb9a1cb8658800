// How long the deciding tick takes to put the overlay on the screen, against a
// bare full-screen block transfer measured in the same run. Run it under Wine
// (or on Windows) by hand; it prints the medians and their ratio.

#include <windows.h>

#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32MainWindow.h"
#include "scatter/ScatterTick.h"

using namespace yomorina;

namespace {

class NothingFound final : public DirectorySearch {
public:
    bool FindsEntry(std::string_view) const override { return false; }
};

double MedianMilliseconds(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
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

}  // namespace

int main() {
    OleInitialize(nullptr);
    constexpr int Rounds = 25;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);

    std::vector<double> bare;
    {
        win32::WindowDc screen(GetDesktopWindow());
        win32::UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), width, height));
        win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
        win32::SelectedObject selected(memory.get(), picture.get());
        for (int i = 0; i < Rounds; ++i) {
            bare.push_back(Time([&] { BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY); }));
        }
    }

    std::vector<double> shown;
    {
        win32::Win32MainWindow window(GetModuleHandleW(nullptr));
        const ScatterSettings settings{100, 5, 1, 1};
        const LaunchList list;
        const NothingFound search;
        for (int i = 0; i < Rounds; ++i) {
            // One fast tick short of the lead-in: the next one decides.
            ScatterState state{0, 0, 4, 0, false};
            shown.push_back(Time([&] {
                const TickAction action = ScatterTick(state, settings, list, {400, 300}, search);
                if (action.ShowOverlay) window.ShowOverlay(*action.ShowOverlay);
                UpdateWindow(window.Handle());
            }));
            window.Hide();
            Pump();
        }
    }

    const double bareMedian = MedianMilliseconds(bare);
    const double shownMedian = MedianMilliseconds(shown);
    std::printf("screen %dx%d, %d rounds\n", width, height, Rounds);
    std::printf("bare full-screen BitBlt:        %8.3f ms (median)\n", bareMedian);
    std::printf("deciding tick to overlay shown: %8.3f ms (median)\n", shownMedian);
    std::printf("ratio:                          %8.2f\n", shownMedian / bareMedian);
    OleUninitialize();
    return 0;
}

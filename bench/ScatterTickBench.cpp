// What one timer tick costs the resident program, five times a second.

#include <benchmark/benchmark.h>

#include "scatter/ScatterTick.h"
#include "tests/support/Fakes.h"

namespace yomorina {
namespace {

LaunchList FullList(testing::FakeDirectorySearch& search) {
    LaunchList list;
    for (int slot = 0; slot < LaunchSlotCount; ++slot) {
        const std::string number = std::to_string(slot);
        list[slot] = {"プログラム" + number, "C:\\Program Files\\ソフト\\program" + number + ".exe"};
        search.existing.insert(list[slot].Path);
    }
    list[4] = {"ゴミ箱", "ゴミ箱"};
    return list;
}

// The usual case: the pointer rests or wanders while nothing is shown.
void IdleTick(benchmark::State& state) {
    testing::FakeDirectorySearch search;
    const testing::FakeMonitors monitors;
    const testing::FakeUserAttention attention;
    const LaunchList list = FullList(search);
    const ScatterSettings settings{100, 5, 1, 0};
    ScatterState tracking;
    std::int32_t x = 0;
    for (auto _ : state) {
        x = (x + 7) % 1280;
        benchmark::DoNotOptimize(ScatterTick(tracking, settings, list, {x, 400}, search, monitors, attention));
    }
}
BENCHMARK(IdleTick);

// During a scatter with one tick per tile: every tick places a tile (the list
// is run through again and again).
void ScatterTickPlacingATile(benchmark::State& state) {
    testing::FakeDirectorySearch search;
    const testing::FakeMonitors monitors;
    const testing::FakeUserAttention attention;
    const LaunchList list = FullList(search);
    const ScatterSettings settings{100, 5, 1, 0};
    ScatterState tracking{{0, 400}, 0, 0, true};
    std::int32_t x = 0;
    for (auto _ : state) {
        if (tracking.nextSlot == LaunchSlotCount) tracking.nextSlot = 0;
        x = x > 1000 ? 0 : x + 60;
        benchmark::DoNotOptimize(ScatterTick(tracking, settings, list, {x, 400}, search, monitors, attention));
    }
}
BENCHMARK(ScatterTickPlacingATile);

}  // namespace
}  // namespace yomorina

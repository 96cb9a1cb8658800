// The list file is read once at start-up and written on each OK of the options:
// both should stay far below anything a person could notice.

#include <benchmark/benchmark.h>

#include "core/ListFile.h"
#include "tests/support/IconvCodePage932.h"

namespace {

yomorina::LaunchList FullList() {
    yomorina::LaunchList list;
    for (int slot = 0; slot < yomorina::LaunchSlotCount; ++slot) {
        list[slot] = {"表計算ソフト " + std::to_string(slot),
                      "C:\\Program Files\\ソフト\\アプリケーション" + std::to_string(slot) + "\\app.exe"};
    }
    return list;
}

void EncodeFullList(benchmark::State& state) {
    const yomorina::testing::IconvCodePage932 codePage;
    const auto list = FullList();
    for (auto _ : state) {
        benchmark::DoNotOptimize(yomorina::EncodeListFile({100, 5, 1, 0}, list, codePage));
    }
}
BENCHMARK(EncodeFullList);

void DecodeFullList(benchmark::State& state) {
    const yomorina::testing::IconvCodePage932 codePage;
    const std::string bytes = yomorina::EncodeListFile({100, 5, 1, 0}, FullList(), codePage);
    for (auto _ : state) {
        yomorina::ScatterSettings settings;
        yomorina::LaunchList list;
        yomorina::DecodeListFile(bytes, settings, list, codePage);
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(DecodeFullList);

}  // namespace

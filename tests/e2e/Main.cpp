// The end-to-end suite: which yomorina.exe to drive and where to leave screenshots.

#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    yomorina::e2e::ReadOptions(argc, argv);
    return RUN_ALL_TESTS();
}

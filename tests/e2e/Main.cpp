// The end-to-end suite: which yomorina.exe to drive and where to leave screenshots.

#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--yomorina-exe=", 0) == 0) yomorina::e2e::Options().exe = argument.substr(15);
        if (argument.rfind("--artifacts=", 0) == 0) yomorina::e2e::Options().artifacts = argument.substr(12);
        if (argument == "--showcase") yomorina::e2e::Options().showcase = true;
    }
    return RUN_ALL_TESTS();
}

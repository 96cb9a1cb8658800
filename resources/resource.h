#pragma once
// Resource identifiers shared by the .rc file and the code that loads them.

#define IDI_YOMORINA 1
#define IDI_TRAY 2
#define IDI_RECYCLE_BIN 3

// The program's version, for the version resource, the build and the release
// package alike; CMake checks that the text matches the numbers.
#define YOMORINA_VERSION_MAJOR 1
#define YOMORINA_VERSION_MINOR 1
#define YOMORINA_VERSION_PATCH 0
#define YOMORINA_VERSION_TEXT "1.1.0"

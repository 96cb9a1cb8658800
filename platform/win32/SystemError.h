#pragma once

#include <windows.h>

#include <string>

namespace yomorina::win32 {

// The system's own words for an error code, in the user's language.
std::string DescribeSystemError(DWORD error);

}  // namespace yomorina::win32

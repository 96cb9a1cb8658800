#pragma once

#include <windows.h>

#include <string>

namespace yomorina::win32 {

// The system's own words for an error code, in the user's language.
std::string DescribeSystemError(DWORD error);
// The same for a COM result: a wrapped system error reads as that error.
std::string DescribeComError(HRESULT result);

}  // namespace yomorina::win32

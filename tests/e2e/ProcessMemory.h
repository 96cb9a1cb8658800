#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace yomorina::e2e {

// Another process's private memory in MiB: Windows' private bytes; under Wine,
// which leaves those at 0, Linux's count of what only that process has written
// (RssAnon), read through drive Z: from the process whose command line holds
// marker (its folder, say). None when neither can be read.
std::optional<double> PrivateMemoryMiB(DWORD processId, const std::wstring& marker);

}  // namespace yomorina::e2e

#pragma once

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <string>

namespace yomorina::testing {

// Where the shell puts recycled files under Wine: the Linux trash of
// XDG_DATA_HOME, made ready. Wine deletes for good, silently, when it cannot
// make that trash, so the folder above it has to exist. Empty when the
// variable is not set (then the user's own trash would be used).
inline std::wstring PrepareWineTrash() {
    wchar_t value[1024] = {};
    if (GetEnvironmentVariableW(L"XDG_DATA_HOME", value, 1024) == 0) return {};
    std::wstring home = L"Z:" + std::wstring(value);
    std::replace(home.begin(), home.end(), L'/', L'\\');
    SHCreateDirectoryExW(nullptr, home.c_str(), nullptr);
    return home + L"\\Trash\\files";
}

}  // namespace yomorina::testing

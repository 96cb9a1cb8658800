#include "platform/win32/files/ExecutableFolder.h"

#include <windows.h>

#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring FolderOf(const std::wstring& path) {
    const auto lastSeparator = path.find_last_of(L'\\');
    if (lastSeparator == std::wstring::npos) return {};
    // At a drive root the folder keeps its "\" (C:\), as the system writes it.
    const bool isDriveRoot = lastSeparator == 2 && path[1] == L':';
    return path.substr(0, isDriveRoot ? lastSeparator + 1 : lastSeparator);
}

std::string ExecutableFolder::Path() const { return ToUtf8(FolderOf(ExecutablePath())); }

}  // namespace yomorina::win32

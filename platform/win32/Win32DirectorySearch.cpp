#include "platform/win32/Win32DirectorySearch.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace yomorina::win32 {

bool Win32DirectorySearch::FindsEntry(std::string_view path) const {
    if (path.empty()) return false;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW(ToWide(path).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool admitted = false;
    do {
        admitted = (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
    } while (!admitted && FindNextFileW(search, &found));
    FindClose(search);
    return admitted;
}

}  // namespace yomorina::win32

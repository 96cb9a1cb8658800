#include "platform/win32/Win32DirectorySearch.h"

#include <windows.h>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace yomorina::win32 {

bool Win32DirectorySearch::FindsEntry(std::string_view path) const {
    if (path.empty()) return false;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(
        FindFirstFileExW(ToWide(path).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
    if (!search) return false;
    bool admitted = false;
    do {
        admitted = (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
    } while (!admitted && FindNextFileW(search.get(), &found));
    return admitted;
}

}  // namespace yomorina::win32

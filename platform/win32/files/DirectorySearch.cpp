#include "platform/win32/files/DirectorySearch.h"

#include <windows.h>

#include <vector>

#include "platform/win32/base/Handles.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {

constexpr DWORD NotAdmitted = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool IsVolumeRoot(const std::wstring& folder) {
    std::vector<wchar_t> volume(folder.size() + 2, L'\0');
    if (!GetVolumePathNameW(folder.c_str(), volume.data(), static_cast<DWORD>(volume.size()))) return false;
    return CompareStringOrdinal(volume.data(), -1, folder.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// A search for "C:\Data\" looks for an entry with an empty name and finds
// none, so a path ending in "\" is asked about as the folder it names. Drive
// roots report hidden and system on some systems, yet a root is what the user
// chose (a dropped drive), so it is admitted whatever it reports.
bool FindsFolder(const std::wstring& folder) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
    return (attributes & NotAdmitted) == 0 || IsVolumeRoot(folder);
}

}  // namespace

bool DirectorySearch::FindsEntry(std::string_view path) const {
    if (path.empty()) return false;
    const std::wstring widePath = ToWide(path);
    if (widePath.back() == L'\\') return FindsFolder(widePath);
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(
        FindFirstFileExW(widePath.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
    if (!search) return false;
    bool admitted = false;
    do {
        admitted = (found.dwFileAttributes & NotAdmitted) == 0;
    } while (!admitted && FindNextFileW(search.get(), &found));
    return admitted;
}

}  // namespace yomorina::win32

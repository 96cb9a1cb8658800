#include "platform/win32/files/TargetIcon.h"

#include <shellapi.h>
#include <shlobj.h>

#include <climits>
#include <vector>

#include "platform/win32/base/Handles.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {

UniqueIcon FileIcon(const std::wstring& path, int index, int side) {
    if (side > 0) {
        // The file's own picture at that size where it has one, rather than
        // the system's large size (larger at high DPI) squeezed.
        HICON sized = nullptr;
        if (SHDefExtractIconW(path.c_str(), index, 0, &sized, nullptr, static_cast<UINT>(side)) == S_OK && sized) {
            return UniqueIcon(sized);
        }
    }
    HICON large = nullptr;
    HICON small = nullptr;
    // Only the count tells whether the handles were written: Wine leaves
    // garbage in them for a folder, and for a file it cannot open the count
    // is UINT_MAX, not 0.
    const UINT count = ExtractIconExW(path.c_str(), index, &large, &small, 1);
    if (count == 0 || count == UINT_MAX) return UniqueIcon();
    UniqueIcon largeIcon(large);
    UniqueIcon smallIcon(small);
    // A file with only a small icon still shows something rather than a blank tile.
    return largeIcon ? std::move(largeIcon) : std::move(smallIcon);
}

UniqueIcon AssociatedIcon(const std::wstring& path) {
    // The call may write the associated program's path into the buffer; the
    // entry's own path must stay as it is.
    if (path.size() >= MAX_PATH) return UniqueIcon();
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    path.copy(buffer.data(), path.size());
    WORD index = 0;
    SetLastError(ERROR_SUCCESS);
    HICON icon = ExtractAssociatedIconW(GetModuleHandleW(nullptr), buffer.data(), &index);
    const DWORD error = GetLastError();
    // 1 is the "not an executable" answer of the older extraction API, not an icon.
    if (icon == reinterpret_cast<HICON>(1)) return UniqueIcon();
    UniqueIcon owned(icon);
    if (error == ERROR_FILE_NOT_FOUND) owned.reset();
    return owned;
}

UniqueIcon ShellIcon(const std::wstring& path, int side) {
    SHFILEINFOW info{};
    // Where the shell takes the icon from, extracted here at the tile's size: asking the
    // shell for the icon itself fills its image lists of every size, up to 256 pixels,
    // which the program would then carry for the rest of its run.
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICONLOCATION) && info.szDisplayName[0]) {
        if (UniqueIcon icon = FileIcon(info.szDisplayName, info.iIcon, side)) return icon;
    }
    if (!SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON)) return UniqueIcon();
    return UniqueIcon(info.hIcon);
}

}  // namespace

UniqueIcon TargetIcon(std::string_view path, int side) {
    const std::wstring widePath = ToWide(path);
    UniqueIcon icon = FileIcon(widePath, 0, side);
    // Documents and folders: their program's icon, or the shell's where the
    // association lookup has none (Wine, and some types on Windows).
    if (!icon) icon = AssociatedIcon(widePath);
    if (!icon) icon = ShellIcon(widePath, side);
    return icon;
}

bool DrawTargetIcon(HDC dc, std::string_view path, int side) {
    const UniqueIcon icon = TargetIcon(path, side);
    if (!icon) return false;
    return DrawIconEx(dc, 0, 0, icon.get(), side, side, 0, nullptr, DI_NORMAL) != FALSE;
}

}  // namespace yomorina::win32

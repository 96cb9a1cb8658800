#include "platform/win32/Win32FileStore.h"

#include "platform/win32/Handles.h"
#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace yomorina::win32 {
namespace {

FileWriteOutcome Failed(DWORD error) { return {false, DescribeSystemError(error)}; }

}  // namespace

bool Win32FileStore::Exists(std::string_view path) const {
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32FileStore::ReadAll(std::string_view path) const {
    UniqueFileHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    // The list file is a few kilobytes; anything huge is not ours to load.
    constexpr LONGLONG Largest = 16 * 1024 * 1024;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > Largest) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

FileWriteOutcome Win32FileStore::ReplaceWhole(std::string_view path, std::string_view bytes) {
    // Write beside the file and swap it in, so a failure at any point leaves the
    // old file whole.
    const std::wstring target = ToWide(path);
    const std::wstring temporary = target + L".saving";
    // A file the user made read-only is not ours to replace; Windows refuses the
    // swap below by itself, Wine would not.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return Failed(ERROR_ACCESS_DENIED);
    }
    {
        UniqueFileHandle file(
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return Failed(GetLastError());
        DWORD written = 0;
        const bool wrote = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                           written == bytes.size() && FlushFileBuffers(file.get());
        if (!wrote) {
            const DWORD error = GetLastError();
            file.reset();
            DeleteFileW(temporary.c_str());
            return Failed(error ? error : ERROR_WRITE_FAULT);
        }
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return Failed(error);
    }
    return {true, {}};
}

}  // namespace yomorina::win32

#include "platform/win32/files/FileStore.h"

#include <vector>

#include "platform/win32/base/Handles.h"
#include "platform/win32/base/SystemError.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {

// Apart enough that waiting is no busy loop, close enough that a short hold costs little.
constexpr DWORD RetryPauseMilliseconds = 250;
// Antivirus and sync tools hold a file they have just seen for a moment.
constexpr std::chrono::milliseconds SavePatience{1000};

FileWriteOutcome Failed(DWORD error) { return {false, DescribeSystemError(error)}; }

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool IsHeldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Calls `attempt` (which returns 0 or an error) again after a pause while
// `worthWaiting` says so and the patience lasts; the last error, or 0.
template <typename Attempt, typename WorthWaiting>
DWORD Persist(std::chrono::milliseconds patience, Attempt attempt, WorthWaiting worthWaiting) {
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const DWORD error = attempt();
        if (error == ERROR_SUCCESS || !worthWaiting(error) || std::chrono::steady_clock::now() >= giveUp) {
            return error;
        }
        Sleep(RetryPauseMilliseconds);
    }
}

DWORD ReadOnce(const std::wstring& path, std::string& bytes) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return GetLastError();
    // The list file is a few kilobytes; anything huge is not ours to load.
    constexpr LONGLONG Largest = 16 * 1024 * 1024;
    if (size.QuadPart > Largest) return ERROR_FILE_TOO_LARGE;
    bytes.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return GetLastError();
    }
    bytes.resize(read);
    return ERROR_SUCCESS;
}

// The file a symbolic link names (a list kept in a sync folder), so that the
// link stays a link; the path itself for a plain file or when it cannot be told.
std::wstring FileBehind(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return path;
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.get(), name.data(), static_cast<DWORD>(name.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return path;
        if (length < name.size()) return std::wstring(name.data(), length);
        name.resize(length + 1);
    }
}

// Whether another program has the file open in a way the swap would collide
// with. Asked before ReplaceFileW, which under Wine leaves an empty "rf*.tmp"
// beside the file at each failed try.
DWORD OpenForReplacing(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ | DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? ERROR_SUCCESS : GetLastError();
}

}  // namespace

bool FileStore::Exists(std::string_view path) const {
    // Only a file known to be missing counts as missing: the default file must never replace one we could not look at.
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES || !IsMissing(GetLastError());
}

FileReadOutcome FileStore::Read(std::string_view path, std::chrono::milliseconds patience) const {
    const std::wstring name = ToWide(path);
    std::string bytes;
    // Whatever keeps an existing file from us (a hold without sharing, a denial,
    // a cloud placeholder still downloading) may pass.
    const DWORD error = Persist(patience, [&] { return ReadOnce(name, bytes); },
                                [](DWORD failure) { return !IsMissing(failure) && failure != ERROR_FILE_TOO_LARGE; });
    if (error == ERROR_SUCCESS) return {std::move(bytes), false, {}};
    return {std::nullopt, IsMissing(error), DescribeSystemError(error)};
}

FileWriteOutcome FileStore::ReplaceWhole(std::string_view path, std::string_view bytes) {
    // Write beside the file and swap it in, so a failure at any point leaves the
    // old file whole.
    const std::wstring target = FileBehind(ToWide(path));
    const std::wstring temporary = target + L".saving";
    // A file the user made read-only is not ours to replace; Windows refuses the
    // swap below by itself, Wine would not.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool isNew = attributes == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError());
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
    DWORD error = ERROR_SUCCESS;
    if (isNew) {
        if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = GetLastError();
        }
    } else {
        // ReplaceFileW keeps the file's attributes, permissions and identity. Wine's
        // leaves the attributes behind; handing them over first does no harm on Windows.
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            SetFileAttributesW(temporary.c_str(), attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
        }
        error = Persist(
            SavePatience,
            [&] {
                if (const DWORD held = OpenForReplacing(target); held != ERROR_SUCCESS) return held;
                const bool replaced = ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                                   REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                                                   nullptr, nullptr);
                return replaced ? DWORD{ERROR_SUCCESS} : GetLastError();
            },
            IsHeldByAnother);
        // The old file is gone and the new one still has its temporary name: finish the move.
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
            MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = ERROR_SUCCESS;
        }
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        return Failed(error);
    }
    return {true, {}};
}

}  // namespace yomorina::win32

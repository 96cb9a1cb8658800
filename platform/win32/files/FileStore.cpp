#include "platform/win32/files/FileStore.h"

#include <vector>

#include "platform/win32/base/Handles.h"
#include "platform/win32/base/SystemError.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::win32 {
namespace {

// Apart enough that waiting is no busy loop, close enough that a short hold costs little.
constexpr std::chrono::milliseconds RetryPause{250};
// Antivirus and sync tools hold a file they have just seen for a moment.
constexpr std::chrono::milliseconds SavePatience{1000};

FileWriteOutcome Failed(DWORD error) { return {false, DescribeSystemError(error)}; }

DWORD LastErrorUnless(bool succeeded) { return succeeded ? DWORD{ERROR_SUCCESS} : GetLastError(); }

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// What keeps the swap from happening for a moment: a program holding either
// file, or an antivirus scanner or indexer opening the file just closed.
bool IsPassing(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_ACCESS_DENIED;
}

// Calls `attempt` (which returns 0 or an error) again after a pause while
// `worthWaiting` says so and the patience lasts; the last error, or 0. The
// pauses are counted rather than timed, so that a test's pauses cost nothing.
template <typename Attempt, typename WorthWaiting, typename Pause>
DWORD Persist(std::chrono::milliseconds patience, Attempt attempt, WorthWaiting worthWaiting, Pause pause) {
    for (auto waited = std::chrono::milliseconds(0);; waited += RetryPause) {
        const DWORD error = attempt();
        if (error == ERROR_SUCCESS || !worthWaiting(error) || waited >= patience) return error;
        pause();
    }
}

void WaitBeforeTryingAgain() { Sleep(static_cast<DWORD>(RetryPause.count())); }

std::wstring TemporaryFor(const std::wstring& target) { return target + L".saving"; }

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
    std::wstring behind = FinalPath(path);
    return behind.empty() ? path : behind;
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

std::wstring FinalPath(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return {};
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.get(), name.data(), static_cast<DWORD>(name.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return {};
        if (length < name.size()) return std::wstring(name.data(), length);
        name.resize(length + 1);
    }
}

DWORD SystemSaveCalls::ClearAttributes(const std::wstring& path) {
    return LastErrorUnless(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
}

DWORD SystemSaveCalls::CreateTemporary(const std::wstring& path, UniqueFileHandle& file) {
    file.reset(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return LastErrorUnless(file.IsValid());
}

DWORD SystemSaveCalls::Write(HANDLE file, std::string_view bytes) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return GetLastError();
    return written == bytes.size() ? DWORD{ERROR_SUCCESS} : DWORD{ERROR_WRITE_FAULT};
}

DWORD SystemSaveCalls::Flush(HANDLE file) { return LastErrorUnless(FlushFileBuffers(file)); }

DWORD SystemSaveCalls::CopyAttributes(const std::wstring& path, DWORD attributes) {
    return LastErrorUnless(SetFileAttributesW(path.c_str(), attributes));
}

DWORD SystemSaveCalls::Replace(const std::wstring& target, const std::wstring& replacement) {
    if (const DWORD held = OpenForReplacing(target); held != ERROR_SUCCESS) return held;
    return LastErrorUnless(ReplaceFileW(target.c_str(), replacement.c_str(), nullptr,
                                        REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                                        nullptr));
}

DWORD SystemSaveCalls::Move(const std::wstring& from, const std::wstring& to) {
    return LastErrorUnless(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

DWORD SystemSaveCalls::Delete(const std::wstring& path) { return LastErrorUnless(DeleteFileW(path.c_str())); }

void SystemSaveCalls::Pause() { WaitBeforeTryingAgain(); }

FileStore::FileStore() : FileStore([]() -> SaveCalls& {
    static SystemSaveCalls system;
    return system;
}()) {}

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
                                [](DWORD failure) { return !IsMissing(failure) && failure != ERROR_FILE_TOO_LARGE; },
                                WaitBeforeTryingAgain);
    if (error == ERROR_SUCCESS) return {std::move(bytes), false, {}};
    return {std::nullopt, IsMissing(error), DescribeSystemError(error)};
}

FileWriteOutcome FileStore::ReplaceWhole(std::string_view path, std::string_view bytes) {
    // Write beside the file and swap it in, so that a failure at any point leaves
    // the old file whole, or once Windows has taken it away, the new one beside.
    const std::wstring target = FileBehind(ToWide(path));
    const std::wstring temporary = TemporaryFor(target);
    // A file the user made read-only is not ours to replace; Windows refuses the
    // swap below by itself, Wine would not. Nor is a folder, which no wait opens.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool isNew = attributes == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return Failed(ERROR_ACCESS_DENIED);
    }
    // A start taking back an interrupted save finds these very bytes waiting:
    // moved as they are, the only copy is never written over.
    std::string waiting;
    const bool takingBack = isNew && ReadOnce(temporary, waiting) == ERROR_SUCCESS && waiting == bytes;
    if (!takingBack) {
        DWORD error = ERROR_SUCCESS;
        {
            // One a save left behind may have the list's hidden and system bits,
            // and asked for a plain file Windows refuses to write over such a one.
            calls_.ClearAttributes(temporary);
            UniqueFileHandle file;
            error = calls_.CreateTemporary(temporary, file);
            if (error != ERROR_SUCCESS) return Failed(error);
            error = calls_.Write(file.get(), bytes);
            if (error == ERROR_SUCCESS) error = calls_.Flush(file.get());
        }
        if (error != ERROR_SUCCESS) {
            calls_.Delete(temporary);
            return Failed(error);
        }
    }
    const auto pause = [this] { calls_.Pause(); };
    DWORD error = ERROR_SUCCESS;
    bool oldFileGone = false;
    if (!isNew) {
        // ReplaceFileW keeps the file's attributes, permissions and identity. Wine's
        // leaves the attributes behind; handing them over first does no harm on
        // Windows, and failing to changes only how the file looks.
        calls_.CopyAttributes(temporary, attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
        error = Persist(SavePatience, [&] { return calls_.Replace(target, temporary); }, IsPassing, pause);
        // The old file is deleted (1176) or renamed out of the way (1177) and the
        // new one still has its temporary name.
        oldFileGone = error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    }
    if (isNew || oldFileGone) {
        error = Persist(SavePatience, [&] { return calls_.Move(temporary, target); }, IsPassing, pause);
    }
    if (error != ERROR_SUCCESS) {
        // Once the old file is gone the temporary is the only whole list; the next start takes it back.
        if (!oldFileGone && !takingBack) calls_.Delete(temporary);
        return Failed(error);
    }
    return {true, {}};
}

std::optional<std::string> FileStore::InterruptedReplacement(std::string_view path) const {
    const std::wstring target = FileBehind(ToWide(path));
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES || !IsMissing(GetLastError())) {
        return std::nullopt;
    }
    std::string bytes;
    if (ReadOnce(TemporaryFor(target), bytes) != ERROR_SUCCESS) return std::nullopt;
    return bytes;
}

void FileStore::DiscardInterruptedReplacement(std::string_view path) {
    calls_.Delete(TemporaryFor(FileBehind(ToWide(path))));
}

}  // namespace yomorina::win32

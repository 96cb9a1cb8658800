#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/FileStore.h"
#include "platform/win32/base/Handles.h"

namespace yomorina::win32 {

// Where a path leads after any symbolic link, as the system names it; empty
// when that cannot be told (nothing there, no access).
std::wstring FinalPath(const std::wstring& path);

// The file calls a save makes, each answering 0 or the system's error, so that
// a test can fail any of them, or stop the save right after one, on a real disk.
class SaveCalls {
public:
    virtual ~SaveCalls() = default;
    virtual DWORD ClearAttributes(const std::wstring& path) = 0;
    virtual DWORD CreateTemporary(const std::wstring& path, UniqueFileHandle& file) = 0;
    virtual DWORD Write(HANDLE file, std::string_view bytes) = 0;
    virtual DWORD Flush(HANDLE file) = 0;
    virtual DWORD CopyAttributes(const std::wstring& path, DWORD attributes) = 0;
    // The replacement takes the target's name, attributes and identity.
    virtual DWORD Replace(const std::wstring& target, const std::wstring& replacement) = 0;
    virtual DWORD Move(const std::wstring& from, const std::wstring& to) = 0;
    virtual DWORD Delete(const std::wstring& path) = 0;
    // Between two tries of a step that another program is in the way of.
    virtual void Pause() = 0;
};

class SystemSaveCalls final : public SaveCalls {
public:
    DWORD ClearAttributes(const std::wstring& path) override;
    DWORD CreateTemporary(const std::wstring& path, UniqueFileHandle& file) override;
    DWORD Write(HANDLE file, std::string_view bytes) override;
    DWORD Flush(HANDLE file) override;
    DWORD CopyAttributes(const std::wstring& path, DWORD attributes) override;
    DWORD Replace(const std::wstring& target, const std::wstring& replacement) override;
    DWORD Move(const std::wstring& from, const std::wstring& to) override;
    DWORD Delete(const std::wstring& path) override;
    void Pause() override;
};

class FileStore final : public yomorina::FileStore {
public:
    FileStore();
    explicit FileStore(SaveCalls& calls) : calls_(calls) {}
    bool Exists(std::string_view path) const override;
    FileReadOutcome Read(std::string_view path, std::chrono::milliseconds patience) const override;
    FileWriteOutcome ReplaceWhole(std::string_view path, std::string_view bytes) override;
    std::optional<std::string> InterruptedReplacement(std::string_view path) const override;
    void DiscardInterruptedReplacement(std::string_view path) override;

private:
    SaveCalls& calls_;
};

}  // namespace yomorina::win32

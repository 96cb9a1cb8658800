#pragma once
// The shell's "open", the fallback process start and the wait, for Opener.

#include <windows.h>

#include "platform/ProcessWait.h"
#include "platform/RecycleBin.h"
#include "platform/Shell.h"

namespace yomorina::win32 {

class Win32Shell final : public Shell {
public:
    bool FindOnSearchPath(std::string_view name) const override;
    ShellOpenOutcome ShellExecuteOpen(const ShellOpenRequest& request) override;
    std::uint32_t StartProcess(std::string_view program, std::string_view commandLine) override;
};

class Win32ProcessWait final : public ProcessWait {
public:
    std::unique_ptr<LaunchedProcess> OpenProcess(std::uint32_t processId) override;
    void RunPendingEvents() override;
    void Pause(std::chrono::milliseconds duration) override;
};

// Moves files to the recycle bin with the shell's own dialogs, owned by a window of ours.
class Win32RecycleBin final : public RecycleBin {
public:
    explicit Win32RecycleBin(HWND owner) : owner_(owner) {}
    int MoveToRecycleBin(std::string_view path) override;

private:
    HWND owner_;
};

}  // namespace yomorina::win32

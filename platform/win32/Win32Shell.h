#pragma once
// The shell's "open" and the fallback process start, for Opener; the recycle bin.

#include <windows.h>

#include "platform/RecycleBin.h"
#include "platform/Shell.h"

namespace yomorina::win32 {

class Win32Shell final : public Shell {
public:
    bool FindOnSearchPath(std::string_view name) const override;
    bool ShellExecuteOpen(const ShellOpenRequest& request) override;
    bool StartProcess(std::string_view program, std::string_view commandLine) override;
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

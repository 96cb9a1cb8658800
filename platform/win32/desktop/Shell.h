#pragma once
// The shell's "open" and the fallback process start, for Opener; the recycle bin.

#include <windows.h>

#include "platform/RecycleBin.h"
#include "platform/Shell.h"

namespace yomorina::win32 {

class Shell final : public yomorina::Shell {
public:
    bool FindOnSearchPath(std::string_view name) const override;
    bool ShellExecuteOpen(const ShellOpenRequest& request) override;
    bool StartProcess(std::string_view program, std::string_view commandLine) override;
};

// Moves files to the recycle bin with the shell's own dialogs, owned by a window of ours.
class RecycleBin final : public yomorina::RecycleBin {
public:
    explicit RecycleBin(HWND owner) : owner_(owner) {}
    int MoveToRecycleBin(std::string_view path) override;

private:
    HWND owner_;
};

}  // namespace yomorina::win32

#pragma once
// The shell's "open" and the fallback process start, for Opener, with the
// search before them on the system's thread pool; the recycle bin.

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>

#include "platform/RecycleBin.h"
#include "platform/Shell.h"
#include "platform/win32/base/BaseWindow.h"

namespace yomorina::win32 {

// The system's own search order; see SearchOrderTest.
bool FindsOnSearchPath(std::string_view name);

// What a search hands back is run from the message loop of the thread that made
// the shell, through a message-only window of its own.
class Shell final : public yomorina::Shell, public BaseWindow<Shell> {
public:
    // The test the searches use; tests hand in one that blocks.
    explicit Shell(SearchOrderTest onSearchPath = FindsOnSearchPath);
    // Searches still running keep what they need and drop what they hand back.
    ~Shell() override;

    void SearchAway(Search search) override;
    bool ShellExecuteOpen(const ShellOpenRequest& request) override;
    bool StartProcess(std::string_view program, std::string_view commandLine) override;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    struct Searches;

private:
    std::shared_ptr<Searches> searches_;
};

// Moves files to the recycle bin with the shell's own dialogs, owned by a window of ours.
class RecycleBin final : public yomorina::RecycleBin {
public:
    // owner names the window the shell's dialogs belong to at each move, as
    // that window may come into being later; without it they belong to none.
    explicit RecycleBin(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    int MoveToRecycleBin(std::string_view path) override;

private:
    std::function<HWND()> owner_;
};

}  // namespace yomorina::win32

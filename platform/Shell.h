#pragma once
// What the launcher needs from the system: the search-order existence test,
// the shell's "open", starting a command line as a process, and waiting.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace yomorina {

// A window handle as the system gives it; 0 is none.
using WindowHandle = std::uintptr_t;

// The exit code a process reports while it runs.
inline constexpr std::uint32_t StillActive = 259;

// A started process that can be asked whether it has ended; released with the object.
class LaunchedProcess {
public:
    virtual ~LaunchedProcess() = default;
    // Empty when the system cannot tell (no process behind the handle).
    virtual std::optional<std::uint32_t> ExitCode() = 0;
};

struct ShellOpenRequest {
    std::string File;
    std::string Parameters;  // empty: none
    int Show = 0;            // the system's SW_ value
    WindowHandle Owner = 0;
    bool KeepProcess = false;  // hand back the started process, to wait for it
};

struct ShellOpenOutcome {
    bool Accepted = false;
    std::unique_ptr<LaunchedProcess> Process;  // only when kept, and when the shell started one
};

class Shell {
public:
    virtual ~Shell() = default;
    // True when a file (or folder) of exactly this name is found in the system's
    // default search order; no extension is added.
    virtual bool FindOnSearchPath(std::string_view name) const = 0;
    // The verb "open" through the shell, with no error dialogs of its own.
    virtual ShellOpenOutcome ShellExecuteOpen(const ShellOpenRequest& request) = 0;
    // Starts a process in a normal, activated window; its id, 0 when it did not start.
    // With a program (a name FindOnSearchPath finds), that file is started and given
    // the command line as it is; with none, the system takes the program from the
    // front of the command line, cutting it at a space where it sees fit.
    virtual std::uint32_t StartProcess(std::string_view program, std::string_view commandLine) = 0;
    // A process by id, to query its exit code; null when it cannot be opened.
    virtual std::unique_ptr<LaunchedProcess> OpenProcess(std::uint32_t processId) = 0;
    // Lets the user interface's pending events run, so it stays responsive while we wait.
    virtual void RunPendingEvents() = 0;
    virtual void Pause(std::chrono::milliseconds duration) = 0;
};

}  // namespace yomorina

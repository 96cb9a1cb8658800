#pragma once
// What only a launch that waits for its program needs: the started process,
// whether it still runs, and keeping the user interface alive meanwhile.

#include <chrono>
#include <cstdint>
#include <memory>

namespace yomorina {

enum class ProcessStatus {
    Running,
    Ended,
    Unknown,  // the system cannot tell (no process behind the handle)
};

// A started process that can be asked whether it has ended; released with the object.
class LaunchedProcess {
public:
    virtual ~LaunchedProcess() = default;
    virtual ProcessStatus Status() = 0;
};

class ProcessWait {
public:
    virtual ~ProcessWait() = default;
    // A process by id, to ask about; null when it cannot be opened.
    virtual std::unique_ptr<LaunchedProcess> OpenProcess(std::uint32_t processId) = 0;
    // Lets the user interface's pending events run, so it stays responsive while we wait.
    virtual void RunPendingEvents() = 0;
    virtual void Pause(std::chrono::milliseconds duration) = 0;
};

}  // namespace yomorina

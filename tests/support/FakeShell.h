#pragma once
// In-memory shell, process wait and recycle bin: which names exist, what was
// opened and started, what was waited for, what was moved; everything noted in a journal.

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/ProcessWait.h"
#include "platform/RecycleBin.h"
#include "platform/Shell.h"
#include "tests/support/Fakes.h"

namespace yomorina::testing {

// One fake for both seams of the launcher, so that a kept process and one
// opened by id report from the same queue.
class FakeShell final : public Shell, public ProcessWait {
public:
    explicit FakeShell(Journal& journal) : journal_(journal) {}

    std::set<std::string> existing;       // names FindOnSearchPath finds
    std::set<std::string> refused;        // files the shell does not open (besides those that do not exist)
    std::set<std::string> startable;      // command lines the fallback can start
    std::deque<ProcessStatus> statuses;   // what a kept process reports, one per query; then Ended
    bool shellStartsProcess = true;       // whether an accepted open yields a process to wait for
    std::vector<ShellOpenRequest> opened;
    mutable std::vector<std::string> lookedUp;  // every name asked about, in order
    int statusQueries = 0;
    std::function<void()> whileOpening;   // what other events do while the shell has the request

    bool FindOnSearchPath(std::string_view name) const override {
        lookedUp.emplace_back(name);
        return existing.count(std::string(name)) != 0;
    }
    ShellOpenOutcome ShellExecuteOpen(const ShellOpenRequest& request) override {
        opened.push_back(request);
        journal_.push_back("open " + request.File + " | " + request.Parameters);
        if (whileOpening) whileOpening();
        ShellOpenOutcome outcome;
        outcome.Accepted = existing.count(request.File) != 0 && refused.count(request.File) == 0;
        if (outcome.Accepted && request.KeepProcess && shellStartsProcess) outcome.Process = MakeProcess("shell");
        return outcome;
    }
    std::uint32_t StartProcess(std::string_view program, std::string_view commandLine) override {
        journal_.push_back("start " + (program.empty() ? "" : std::string(program) + " | ") + std::string(commandLine));
        return startable.count(std::string(commandLine)) != 0 ? 4242 : 0;
    }
    std::unique_ptr<LaunchedProcess> OpenProcess(std::uint32_t processId) override {
        journal_.push_back("open process " + std::to_string(processId));
        return MakeProcess("process " + std::to_string(processId));
    }
    void RunPendingEvents() override { journal_.push_back("pending events"); }
    void Pause(std::chrono::milliseconds duration) override {
        journal_.push_back("pause " + std::to_string(duration.count()));
    }

private:
    class Process final : public LaunchedProcess {
    public:
        Process(FakeShell& shell, std::string name) : shell_(shell), name_(std::move(name)) {}
        ~Process() override { shell_.journal_.push_back("release " + name_); }
        ProcessStatus Status() override {
            ++shell_.statusQueries;
            shell_.journal_.push_back("status of " + name_);
            if (shell_.statuses.empty()) return ProcessStatus::Ended;
            const ProcessStatus status = shell_.statuses.front();
            shell_.statuses.pop_front();
            return status;
        }

    private:
        FakeShell& shell_;
        std::string name_;
    };
    std::unique_ptr<LaunchedProcess> MakeProcess(std::string name) {
        return std::make_unique<Process>(*this, std::move(name));
    }

    Journal& journal_;
};

class FakeRecycleBin final : public RecycleBin {
public:
    explicit FakeRecycleBin(Journal& journal) : journal_(journal) {}
    std::set<std::string> failing;  // paths the shell does not move
    std::vector<std::string> moved;

    int MoveToRecycleBin(std::string_view path) override {
        journal_.push_back("recycle " + std::string(path));
        if (failing.count(std::string(path)) != 0) return 2;
        moved.emplace_back(path);
        return 0;
    }

private:
    Journal& journal_;
};

}  // namespace yomorina::testing

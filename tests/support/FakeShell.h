#pragma once
// In-memory shell and recycle bin: which names exist, what was opened and
// started, what was moved; everything noted in a journal. As the system's pool, the
// shell runs no search while asked, and finishes those it holds in any order: the last first.

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/RecycleBin.h"
#include "platform/Shell.h"
#include "tests/support/Fakes.h"

namespace yomorina::testing {

class FakeShell final : public Shell {
public:
    explicit FakeShell(Journal& journal) : journal_(journal) {}

    std::set<std::string> existing;       // names FindOnSearchPath finds
    std::set<std::string> refused;        // files the shell does not open (besides those that do not exist)
    std::set<std::string> startable;      // command lines the fallback can start
    std::vector<ShellOpenRequest> opened;
    mutable std::vector<std::string> lookedUp;  // every name asked about, in order
    std::function<void()> meanwhile;      // what runs while the shell opens something (a modal loop's ticks)

    bool FindOnSearchPath(std::string_view name) const {
        lookedUp.emplace_back(name);
        return existing.count(std::string(name)) != 0;
    }
    void SearchAway(Search search) override { held_.push_back(std::move(search)); }
    void FinishSearches() {
        const auto onSearchPath = [this](std::string_view name) { return FindOnSearchPath(name); };
        auto held = std::exchange(held_, {});
        for (auto search = held.rbegin(); search != held.rend(); ++search) {
            if (const AfterSearch after = (*search)(onSearchPath)) after();
        }
    }
    bool ShellExecuteOpen(const ShellOpenRequest& request) override {
        if (meanwhile) meanwhile();
        opened.push_back(request);
        journal_.push_back("open " + request.File + " | " + request.Parameters);
        return existing.count(request.File) != 0 && refused.count(request.File) == 0;
    }
    bool StartProcess(std::string_view program, std::string_view commandLine) override {
        journal_.push_back("start " + (program.empty() ? "" : std::string(program) + " | ") + std::string(commandLine));
        return startable.count(std::string(commandLine)) != 0;
    }

private:
    Journal& journal_;
    std::vector<Search> held_;
};

class FakeRecycleBin final : public RecycleBin {
public:
    explicit FakeRecycleBin(Journal& journal) : journal_(journal) {}
    std::set<std::string> failing;  // paths the shell does not move
    std::vector<std::string> moved;
    std::function<void()> meanwhile;  // what runs in the shell's modal loop

    int MoveToRecycleBin(std::string_view path) override {
        if (meanwhile) meanwhile();
        journal_.push_back("recycle " + std::string(path));
        if (failing.count(std::string(path)) != 0) return 2;
        moved.emplace_back(path);
        return 0;
    }

private:
    Journal& journal_;
};

}  // namespace yomorina::testing

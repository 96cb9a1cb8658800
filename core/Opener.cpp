#include "core/Opener.h"

namespace yomorina {

SplitCommandLine SplitFileAndParameters(std::string_view commandLine,
                                        const std::function<bool(std::string_view)>& namesFile) {
    if (commandLine.empty()) return {std::string(commandLine), std::nullopt, false};
    if (namesFile(commandLine)) return {std::string(commandLine), std::nullopt, true};

    // Positions count from 1 as in a command line read by eye; position i holds commandLine[i - 1].
    const auto moveToSpace = [&](std::size_t i) {
        while (i > 0 && commandLine[i - 1] != ' ') --i;
        return i;
    };
    std::size_t i = moveToSpace(commandLine.size());
    while (i > 1) {
        const std::string_view file = commandLine.substr(0, i - 1);
        if (namesFile(file)) return {std::string(file), std::string(commandLine.substr(i)), true};
        --i;
        if (i > 1) i = moveToSpace(i);
    }
    return {std::string(commandLine), std::nullopt, false};
}

namespace {

std::string Quoted(std::string_view text) {
    // Appended, not joined with +: there GCC 12 reports a false -Wrestrict overlap in its own string code.
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '"').append(text).append(1, '"');
    return quoted;
}

// The file the split found and its parameter part, each in double quotes, so
// that nothing can cut them again at a space.
std::string QuotedCommandLine(const SplitCommandLine& split) {
    std::string commandLine = Quoted(split.File);
    if (split.Parameters) commandLine.append(1, ' ').append(Quoted(*split.Parameters));
    return commandLine;
}

}  // namespace

std::string QuotedParameters(const std::optional<std::string>& parameters) {
    if (!parameters) return {};
    return Quoted(*parameters);
}

Opener::Opener(Shell& shell, MainWindow& mainWindow) : shell_(shell), mainWindow_(mainWindow) {}

Opener::Opener(Shell& shell, ProcessWait& wait, MainWindow& mainWindow)
    : shell_(shell), wait_(&wait), mainWindow_(mainWindow) {}

bool Opener::FindOnSearchPath(std::string_view name) const { return shell_.FindOnSearchPath(name); }

bool Opener::Open(std::string_view commandLine, ShowState show, WindowHandle owner, bool wait) {
    // Nothing to split and nothing to open.
    if (commandLine.empty()) return false;
    if (!wait_) wait = false;

    mainWindow_.Hide();

    const SplitCommandLine split =
        SplitFileAndParameters(commandLine, [this](std::string_view name) { return FindOnSearchPath(name); });

    ShellOpenRequest request;
    request.File = split.File;
    request.Parameters = QuotedParameters(split.Parameters);
    request.Show = show;
    request.Owner = owner;
    request.KeepProcess = wait;
    ShellOpenOutcome opened = shell_.ShellExecuteOpen(request);
    if (opened.Accepted) {
        if (wait) WaitForEnd(opened.Process.get());
        return true;
    }

    // The shell refused (a name too long for it, a file with no handler). A file
    // the split found is started as itself, so that the system cannot cut its path
    // at a space and run another program ("C:\Program.exe") with the rest as
    // arguments; only a text in which nothing was found goes whole, for the system to split.
    const std::uint32_t processId = split.FoundFile ? shell_.StartProcess(split.File, QuotedCommandLine(split))
                                                    : shell_.StartProcess({}, commandLine);
    if (processId == 0) return false;
    if (wait) {
        const auto process = wait_->OpenProcess(processId);
        WaitForEnd(process.get());
    }
    return true;
}

void Opener::WaitForEnd(LaunchedProcess* process) {
    // A missing process ends the loop after one pass; so does a process that
    // can no longer be asked, rather than spinning forever.
    ProcessStatus status = ProcessStatus::Unknown;
    do {
        status = process ? process->Status() : ProcessStatus::Unknown;
        wait_->RunPendingEvents();
        wait_->Pause(WaitPollInterval);
    } while (status == ProcessStatus::Running);
}

}  // namespace yomorina

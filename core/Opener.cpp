#include "core/Opener.h"

#include <algorithm>
#include <utility>

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

// A program's name in double quotes: the system takes it up to the next quote, backslashes and all.
std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.push_back('"');
    quoted.append(text);
    quoted.push_back('"');
    return quoted;
}

// The file the split found and its parameter part, each quoted, so that
// nothing can cut them again at a space.
std::string QuotedCommandLine(const SplitCommandLine& split) {
    std::string commandLine = Quoted(split.File);
    if (split.Parameters) {
        commandLine.push_back(' ');
        commandLine.append(QuotedParameters(split.Parameters));
    }
    return commandLine;
}

bool StartsAPath(std::string_view word) {
    return (word.size() >= 2 && word[1] == ':') || word.starts_with('\\');
}

// A text in which nothing was found, for the system to find the program in.
// The system would try each space in turn as the program's end, so a path is
// quoted up to its last "\" (before a word that starts a path of its own):
// "C:\My Tools\x.exe" must never start C:\My.exe. A bare name ends at the
// first space; a text that starts with a quote was quoted by its writer.
std::string QuotedProgramPart(std::string_view text) {
    if (text.starts_with('"')) return std::string(text);
    std::size_t end = std::min(text.find(' '), text.size());
    if (text.substr(0, end).find('\\') != std::string_view::npos) {
        for (std::size_t start = end + 1; start < text.size();) {
            const std::size_t wordEnd = std::min(text.find(' ', start), text.size());
            const std::string_view word = text.substr(start, wordEnd - start);
            if (StartsAPath(word)) break;
            if (word.find('\\') != std::string_view::npos) end = wordEnd;
            start = wordEnd + 1;
        }
    }
    std::string commandLine = Quoted(text.substr(0, end));
    commandLine.append(text.substr(end));
    return commandLine;
}

}  // namespace

std::string QuotedParameters(const std::optional<std::string>& parameters) {
    if (!parameters) return {};
    // By the rules programs split their command line with: backslashes count
    // only before a quote, so those are doubled and a quote is escaped ("D:\" is "D:\\").
    std::string quoted;
    quoted.reserve(parameters->size() + 2);
    quoted.push_back('"');
    std::size_t backslashes = 0;
    for (const char c : *parameters) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') backslashes = backslashes * 2 + 1;
        quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, '\\');
    quoted.push_back('"');
    return quoted;
}

namespace {

// The split's file through the shell, or failing that as a process of its own.
bool OpenSplit(Shell& shell, std::string_view commandLine, const SplitCommandLine& split, ShowState show,
               WindowHandle owner) {
    ShellOpenRequest request;
    request.File = split.File;
    request.Parameters = QuotedParameters(split.Parameters);
    request.Show = show;
    request.Owner = owner;
    if (shell.ShellExecuteOpen(request)) return true;

    // The shell refused (a name too long for it, a file with no handler). A file
    // the split found is started as itself, so that the system cannot cut its path
    // at a space and run another program ("C:\Program.exe") with the rest as
    // arguments; a text in which nothing was found goes to the system to search
    // for its program, quoted so that it cannot do that either.
    return split.FoundFile ? shell.StartProcess(split.File, QuotedCommandLine(split))
                           : shell.StartProcess({}, QuotedProgramPart(commandLine));
}

}  // namespace

Opener::Opener(Shell& shell, BlockingCallRunner runBlocking)
    : shell_(shell),
      runBlocking_(runBlocking ? std::move(runBlocking) : [](const std::function<void()>& call) { call(); }) {}

void Opener::Open(std::vector<std::string> commandLines, ShowState show, WindowHandle owner, Opened opened) {
    // One search for all: searches finish in any order, and files dropped
    // together open in the order they were dropped.
    shell_.SearchAway([shell = &shell_, runBlocking = runBlocking_, commandLines = std::move(commandLines), show, owner,
                       opened = std::move(opened)](const SearchOrderTest& onSearchPath) -> AfterSearch {
        std::vector<SplitCommandLine> splits;
        for (const std::string& commandLine : commandLines) {
            splits.push_back(SplitFileAndParameters(commandLine, onSearchPath));
        }
        return [shell, runBlocking, commandLines, splits = std::move(splits), show, owner, opened] {
            for (std::size_t i = 0; i < commandLines.size(); ++i) {
                // Nothing to split and nothing to open.
                bool started = false;
                if (!commandLines[i].empty()) {
                    runBlocking([&] { started = OpenSplit(*shell, commandLines[i], splits[i], show, owner); });
                }
                if (opened) opened(started);
            }
        };
    });
}

}  // namespace yomorina

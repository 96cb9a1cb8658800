#pragma once
// The launcher: opens a program, a document or a folder, or a program with a
// file as its one argument, from a single command-line text. Never shows a message.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Shell.h"

namespace yomorina {

struct SplitCommandLine {
    std::string File;
    std::optional<std::string> Parameters;  // what follows the file, when a split was made (possibly empty)
    // File names a file that was found; false when nothing was and File is the whole text.
    bool FoundFile = false;

    friend bool operator==(const SplitCommandLine&, const SplitCommandLine&) = default;
};

// The file is the whole text when it names a file, otherwise the longest part
// ending just before a space that does, tried from the rightmost space leftwards;
// the rest (after that one space) is the parameter part. A leading space is never
// a split point. When nothing is found, the whole text is the file.
// The text is UTF-8, where a space byte is always a real space.
SplitCommandLine SplitFileAndParameters(std::string_view commandLine,
                                        const std::function<bool(std::string_view)>& namesFile);

// The parameter part handed to the shell: one argument in double quotes, quoted
// so that a program reads it back unchanged, or nothing.
std::string QuotedParameters(const std::optional<std::string>& parameters);

// Runs a call that may keep this thread waiting (a consent prompt, a
// reputation check, a scan of what is started) so that nothing else waits on
// this thread meanwhile.
using BlockingCallRunner = std::function<void(const std::function<void()>& call)>;

class Opener {
public:
    // Whether the shell accepted the request or the fallback started a process.
    using Opened = std::function<void(bool)>;

    // Each launch is made through runBlocking; without one it is made as it is.
    explicit Opener(Shell& shell, BlockingCallRunner runBlocking = {});

    // Splits the texts away from this thread in one search, then opens them on
    // this thread in the order given; opened, if given, hears how each went.
    void Open(std::vector<std::string> commandLines, ShowState show, WindowHandle owner, Opened opened = {});
    void Open(std::string commandLine, ShowState show, WindowHandle owner, Opened opened = {}) {
        Open(std::vector<std::string>{std::move(commandLine)}, show, owner, std::move(opened));
    }

private:
    Shell& shell_;
    BlockingCallRunner runBlocking_;
};

}  // namespace yomorina

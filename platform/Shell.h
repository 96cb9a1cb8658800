#pragma once
// What the launcher needs from the system: the search-order existence test,
// the shell's "open" and starting a command line as a process. Nothing waits
// for what was started: the launcher hands it over and returns.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace yomorina {

// A window handle as the system gives it; 0 is none.
using WindowHandle = std::uintptr_t;

// How the window of what is opened first shows.
enum class ShowState { Normal, Minimized, Maximized };

struct ShellOpenRequest {
    std::string File;
    std::string Parameters;  // empty: none
    ShowState Show = ShowState::Normal;
    WindowHandle Owner = 0;
};

// True when a file (or folder) of exactly this name is found in the system's
// default search order; no extension is added. Any thread may ask.
using SearchOrderTest = std::function<bool(std::string_view name)>;
// What a search hands back, to run on the user-interface thread.
using AfterSearch = std::function<void()>;
using Search = std::function<AfterSearch(const SearchOrderTest& onSearchPath)>;

class Shell {
public:
    virtual ~Shell() = default;
    // Runs search on a worker thread, where a share that takes a minute to
    // answer freezes no window, then what it hands back on this thread, unless
    // the shell is gone by then. search owns everything it uses.
    virtual void SearchAway(Search search) = 0;
    // The verb "open" through the shell, with no error dialogs of its own; true when accepted.
    virtual bool ShellExecuteOpen(const ShellOpenRequest& request) = 0;
    // Starts a process in a normal, activated window; true when it started.
    // With a program (a name the search-order test finds), that file is started and given
    // the command line as it is; with none, the system takes the program from the
    // front of the command line, cutting it at a space where it sees fit.
    virtual bool StartProcess(std::string_view program, std::string_view commandLine) = 0;
};

}  // namespace yomorina

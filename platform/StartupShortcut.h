#pragma once

#include <optional>
#include <string>

namespace yomorina {

// The program's shortcut in the user's Startup folder, which starts it at
// sign-in. It is its own record: no setting anywhere says whether it is there,
// and it is the only thing the program ever writes outside its own folder.
class StartupShortcut {
public:
    virtual ~StartupShortcut() = default;
    // Whether the Startup folder holds the program's shortcut and it starts
    // this very copy of the program (one to a moved or renamed copy does not
    // count), and Task Manager has not switched it off.
    virtual bool IsSet() const = 0;
    // On: the shortcut starts this copy, made anew or pointed here, and is
    // switched back on where Task Manager switched it off. Off: the shortcut
    // goes if it starts this copy; one that starts something else is not ours
    // to remove. Empty when done, else what failed, for the message.
    virtual std::optional<std::string> Set(bool on) = 0;
};

}  // namespace yomorina

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace yomorina {

// Begin's icon side for the system's own icon size.
inline constexpr int SystemIconSide = 0;

enum class EntryAnswer { Found, Missing, NotYetKnown };

// Whether entries exist, and their icons, found away from the user-interface
// thread: a share that takes a minute to answer must not freeze the screen or
// a dialog meanwhile. The existence rule is DirectorySearch's.
class EntryLookup {
public:
    virtual ~EntryLookup() = default;
    // Starts looking each path and its icon up afresh (the icon at side x side
    // pixels); a path still being looked up is
    // left to that look.
    virtual void Begin(const std::vector<std::string>& paths, int iconSide) = 0;
    // The last finished look's answer; what an earlier one found holds until a
    // new one finishes.
    virtual EntryAnswer Answer(std::string_view path) const = 0;
};

}  // namespace yomorina

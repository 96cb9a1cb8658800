#pragma once

namespace yomorina {

// Whether the user is inside something that owns the whole screen: a game or
// a video in full screen, a presentation. A frozen screen over it would take
// its focus in the middle of play.
class UserAttention {
public:
    virtual ~UserAttention() = default;
    // True while the foreground belongs to a full-screen program of another
    // process, or the system itself says the user is busy with one.
    virtual bool ForegroundIsFullScreen() const = 0;
};

}  // namespace yomorina

#pragma once
// The key the user chose to call every tile at once, taken from every other
// program while it is held; its presses arrive as MainWindowEvents::OnCallKey.

#include <cstdint>

namespace yomorina {

class CallKeyHolder {
public:
    virtual ~CallKeyHolder() = default;
    // Lets go of the key held so far and takes this one (the hot-key control's
    // value; 0 takes none). False when another program holds it: then no key is held.
    virtual bool Hold(std::uint16_t key) = 0;
};

}  // namespace yomorina

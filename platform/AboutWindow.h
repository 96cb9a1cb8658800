#pragma once
// The about box on screen; its texts are fixed, so closing is all it is told.

namespace yomorina {

class AboutWindow {
public:
    virtual ~AboutWindow() = default;
    virtual void Close() = 0;
};

}  // namespace yomorina

#pragma once
// The browser object behind the about box's help and link actions. Each call
// to CreateInstance gives a new, initially hidden instance; dropping the
// returned object releases it and never closes a window it opened.

#include <memory>
#include <string_view>

namespace yomorina {

class BrowserInstance;

// Told when an instance ends, for as long as its creator still holds it.
class BrowserQuitListener {
public:
    virtual ~BrowserQuitListener() = default;
    virtual void OnQuit(BrowserInstance& instance) = 0;
};

class BrowserInstance {
public:
    virtual ~BrowserInstance() = default;
    // Loads a page, or for a mailto address hands it to the mail program.
    virtual void Navigate(std::string_view address) = 0;
    virtual void SetVisible(bool visible) = 0;
};

class Browser {
public:
    virtual ~Browser() = default;
    virtual std::unique_ptr<BrowserInstance> CreateInstance(BrowserQuitListener& listener) = 0;
};

}  // namespace yomorina

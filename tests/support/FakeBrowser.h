#pragma once
// A browser object that records what it is asked to do, one numbered line per
// call, and lets a test end an instance as a user closing its window would.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/AboutWindow.h"
#include "platform/Browser.h"

namespace yomorina::testing {

class FakeBrowser final : public Browser {
public:
    class Instance final : public BrowserInstance {
    public:
        Instance(FakeBrowser& browser, int number) : browser_(browser), number_(number) {}
        ~Instance() override {
            browser_.live_[number_ - 1] = nullptr;
            browser_.Note("release", number_);
        }
        void Navigate(std::string_view address) override {
            browser_.Note("navigate", number_, std::string(address));
            if (browser_.quitWhileNavigating) browser_.Quit(number_);
        }
        void SetVisible(bool visible) override { browser_.Note("visible", number_, visible ? "true" : "false"); }
        int Number() const { return number_; }

    private:
        FakeBrowser& browser_;
        int number_;
    };

    std::vector<std::string> calls;
    // An instance that hands its address on and ends at once, inside Navigate.
    bool quitWhileNavigating = false;

    std::unique_ptr<BrowserInstance> CreateInstance(BrowserQuitListener& listener) override {
        const int number = static_cast<int>(live_.size()) + 1;
        auto instance = std::make_unique<Instance>(*this, number);
        live_.push_back(instance.get());
        listeners_.push_back(&listener);
        Note("create", number);
        return instance;
    }

    // Instance `number` ends; its quit event reaches the listener only while the instance is still held.
    void Quit(int number) {
        if (Instance* instance = live_.at(number - 1)) listeners_.at(number - 1)->OnQuit(*instance);
    }

    const Instance* Live(int number) const { return live_.at(number - 1); }

private:
    void Note(const std::string& what, int number, const std::string& detail = {}) {
        calls.push_back(what + " " + std::to_string(number) + (detail.empty() ? "" : " " + detail));
    }

    std::vector<Instance*> live_;
    std::vector<BrowserQuitListener*> listeners_;
};

class FakeAboutWindow final : public AboutWindow {
public:
    int closes = 0;
    void Close() override { ++closes; }
};

}  // namespace yomorina::testing

#pragma once
// The about box on screen. Its texts are fixed, so closing is all it is told;
// what it reports are clicks on its two buttons and two links.

namespace yomorina {

// How the options dialog opens the about box: shown modally, back when it
// has closed, with nothing to hand back.
class AboutBoxDialog {
public:
    virtual ~AboutBoxDialog() = default;
    virtual void ShowModal() = 0;
};

class AboutWindow {
public:
    virtual ~AboutWindow() = default;
    virtual void Close() = 0;
};

class AboutWindowEvents {
public:
    virtual ~AboutWindowEvents() = default;
    virtual void OnClose() = 0;
    virtual void OnHelp() = 0;
    // A click on one of the two links.
    virtual void OnHomePage() = 0;
    virtual void OnMailAddress() = 0;
};

}  // namespace yomorina

#pragma once
// The about box on screen. Its texts are fixed, so closing is all it is told;
// what it reports are clicks on its two buttons and two links.

namespace yomorina {

class AboutWindow {
public:
    virtual ~AboutWindow() = default;
    virtual void Close() = 0;
};

class AboutWindowEvents {
public:
    virtual ~AboutWindowEvents() = default;
    virtual void Command1_Click() = 0;  // 閉じる
    virtual void Command2_Click() = 0;  // ヘルプ
    virtual void Label3_Click() = 0;    // the home page
    virtual void Label5_Click() = 0;    // the mail address
};

}  // namespace yomorina

#pragma once
// The main window: hidden while idle, the full-screen overlay during a scatter,
// holding the tiles IC(0..30) and their captions Label1(0..30).

namespace yomorina {

inline constexpr int TileCount = 31;            // 30 slots and the recycle-bin template
inline constexpr int RecycleBinTemplateTile = 30;

class MainWindow {
public:
    virtual ~MainWindow() = default;
    virtual void Hide() = 0;
    virtual void HideTile(int index) = 0;
    virtual void HideCaption(int index) = 0;
    virtual void Close() = 0;
};

}  // namespace yomorina

namespace yomorina {

// What the main window reports; the logic behind it decides.
class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;
    virtual void Form_Click() = 0;
    virtual void Form_Unload() = 0;
    virtual void Picture1_MouseMove(int mouseEvent) = 0;
    virtual void TaskbarCreated() = 0;
    virtual void Timer1_Timer() = 0;
};

}  // namespace yomorina

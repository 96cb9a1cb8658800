#pragma once
// The main window's behaviour: start-up, the notification icon, clearing a
// scatter and going away. The window itself stays hidden except as the overlay.

#include <functional>

#include "core/ListFile.h"
#include "core/Model.h"
#include "platform/DirectorySearch.h"
#include "platform/MainWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/Pointer.h"
#include "platform/TrayIcon.h"
#include "scatter/ScatterState.h"

namespace yomorina {

inline constexpr std::string_view TrayTip = "ヨモリナ";

class TileActions;

class Form1 final : public MainWindowEvents {
public:
    Form1(Model& model, MainWindow& window, TrayIcon& trayIcon, ListFile& listFile, MessageBoxes& messages,
          Pointer& pointer, const DirectorySearch& search);

    // Opens the options dialog; until one is wired, a press on the icon only clears.
    void SetOptionsOpener(std::function<void()> showOptions);
    // What clicks and drops on the tiles do; until set, they do nothing.
    void SetTileActions(TileActions* actions) { tileActions_ = actions; }

    void Form_Load();
    void Form_Unload() override;
    void Form_Click() override;
    void Form_Dismiss() override;
    void Picture1_MouseMove(int mouseEvent) override;
    void TaskbarCreated() override;
    void Timer1_Timer() override;
    void IC_Click(int index) override;
    void IC_OLEDragDrop(int index, const DroppedData& data) override;

    void ICON_CLEAR();

    const ScatterState& Tracking() const { return state_; }

private:
    Model& model_;
    MainWindow& window_;
    TrayIcon& trayIcon_;
    ListFile& listFile_;
    MessageBoxes& messages_;
    Pointer& pointer_;
    const DirectorySearch& search_;
    std::function<void()> showOptions_;
    TileActions* tileActions_ = nullptr;
    ScatterState state_;
};

}  // namespace yomorina

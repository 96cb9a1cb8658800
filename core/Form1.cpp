#include "core/Form1.h"

namespace yomorina {

Form1::Form1(Model& model, MainWindow& window, TrayIcon& trayIcon, ListFile& listFile, MessageBoxes& messages)
    : model_(model), window_(window), trayIcon_(trayIcon), listFile_(listFile), messages_(messages) {}

void Form1::SetOptionsOpener(std::function<void()> showOptions) { showOptions_ = std::move(showOptions); }

void Form1::Form_Load() {
    window_.Hide();
    for (int i = 0; i < TileCount; ++i) {
        window_.HideTile(i);
        window_.HideCaption(i);
    }
    state_ = ScatterState{};
    model_.OptionsOpen = false;
    if (const auto failure = listFile_.LoadListFile(model_)) {
        messages_.Show(*failure, TitleError, MessageButtons::Ok);
    }
    trayIcon_.Add(TrayTip);
}

void Form1::Form_Unload() {
    trayIcon_.Remove();
}

void Form1::Form_Click() { ICON_CLEAR(); }

void Form1::Picture1_MouseMove(int mouseEvent) {
    if (mouseEvent != TrayLeftButtonDown && mouseEvent != TrayRightButtonDown) return;
    if (model_.OptionsOpen) return;
    ICON_CLEAR();
    if (!showOptions_) return;
    model_.OptionsOpen = true;
    showOptions_();
}

void Form1::TaskbarCreated() {
    // The shell lost every icon when it restarted; without ours the program
    // could be neither configured nor ended.
    trayIcon_.Add(TrayTip);
}

void Form1::Timer1_Timer() {}

void Form1::ICON_CLEAR() {
    window_.Hide();
    for (int i = 0; i < TileCount; ++i) {
        window_.HideTile(i);
        window_.HideCaption(i);
    }
    state_.blnScattering = false;
    state_.intNextSlot = 0;
}

}  // namespace yomorina

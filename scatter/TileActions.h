#pragma once
// What a click or a file drop on a tile does: open the slot's target, open each
// dropped file with it, or move dropped files to the recycle bin.

#include <functional>
#include <string_view>

#include "core/Model.h"
#include "platform/FileDrop.h"
#include "platform/MainWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/RecycleBin.h"
#include "platform/Shell.h"

namespace yomorina {

inline constexpr std::string_view RecycleBinClickMessage = "ゴミ箱をクリックしても何も起こりません。";
inline constexpr std::string_view RecycleFailedMessage = "ゴミ箱への移動に失敗しました。";

class TileActions {
public:
    // iconClear is Form1's ICON_CLEAR; form1 is the window the launcher hides.
    TileActions(const Model& model, std::function<void()> iconClear, Shell& shell, MainWindow& form1,
                RecycleBin& recycleBin, MessageBoxes& messages);

    void IC_Click(int index);
    void IC_OLEDragDrop(int index, const DroppedData& data);

private:
    void Launch(std::string_view commandLine);

    const Model& model_;
    std::function<void()> iconClear_;
    Shell& shell_;
    MainWindow& form1_;
    RecycleBin& recycleBin_;
    MessageBoxes& messages_;
};

}  // namespace yomorina

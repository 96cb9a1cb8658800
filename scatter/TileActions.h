#pragma once
// What a click or a file drop on a tile does: open the slot's target, open each
// dropped file with it, or move dropped files to the recycle bin.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"
#include "core/Opener.h"
#include "platform/FileDrop.h"
#include "platform/MessageBoxes.h"
#include "platform/Overlay.h"
#include "platform/RecycleBin.h"
#include "platform/Shell.h"

namespace yomorina {

class TileActions {
public:
    // endScatter is App's EndScatter; the overlay is hidden before each launch.
    // The launches and the moves to the recycle bin are made through runBlocking.
    TileActions(const Model& model, std::function<void()> endScatter, BlockingCallRunner runBlocking, Shell& shell,
                Overlay& overlay, RecycleBin& recycleBin, MessageBoxes& messages);

    void OnTileClick(int index);
    void OnTileDrop(int index, const DroppedData& data);

private:
    void Launch(std::vector<std::string> commandLines);

    const Model& model_;
    std::function<void()> endScatter_;
    BlockingCallRunner runBlocking_;
    Shell& shell_;
    Overlay& overlay_;
    RecycleBin& recycleBin_;
    MessageBoxes& messages_;
};

}  // namespace yomorina

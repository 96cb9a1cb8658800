#include "scatter/TileActions.h"

#include <string>
#include <utility>
#include <vector>

#include "core/Opener.h"
#include "core/Texts.h"

namespace yomorina {
namespace {

// The recycle-bin template only lends its picture; it stands for no slot.
bool IsSlot(int index) { return index >= 0 && index < LaunchSlotCount; }

}  // namespace

TileActions::TileActions(const Model& model, std::function<void()> endScatter, BlockingCallRunner runBlocking,
                         Shell& shell, Overlay& overlay, RecycleBin& recycleBin, MessageBoxes& messages)
    : model_(model),
      endScatter_(std::move(endScatter)),
      runBlocking_(std::move(runBlocking)),
      shell_(shell),
      overlay_(overlay),
      recycleBin_(recycleBin),
      messages_(messages) {}

void TileActions::OnTileClick(int index) {
    if (!IsSlot(index)) return;
    // The tiles go before anything is opened or said.
    endScatter_();
    // A copy: the launch comes back after its search, and the options dialog's
    // OK may have replaced the list meanwhile.
    const std::string path = model_.List[index].Path;
    if (IsRecycleBinPath(path)) {
        messages_.Show(Text(TextId::RecycleBinClickMessage), Text(TextId::TitleMessage), MessageButtons::Ok);
        return;
    }
    Launch({path});
}

void TileActions::OnTileDrop(int index, const DroppedData& data) {
    if (!IsSlot(index) || !data.OffersFileList || data.Files.empty()) return;
    // Read once: a shell dialog lets other events run, and the options dialog
    // opened meanwhile from the tray icon may change the list.
    const std::string path = model_.List[index].Path;
    if (!IsRecycleBinPath(path)) {
        // As a click's launch: a started program may leave the foreground to
        // nobody, and no scatter may outlive its overlay.
        endScatter_();
        // The launcher finds the program again and passes each file as one quoted argument.
        std::vector<std::string> commandLines;
        for (const std::string& file : data.Files) commandLines.push_back(path + " " + file);
        Launch(std::move(commandLines));
        return;
    }
    for (const std::string& file : data.Files) {
        // The shell's confirmation, or the error box, must have the keys the overlay holds.
        overlay_.ReleaseKeys();
        int failure = 0;
        runBlocking_([&] { failure = recycleBin_.MoveToRecycleBin(file); });
        if (failure != 0) {
            messages_.Show(Text(TextId::RecycleFailedMessage), Text(TextId::TitleError), MessageButtons::Ok);
        }
        endScatter_();
    }
}

void TileActions::Launch(std::vector<std::string> commandLines) {
    // The topmost overlay goes first, or it would cover what it opens, and
    // before the search, or a share that does not answer would keep it up.
    overlay_.Hide();
    Opener(shell_, runBlocking_).Open(std::move(commandLines), ShowState::Normal, 0);
}

}  // namespace yomorina

#pragma once
// Reading the list file again after it changed in its folder: a hand edit is
// taken at once, or at the first tick after the scatter on screen (its tiles
// open the entries they were dropped for); a file held for a moment (an
// editor's save, a sync tool), a little later. The options dialog reads the
// file itself when it opens and closes.

#include <functional>

#include "app/TickRest.h"
#include "core/ListFile.h"
#include "core/Model.h"
#include "platform/Wakeups.h"

namespace yomorina {

class ListRereads {
public:
    // taken is told when a changed list has been read in.
    ListRereads(Model& model, ListFile& listFile, Wakeups& wakeups, TickRest& rest, std::function<void()> taken);

    void Changed(bool scattering);
    // Wakeups::RetryListRead's turn.
    void Retry(bool scattering) { Reread(scattering); }
    // At a tick with no scatter on screen.
    void AfterScatter();

private:
    void Reread(bool scattering);

    Model& model_;
    ListFile& listFile_;
    Wakeups& wakeups_;
    TickRest& rest_;
    std::function<void()> taken_;
    bool afterScatter_ = false;
    // Tries left for a list file that changed but could not be read yet.
    int triesLeft_ = 0;
};

}  // namespace yomorina

#include "app/RefusedRequests.h"

#include "core/Texts.h"

namespace yomorina {

void RefusedRequests::AskForWhatWasRefused() {
    // The tip is the program's name.
    if (!iconShown_) iconShown_ = trayIcon_.Add(Text(TextId::ProgramName));
    if (!hearingSessionChanges_) hearingSessionChanges_ = window_.HearSessionChanges();
    wakeups_.RetryRefused(!iconShown_ || !hearingSessionChanges_);
}

}  // namespace yomorina

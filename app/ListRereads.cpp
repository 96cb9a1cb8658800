#include "app/ListRereads.h"

#include <utility>

namespace yomorina {
namespace {

// A list file held for a moment is read again this many times, at the timer's
// retry pace, before the next change is waited for.
constexpr int ListRereadTries = 4;

}  // namespace

ListRereads::ListRereads(Model& model, ListFile& listFile, Wakeups& wakeups, TickRest& rest,
                         std::function<void()> taken)
    : model_(model), listFile_(listFile), wakeups_(wakeups), rest_(rest), taken_(std::move(taken)) {}

void ListRereads::Changed(bool scattering) {
    triesLeft_ = ListRereadTries;
    Reread(scattering);
}

void ListRereads::AfterScatter() {
    if (std::exchange(afterScatter_, false)) Reread(false);
}

void ListRereads::Reread(bool scattering) {
    wakeups_.RetryListRead(false);
    // The dialog reads the file itself when it closes.
    if (model_.OptionsOpen) return;
    if (scattering) {
        afterScatter_ = true;
        return;
    }
    // One try at a time, never waiting for a file another program holds; a
    // cloud placeholder is still downloaded while it is read.
    ReloadOutcome outcome = ReloadOutcome::Unchanged;
    rest_.RunBlocking([&] { outcome = listFile_.ReloadIfChanged(model_); });
    if (outcome == ReloadOutcome::Taken) taken_();
    if (outcome == ReloadOutcome::NotReadable && triesLeft_-- > 0) wakeups_.RetryListRead(true);
}

}  // namespace yomorina

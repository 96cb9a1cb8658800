#include "app/TickRest.h"

namespace yomorina {

void TickRest::AfterStillTick(bool woken) {
    // A tick from inside a call that may wait (the shell's modal loop) keeps sampling.
    if (blockingCalls_ > 0) return;
    // A report from a pointer that did not move (one pushed against the
    // screen's edge reports movement all the time) gets a full period before
    // the next watch.
    if (woken) return;
    // Where the reports would miss some moves the timer samples as it always did.
    if (!wakeups_.WatchForMovement()) return;
    resting_ = true;
    wakeups_.Stop();
}

void TickRest::WakeUp() {
    if (!resting_) return;
    resting_ = false;
    wakeups_.StopWatching();
    wakeups_.Start();
}

// The watch is down for the call only: a program at rest stays at rest, as a
// change beside the list is no reason to tick.
void TickRest::RunBlocking(const std::function<void()>& call) {
    if (resting_) wakeups_.StopWatching();
    ++blockingCalls_;
    {
        const struct Leave {
            int& calls;
            ~Leave() { --calls; }
        } leave{blockingCalls_};
        call();
    }
    // Nothing woke the program meanwhile; where the watch cannot be set again, the timer samples.
    if (resting_ && blockingCalls_ == 0 && !wakeups_.WatchForMovement()) {
        resting_ = false;
        wakeups_.Start();
    }
}

}  // namespace yomorina

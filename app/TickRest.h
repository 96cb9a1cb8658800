#pragma once
// When the ticks stop: with nothing under way and the pointer still, the timer
// stops and the mouse's next movement starts it again. Calls that may keep this
// thread waiting are made with the watch down, since Windows silently drops a
// hook that once answers late, and until then every mouse on the desktop waits
// on this thread.

#include <functional>

#include "platform/Wakeups.h"

namespace yomorina {

class TickRest {
public:
    explicit TickRest(Wakeups& wakeups) : wakeups_(wakeups) {}

    // After a tick that left nothing to do until the pointer moves; woken: the
    // tick answered a movement's report.
    void AfterStillTick(bool woken);
    // The ticks run again, from a full period.
    void WakeUp();
    bool Resting() const { return resting_; }
    // With the mouse watch down from before the call to its end; a tick that runs inside it sets none.
    void RunBlocking(const std::function<void()>& call);

private:
    Wakeups& wakeups_;
    bool resting_ = false;
    // Calls under way that may keep this thread waiting.
    int blockingCalls_ = 0;
};

}  // namespace yomorina

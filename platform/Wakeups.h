#pragma once
// What wakes the program: the gesture's steady tick, the pointer's first
// movement while it rests, and the retries of what the system refused or held.
// Its ticks arrive as MainWindowEvents::OnTick, a watched movement as
// MainWindowEvents::OnPointerMoved.

namespace yomorina {

class Wakeups {
public:
    virtual ~Wakeups() = default;
    // Ticks at the gesture's steady pace from now on (the settings count these
    // ticks); starting it again restarts the period.
    virtual void Start() = 0;
    virtual void Stop() = 0;
    // Reports the mouse's next movement once, then stays quiet until asked
    // again. False where such reports would miss some of the pointer's moves:
    // the timer must keep sampling there.
    virtual bool WatchForMovement() = 0;
    virtual void StopWatching() = 0;
    // While on, MainWindowEvents::OnRetryRefused comes every few seconds.
    virtual void RetryRefused(bool on) = 0;
    // While on, MainWindowEvents::OnListReadRetry comes every quarter second:
    // a list file held for a moment is read again without waiting for it.
    virtual void RetryListRead(bool on) = 0;
};

}  // namespace yomorina

#pragma once
// The mouse's next movement, reported once to a window as MouseMovedMessage:
// what wakes the program while the pointer rests.
//
// A low-level mouse hook rather than raw input: under Wine raw input reaches
// no one while no window has the foreground, and the hook hears the same moves
// besides (docs/wine.md). It is set only while the pointer rests and reports
// once, so a fast mouse reaches the program once per rest.

#include <windows.h>

namespace yomorina::win32 {

class MouseWatch {
public:
    explicit MouseWatch(HWND target) : target_(target) {}
    ~MouseWatch() { Stop(); }
    MouseWatch(const MouseWatch&) = delete;
    MouseWatch& operator=(const MouseWatch&) = delete;

    // False where the reports would miss some of the pointer's moves, or the
    // hook cannot be set: the timer must keep sampling then.
    bool Start();
    void Stop();
    // The system drops a hook that once answered too slowly, as a thread
    // paged out across a sleep of the machine may; set afresh after one.
    void Renew();

private:
    HWND target_;
    HHOOK hook_ = nullptr;
};

// Under Wine outside its virtual desktop the X pointer's moves over other
// programs' windows reach no Windows program, the hook included; only a look
// at the pointer sees them there.
bool MovementReportsMissSomeMoves();

}  // namespace yomorina::win32

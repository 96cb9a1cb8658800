#pragma once
// The mouse's next movement, reported once to a window as MouseMovedMessage:
// what wakes the program while the pointer rests.
//
// Two ears, set only while the pointer rests and taken away together:
// - raw input with RIDEV_INPUTSINK, the ear Windows keeps: it costs other
//   programs nothing, and Windows never drops it, while it silently drops a
//   hook whose thread once answered too slowly (as one paged out over a long
//   rest may);
// - a low-level mouse hook, where raw input is seen to miss moves (under Wine
//   it reaches no one while no window has the foreground); while it is set
//   every mouse event on the desktop waits for our thread.
// The hook is set only until raw input has heard the waking move of several
// rests in a row, and again from the first rest whose move raw input missed.
// Whichever ear hears first reports, once, so a fast mouse reaches the
// program once per rest.

#include <windows.h>

namespace yomorina::win32 {

class MouseWatch {
public:
    explicit MouseWatch(HWND target) : target_(target) {}
    ~MouseWatch() { Stop(); }
    MouseWatch(const MouseWatch&) = delete;
    MouseWatch& operator=(const MouseWatch&) = delete;

    // False where the reports would miss some of the pointer's moves, or
    // neither ear can be set: the timer must keep sampling then.
    bool Start();
    void Stop();
    // A WM_INPUT the target received: reports it if it is the first move of this rest.
    void Hear(HRAWINPUT input);
    // Whether the next rest sets the hook beside raw input.
    bool WantsHook() const;

private:
    // What the last rest showed of raw input, told once its late reports are in.
    void LearnFromLastRest();

    HWND target_;
    HHOOK hook_ = nullptr;
    bool listening_ = false;  // to raw input
    // Rests in a row whose waking move raw input heard as well as the hook.
    int restsRawInputHeard_ = 0;
    struct Rest {
        bool hooked = false;
        bool rawInputHeard = false;
        bool woken = false;
        POINT from{};
    } rest_;
};

// Under Wine outside its virtual desktop the X pointer's moves over other
// programs' windows reach no Windows program, the hook included; only a look
// at the pointer sees them there.
bool MovementReportsMissSomeMoves();

// Windows silently drops a low-level hook whose callback once answered later
// than LowLevelHooksTimeout; Wine never calls a hook late, so tests drop it on
// request.
void DropTheMouseHookAsTheSystemMay();

}  // namespace yomorina::win32

#include "platform/win32/overlay/TickTimer.h"

namespace yomorina::win32 {
namespace {

constexpr UINT_PTR TickTimerId = 1;
constexpr UINT TickInterval = 200;
constexpr UINT_PTR RefusedRetryTimerId = 2;
constexpr UINT RefusedRetryInterval = 3000;
constexpr UINT_PTR ListReadRetryTimerId = 3;
constexpr UINT ListReadRetryInterval = 250;

void Repeat(HWND window, UINT_PTR id, UINT interval, bool on) {
    if (on) {
        SetTimer(window, id, interval, nullptr);
    } else {
        KillTimer(window, id);
    }
}

}  // namespace

// Setting the timer again restarts its period.
void TickTimer::Start() { ticks_.running = SetTimer(window_, TickTimerId, TickInterval, nullptr) != 0; }

void TickTimer::Stop() {
    KillTimer(window_, TickTimerId);
    ticks_.running = false;
}

bool TickTimer::WatchForMovement() { return mouseWatch_.Start(); }

void TickTimer::StopWatching() { mouseWatch_.Stop(); }

void TickTimer::RetryRefused(bool on) { Repeat(window_, RefusedRetryTimerId, RefusedRetryInterval, on); }

void TickTimer::RetryListRead(bool on) { Repeat(window_, ListReadRetryTimerId, ListReadRetryInterval, on); }

void TickTimer::OnTimer(WPARAM id, MainWindowEvents& events) {
    if (id == TickTimerId) {
        ++ticks_.taken;
        events.OnTick();
    } else if (id == RefusedRetryTimerId) {
        events.OnRetryRefused();
    } else if (id == ListReadRetryTimerId) {
        events.OnListReadRetry();
    }
}

}  // namespace yomorina::win32

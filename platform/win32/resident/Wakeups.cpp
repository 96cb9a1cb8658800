#include "platform/win32/resident/Wakeups.h"

namespace yomorina::win32 {
namespace {

constexpr UINT_PTR TickId = 1;
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
void Wakeups::Start() { ticks_.running = SetTimer(window_, TickId, TickInterval, nullptr) != 0; }

void Wakeups::Stop() {
    KillTimer(window_, TickId);
    ticks_.running = false;
}

bool Wakeups::WatchForMovement() { return mouseWatch_.Start(); }

void Wakeups::StopWatching() { mouseWatch_.Stop(); }

void Wakeups::RetryRefused(bool on) { Repeat(window_, RefusedRetryTimerId, RefusedRetryInterval, on); }

void Wakeups::RetryListRead(bool on) { Repeat(window_, ListReadRetryTimerId, ListReadRetryInterval, on); }

void Wakeups::OnTimer(WPARAM id, MainWindowEvents& events) {
    if (id == TickId) {
        ++ticks_.taken;
        events.OnTick();
    } else if (id == RefusedRetryTimerId) {
        events.OnRetryRefused();
    } else if (id == ListReadRetryTimerId) {
        events.OnListReadRetry();
    }
}

}  // namespace yomorina::win32

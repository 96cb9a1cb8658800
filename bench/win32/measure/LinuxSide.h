#pragma once
// Wine 8 answers GetProcessTimes for another process with zeros and leaves
// PrivateUsage at 0, so under Wine the same figures come from the Linux side
// through drive Z: (the process found by a piece of its command line, its
// folder say). Shared by the footprint bench and the soak.

#include <windows.h>

#include <optional>
#include <string>

namespace yomorina::unix_side {

bool Available();
// The Linux process whose command line holds marker, case aside; 0 when none does.
int FindProcess(const std::wstring& marker);
// Run time of every thread, in seconds from the scheduler's own account.
double CpuSeconds(int pid);

// Resident memory that files back (the exe and the DLLs, which the system can
// read again), the process's own (the heap, bitmaps) and what it shares (under
// Wine, the images its X11 driver shares with the X server); negative where unknown.
struct Resident {
    double fileBacked = -1;
    double own = -1;
    double shared = -1;
};
Resident ResidentMiB(int pid);

// A process's private memory in MiB: Windows' private bytes; under Wine, what
// only that process has written (RssAnon). None when neither can be read.
std::optional<double> PrivateMemoryMiB(DWORD processId, const std::wstring& marker);

}  // namespace yomorina::unix_side

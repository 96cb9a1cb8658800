#pragma once
// Thirty different programs of the system folder, there in every Wine prefix
// and on Windows, so a bench's list extracts a fresh icon at most turns.

#include <windows.h>

#include <string>

#include "core/Model.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::bench {

// The first `count` slots, named "プログラム1" onwards; the others stay empty.
inline LaunchList SystemPrograms(int count = LaunchSlotCount) {
    static const char* const programs[LaunchSlotCount] = {
        "notepad.exe",  "regedit.exe",  "cmd.exe",      "taskmgr.exe", "control.exe",  "winver.exe",
        "write.exe",    "wordpad.exe",  "msiexec.exe",  "explorer.exe", "hh.exe",      "clock.exe",
        "xcopy.exe",    "attrib.exe",   "expand.exe",   "ipconfig.exe", "netstat.exe", "ping.exe",
        "reg.exe",      "sc.exe",       "where.exe",    "whoami.exe",  "find.exe",     "more.com",
        "hostname.exe", "tasklist.exe", "taskkill.exe", "msinfo32.exe", "oleview.exe", "progman.exe"};
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::string folder = win32::ToUtf8(system);
    LaunchList list;
    for (int slot = 0; slot < count && slot < LaunchSlotCount; ++slot) {
        list[slot] = {"プログラム" + std::to_string(slot + 1), folder + "\\" + programs[slot]};
    }
    return list;
}

}  // namespace yomorina::bench

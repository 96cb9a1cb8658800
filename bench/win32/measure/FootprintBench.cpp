// Footprint of the resident program against the minimal tray program, both run
// from fresh folders under the same Wine (or Windows) by this observer:
//   - start to notification icon (CreateProcess until the icon's pixels show),
//   - working set and private bytes a moment after start-up,
//   - CPU while idle, both programs running side by side,
//   - its memory while a scatter of thirty entries is on screen, after it and after a second one.
// Prints a Markdown section with the medians and the ratios. With ROUNDS 0 only
// the scatters' memory is measured (after IDLE_SECONDS at rest): what changes
// with the screen's size.
//
//   yomorina_footprint_bench.exe YOMORINA_EXE MINIMAL_EXE [ROUNDS] [IDLE_SECONDS]

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/win32/SystemPrograms.h"
#include "bench/win32/measure/LinuxSide.h"
#include "core/ListFile.h"
#include "core/Model.h"
#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/base/PersistentImage.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/files/CodePage932.h"
#include "platform/win32/overlay/Tile.h"
#include "tests/platform/TempFolder.h"

using namespace yomorina;
using Clock = std::chrono::steady_clock;

namespace {

// The tray picture's frame colour, which nothing else on the taskbar uses.
constexpr COLORREF IconFrame = RGB(255, 160, 64);

bool TrayShowsIcon() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    constexpr int AreaWidth = 80;
    constexpr int AreaHeight = 24;
    win32::WindowDc screen(nullptr);
    win32::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    const win32::UniqueBitmap picture = win32::MakeSection(AreaWidth, AreaHeight, &bits);
    if (!picture || !bits) return false;
    win32::SelectedObject selected(memory.get(), picture.get());
    BitBlt(memory.get(), 0, 0, AreaWidth, AreaHeight, screen.get(), width - AreaWidth, height - AreaHeight, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    const DWORD wanted = (GetRValue(IconFrame) << 16) | (GetGValue(IconFrame) << 8) | GetBValue(IconFrame);
    for (int i = 0; i < AreaWidth * AreaHeight; ++i) {
        if ((pixels[i] & 0xFFFFFF) == wanted) return true;
    }
    return false;
}

template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        if (condition()) return true;
        Sleep(2);
    }
    return condition();
}

double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

// A program copied into a fresh folder of its own.
struct Subject {
    std::wstring label;
    testing::TempFolder folder;
    std::wstring exe;
    std::wstring arguments;

    // The folder's name is how the process is found among the Unix processes, where a
    // bench in another Wine session may run the same program under the same Windows
    // process id: the start's time tells them apart.
    Subject(const std::wstring& name, const std::wstring& source, std::wstring extra = L"")
        : label(name), folder(L"footprint-" + std::to_wstring(GetTickCount64()) + L"-" + name),
          arguments(std::move(extra)) {
        exe = folder.Child(name + L".exe");
        CopyFileW(source.c_str(), exe.c_str(), FALSE);
    }
};

class Running {
public:
    explicit Running(const Subject& subject) : marker_(LeafOf(subject.folder.Wide())) {
        std::wstring commandLine = L"\"" + subject.exe + L"\"";
        if (!subject.arguments.empty()) commandLine += L" " + subject.arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           subject.folder.Wide().c_str(), &startup, &info)) {
            CloseHandle(info.hThread);
            process_.reset(info.hProcess);
            id_ = info.dwProcessId;
        }
    }
    ~Running() { Close(); }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    HANDLE Handle() const { return process_.get(); }
    DWORD Id() const { return id_; }
    const std::wstring& Marker() const { return marker_; }

    // WM_CLOSE to each top-level window, as the programs' own exits do; the
    // notification icon goes with the window.
    void Close() {
        if (!process_ || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return;
        EnumWindows(
            [](HWND window, LPARAM id) -> BOOL {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == static_cast<DWORD>(id)) PostMessageW(window, WM_CLOSE, 0, 0);
                return TRUE;
            },
            static_cast<LPARAM>(id_));
        if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), 5000);
        }
    }

private:
    static std::wstring LeafOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

    std::wstring marker_;
    win32::UniqueKernelHandle process_;
    DWORD id_ = 0;
};


struct Memory {
    double workingSet = 0;  // MiB
    double privateBytes = 0;
    unix_side::Resident resident;
};

// Where the figures came from, for the report.
std::string privateSource = "GetProcessMemoryInfo PrivateUsage";
std::string cpuSource = "GetProcessTimes";

Memory MemoryOf(const Running& running) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(running.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters))) {
        return {};
    }
    constexpr double MiB = 1024.0 * 1024.0;
    Memory memory{counters.WorkingSetSize / MiB, counters.PrivateUsage / MiB, {}};
    if (!unix_side::Available()) return memory;
    if (const int pid = unix_side::FindProcess(running.Marker())) {
        if (counters.PrivateUsage == 0) {
            memory.privateBytes = unix_side::ResidentMiB(pid).own;
            privateSource = "RssAnon of /proc/PID/status (Wine leaves PrivateUsage at 0)";
        }
        memory.resident = unix_side::ResidentMiB(pid);
    }
    return memory;
}

std::vector<std::wstring> ModulesOf(HANDLE process) {
    DWORD needed = 0;
    HMODULE modules[1024];
    std::vector<std::wstring> names;
    if (!EnumProcessModulesEx(process, modules, sizeof(modules), &needed, LIST_MODULES_ALL)) return names;
    for (DWORD i = 0; i < std::min<DWORD>(needed / sizeof(HMODULE), 1024); ++i) {
        wchar_t name[MAX_PATH] = L"";
        GetModuleBaseNameW(process, modules[i], name, MAX_PATH);
        std::wstring lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
        names.push_back(lower);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Under Wine the scheduler's own account is used: GetProcessTimes for another
// process is not kept up to date there, and the figure is finer.
double CpuSeconds(const Running& running) {
    if (unix_side::Available()) {
        if (const int pid = unix_side::FindProcess(running.Marker())) {
            cpuSource = "run time of every thread from /proc/PID/task/*/schedstat (Wine's GetProcessTimes is not kept "
                        "for another process)";
            return unix_side::CpuSeconds(pid);
        }
    }
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(running.Handle(), &created, &exited, &kernel, &user)) return -1;
    const auto value = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (value(kernel) + value(user)) / 1e7;
}

struct StartUp {
    std::vector<double> toIcon;  // ms
    std::vector<Memory> memory;
    std::vector<std::wstring> modules;
    int failures = 0;
};

// One start: the time until the icon shows, then the footprint once it has settled.
void StartOnce(const Subject& subject, StartUp& result, bool record) {
    if (!WaitFor([] { return !TrayShowsIcon(); }, std::chrono::seconds(10))) {
        std::fprintf(stderr, "an icon is still in the tray before starting %ls\n", subject.label.c_str());
    }
    const auto start = Clock::now();
    Running running(subject);
    if (!running.Started() || !WaitFor(TrayShowsIcon, std::chrono::seconds(30))) {
        ++result.failures;
        return;
    }
    const double toIcon = Milliseconds(Clock::now() - start);
    Sleep(2000);
    if (!record) return;
    result.toIcon.push_back(toIcon);
    result.memory.push_back(MemoryOf(running));
    result.modules = ModulesOf(running.Handle());
}

// Thirty entries: programs, a folder, a document and the recycle bin, as a full list would hold.
void WriteFullList(const Subject& subject) {
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::string windowsFolder = win32::ToUtf8(windows);
    Model model;
    model.Settings = {100, 5, 1, 0};
    int slot = LaunchSlotCount - 3;
    model.List = bench::SystemPrograms(slot);
    model.List[slot++] = {"ウィンドウズ", windowsFolder};
    model.List[slot++] = {"説明書", win32::ToUtf8(subject.folder.Child(L"readme.txt"))};
    model.List[slot++] = {"ごみ箱", std::string(RecycleBinPath)};
    const win32::CodePage932 codePage;
    const std::string bytes = EncodeListFile(model.Settings, model.List, codePage);
    for (const auto& [name, content] : {std::pair{std::wstring(L"filelist.txt"), bytes},
                                        std::pair{std::wstring(L"readme.txt"), std::string("text\r\n")}}) {
        win32::UniqueKernelHandle file(CreateFileW(subject.folder.Child(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    }
}

std::wstring FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return L"?";
    return std::to_wstring(data.nFileSizeLow / 1024) + L" KiB";
}

// The program's overlay: a visible window of its process as wide as the screen; null if none.
HWND OverlayOf(DWORD process) {
    struct Search {
        DWORD process;
        HWND found;
    } search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            RECT area{};
            if (owner == search.process && IsWindowVisible(window) && GetWindowRect(window, &area) &&
                area.right - area.left >= GetSystemMetrics(SM_CXSCREEN)) {
                search.found = window;
            }
            return !search.found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int VisibleTiles(HWND overlay) {
    int count = 0;
    for (HWND tile = FindWindowExW(overlay, nullptr, win32::TileWindowClass, nullptr); tile;
         tile = FindWindowExW(overlay, tile, win32::TileWindowClass, nullptr)) {
        count += IsWindowVisible(tile) ? 1 : 0;
    }
    return count;
}

// A hand sweeping the mouse along a row, 40 pixels every 50 ms (beyond the
// list's distance of 100 at every 200 ms tick), until every entry has had its
// turn (no new tile for three seconds), so that a second scatter shows the
// same; then Esc, as a user ends it. False if the overlay or a tile never came.
// peakOwn: the program's own memory at its highest meanwhile, read at each move.
bool Scatter(const Running& running, double& peakOwn) {
    const int pid = unix_side::Available() ? unix_side::FindProcess(running.Marker()) : 0;
    const int right = GetSystemMetrics(SM_CXSCREEN) - 100;
    POINT at{100, 400};
    const auto move = [&] {
        // Back to the left end in one leap, which is as far a move as any.
        at.x = at.x + 40 > right ? 100 : at.x + 40;
        SetCursorPos(at.x, at.y);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &input, sizeof(input));
        Sleep(50);
    };
    HWND overlay = nullptr;
    int tiles = 0, movesWithoutNewTile = 0;
    for (int moves = 0; moves < 2000 && movesWithoutNewTile < 60; ++moves) {
        move();
        overlay = OverlayOf(running.Id());
        const int now = overlay ? VisibleTiles(overlay) : 0;
        movesWithoutNewTile = now > tiles || now == 0 ? 0 : movesWithoutNewTile + 1;
        tiles = now;
        if (pid) peakOwn = std::max(peakOwn, unix_side::ResidentMiB(pid).own);
    }
    INPUT escape[2] = {};
    for (INPUT& key : escape) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_ESCAPE;
    }
    escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, escape, sizeof(INPUT));
    std::fprintf(stderr, "scatter with %d tiles\n", tiles);
    return WaitFor([&] { return !OverlayOf(running.Id()); }, std::chrono::seconds(10)) && tiles > 0;
}

std::string MiB(double value) {
    if (value < 0) return "?";
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", value);
    return text;
}

double Ratio(double ours, double floor) { return floor > 0 ? ours / floor : 0; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %ls YOMORINA_EXE MINIMAL_EXE [ROUNDS] [IDLE_SECONDS]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 3 ? std::max(0, _wtoi(argv[3])) : 7;
    const bool startUps = rounds > 0;
    const int idleSeconds = argc > 4 ? std::max(10, _wtoi(argv[4])) : 60;

    Subject ours(L"yomorina", argv[1]);
    Subject floor(L"minimal-tray", argv[2]);
    Subject sampling(L"minimal-tray-sampling", argv[2], L"/sample-pointer");
    WriteFullList(ours);

    // A first start of each warms the file cache and Wine's own start-up, and is not counted;
    // then the two alternate so that drift on the machine falls on both alike.
    StartUp oursStart, floorStart;
    if (startUps) {
        StartOnce(ours, oursStart, false);
        StartOnce(floor, floorStart, false);
    }
    for (int round = 0; round < rounds; ++round) {
        StartOnce(ours, oursStart, true);
        StartOnce(floor, floorStart, true);
        std::fprintf(stderr, "start-up round %d of %d done\n", round + 1, rounds);
    }

    // Idle: both side by side, CPU time read in equal windows after they have settled.
    constexpr int Windows = 6;
    std::vector<double> oursCpu, floorCpu;
    double oursCpuTotal = 0, floorCpuTotal = 0, samplingCpuTotal = 0;
    Memory oursAfterIdle, floorAfterIdle;
    struct AfterScatter {
        bool scattered;
        double peakOwn;
        Memory memory;
    };
    std::vector<AfterScatter> oursAfterScatters;
    {
        Running oursRunning(ours);
        if (startUps) {
            Running floorRunning(floor);
            Running samplingRunning(sampling);
            Sleep(5000);
            const double windowSeconds = static_cast<double>(idleSeconds) / Windows;
            double oursBefore = CpuSeconds(oursRunning);
            double floorBefore = CpuSeconds(floorRunning);
            const double oursStart = oursBefore, floorStart = floorBefore;
            const double samplingStart = CpuSeconds(samplingRunning);
            const auto idleStart = Clock::now();
            for (int window = 1; window <= Windows; ++window) {
                std::this_thread::sleep_until(idleStart + std::chrono::milliseconds(
                                                              static_cast<long long>(window * windowSeconds * 1000)));
                const double oursNow = CpuSeconds(oursRunning);
                const double floorNow = CpuSeconds(floorRunning);
                oursCpu.push_back(100.0 * (oursNow - oursBefore) / windowSeconds);
                floorCpu.push_back(100.0 * (floorNow - floorBefore) / windowSeconds);
                oursBefore = oursNow;
                floorBefore = floorNow;
            }
            const double elapsed = std::chrono::duration<double>(Clock::now() - idleStart).count();
            oursCpuTotal = 100.0 * (oursBefore - oursStart) / elapsed;
            floorCpuTotal = 100.0 * (floorBefore - floorStart) / elapsed;
            samplingCpuTotal = 100.0 * (CpuSeconds(samplingRunning) - samplingStart) / elapsed;
            floorAfterIdle = MemoryOf(floorRunning);
        } else {
            Sleep(idleSeconds * 1000);
        }
        oursAfterIdle = MemoryOf(oursRunning);
        // What a scatter takes is given back when it ends: a second adds nothing either.
        for (int round = 0; round < 2; ++round) {
            double peakOwn = -1;
            const bool scattered = Scatter(oursRunning, peakOwn);
            Sleep(3000);
            oursAfterScatters.push_back({scattered, peakOwn, MemoryOf(oursRunning)});
        }
    }

    const auto median = [](const std::vector<Memory>& samples, double Memory::*field) {
        std::vector<double> values;
        for (const Memory& sample : samples) values.push_back(sample.*field);
        return Median(values);
    };
    const double oursIcon = Median(oursStart.toIcon), floorIcon = Median(floorStart.toIcon);
    const double oursSet = median(oursStart.memory, &Memory::workingSet);
    const double floorSet = median(floorStart.memory, &Memory::workingSet);
    const double oursPrivate = median(oursStart.memory, &Memory::privateBytes);
    const double floorPrivate = median(floorStart.memory, &Memory::privateBytes);
    const double oursIdle = Median(oursCpu), floorIdle = Median(floorCpu);

    if (startUps) {
        // The targets docs/performance.md holds us to, against the minimal tray program.
        constexpr double StartTarget = 1.05, WorkingSetTarget = 1.05, PrivateTarget = 1.15, IdleCpuTarget = 0.5;
        std::printf("| Figure | yomorina | minimal tray | ratio | target |\n");
        std::printf("|---|---:|---:|---:|---|\n");
        std::printf("| start to notification icon (ms, median of %d) | %.0f | %.0f | %.2f | ≤ %.2f |\n", rounds, oursIcon,
                    floorIcon, Ratio(oursIcon, floorIcon), StartTarget);
        std::printf("| working set 2 s after the icon (MiB, median) | %.2f | %.2f | %.2f | ≤ %.2f |\n", oursSet, floorSet,
                    Ratio(oursSet, floorSet), WorkingSetTarget);
        std::printf("| private bytes 2 s after the icon (MiB, median) | %.2f | %.2f | %.2f | ≤ %.2f |\n", oursPrivate,
                    floorPrivate, Ratio(oursPrivate, floorPrivate), PrivateTarget);
        std::printf("| working set after %d s idle (MiB) | %.2f | %.2f | %.2f | |\n", idleSeconds,
                    oursAfterIdle.workingSet, floorAfterIdle.workingSet,
                    Ratio(oursAfterIdle.workingSet, floorAfterIdle.workingSet));
        std::printf("| private bytes after %d s idle (MiB) | %.2f | %.2f | %.2f | |\n", idleSeconds,
                    oursAfterIdle.privateBytes, floorAfterIdle.privateBytes,
                    Ratio(oursAfterIdle.privateBytes, floorAfterIdle.privateBytes));
        std::printf("| idle CPU over %d s (%% of one core) | %.4f | %.4f | %.2f | ≤ %.2f |\n", idleSeconds,
                    oursCpuTotal, floorCpuTotal, Ratio(oursCpuTotal, floorCpuTotal), IdleCpuTarget);
        std::printf("| idle CPU over %d s, minimal tray reading the pointer at each tick (%% of one core) | %.4f | %.4f | "
                    "%.2f | |\n",
                    idleSeconds, oursCpuTotal, samplingCpuTotal, Ratio(oursCpuTotal, samplingCpuTotal));
        std::printf("| idle CPU, median of %d windows of %d s (%% of one core) | %.4f | %.4f | %.2f | |\n", Windows,
                    idleSeconds / Windows, oursIdle, floorIdle, Ratio(oursIdle, floorIdle));
        const double oursModules = static_cast<double>(oursStart.modules.size());
        const double floorModules = static_cast<double>(floorStart.modules.size());
        std::printf("| modules loaded | %.0f | %.0f | %.2f | |\n", oursModules, floorModules,
                    Ratio(oursModules, floorModules));
        std::printf("| exe size | %ls | %ls | | |\n", FileSize(ours.exe).c_str(), FileSize(floor.exe).c_str());
        std::printf("\n");
    }
    std::printf("| yomorina (MiB) | working set | resident, backed by files | resident, not backed by files: "
                "own | shared |\n");
    std::printf("|---|---:|---:|---:|---:|\n");
    const auto memoryRow = [](const std::string& when, const Memory& memory) {
        std::printf("| %s | %.2f | %s | %s | %s |\n", when.c_str(), memory.workingSet,
                    MiB(memory.resident.fileBacked).c_str(), MiB(memory.resident.own).c_str(),
                    MiB(memory.resident.shared).c_str());
    };
    memoryRow("after " + std::to_string(idleSeconds) + " s idle", oursAfterIdle);
    for (std::size_t i = 0; i < oursAfterScatters.size(); ++i) {
        const AfterScatter& after = oursAfterScatters[i];
        memoryRow(std::string(i == 0 ? "3 s after a scatter" : "3 s after a second scatter") +
                      (after.scattered ? "" : " (no scatter came)"),
                  after.memory);
    }
    if (oursAfterScatters.size() == 2 && oursAfterIdle.resident.own >= 0) {
        // The overlay's frozen screen: four bytes a pixel of every monitor.
        const double screenCopy = 4.0 * GetSystemMetrics(SM_CXVIRTUALSCREEN) * GetSystemMetrics(SM_CYVIRTUALSCREEN) /
                                  (1024.0 * 1024.0);
        const double idle = oursAfterIdle.resident.own;
        const AfterScatter &first = oursAfterScatters[0], &second = oursAfterScatters[1];
        std::printf("\n| yomorina's own memory, thirty entries scattered (MiB) | figure | target |\n");
        std::printf("|---|---:|---|\n");
        std::printf("| at rest, after %d s idle | %.2f | |\n", idleSeconds, idle);
        std::printf("| highest while the first scatter is on screen | %s | "
                    "≤ %.2f (at rest + the screen copy %.2f + 16) |\n",
                    MiB(first.peakOwn).c_str(), idle + screenCopy + 16, screenCopy);
        std::printf("| highest while the second scatter is on screen | %s | |\n", MiB(second.peakOwn).c_str());
        std::printf("| 3 s after the first scatter has ended | %.2f | ≤ %.2f (at rest + 6) |\n",
                    first.memory.resident.own, idle + 6);
        std::printf("| what the second scatter added | %+.2f | ≤ 1 |\n",
                    second.memory.resident.own - first.memory.resident.own);
    }
    if (!startUps) {
        std::printf("\nPrivate bytes: %s.\n", privateSource.c_str());
        return 0;
    }
    std::printf("\nAll samples (start to icon, ms): yomorina");
    for (double sample : oursStart.toIcon) std::printf(" %.0f", sample);
    std::printf("; minimal tray");
    for (double sample : floorStart.toIcon) std::printf(" %.0f", sample);
    std::printf(".\nIdle CPU per window (%% of one core): yomorina");
    for (double sample : oursCpu) std::printf(" %.4f", sample);
    std::printf("; minimal tray");
    for (double sample : floorCpu) std::printf(" %.4f", sample);
    std::printf(".\n");
    std::printf("\nModules only yomorina.exe has loaded:");
    for (const std::wstring& name : oursStart.modules) {
        if (!std::binary_search(floorStart.modules.begin(), floorStart.modules.end(), name)) {
            std::printf(" %ls", name.c_str());
        }
    }
    std::printf(".\n");
    std::printf("\nPrivate bytes: %s. CPU: %s.\n", privateSource.c_str(), cpuSource.c_str());
    if (oursStart.failures || floorStart.failures) {
        std::printf("Starts whose icon never showed: yomorina %d, minimal tray %d.\n", oursStart.failures,
                    floorStart.failures);
    }
    return 0;
}

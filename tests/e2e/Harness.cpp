#include "tests/e2e/Harness.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iostream>
#include <thread>

#include "core/ListFile.h"
#include "core/Texts.h"
#include "platform/win32/base/PersistentImage.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/SingleInstance.h"
#include "platform/win32/files/CodePage932.h"
#include "platform/win32/overlay/Tile.h"
#include "platform/win32/overlay/VirtualScreen.h"
#include "tests/e2e/Png.h"
#include "tests/e2e/Tray.h"

namespace yomorina::e2e {
namespace {

// The answer comes as WM_COPYDATA to a message-only window of ours, sent while
// the query itself is still waiting.
LRESULT CALLBACK AnswerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_COPYDATA) {
        auto* answer = reinterpret_cast<std::optional<win32::HandleCounts>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!answer || data->dwData != win32::HandleCountsDataTag || data->cbData != sizeof(win32::HandleCounts)) {
            return FALSE;
        }
        win32::HandleCounts counts;
        std::memcpy(&counts, data->lpData, sizeof(counts));
        *answer = counts;
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

win32::TickCount TicksOf(HWND program) { return AskHandleCounts(program).value_or(win32::HandleCounts{}).ticks; }

}  // namespace

SuiteOptions& Options() {
    static SuiteOptions options;
    return options;
}

std::vector<std::string> ReadOptions(int argc, char** argv) {
    std::vector<std::string> others;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.starts_with("--yomorina-exe=")) {
            Options().exe = argument.substr(argument.find('=') + 1);
        } else if (argument.starts_with("--artifacts=")) {
            Options().artifacts = argument.substr(argument.find('=') + 1);
        } else {
            others.push_back(argument);
        }
    }
    return others;
}

std::wstring WindowsPath(const std::string& path) {
    std::wstring wide = win32::ToWide(path);
    if (!wide.empty() && wide.front() == L'/') {
        for (auto& c : wide) {
            if (c == L'/') c = L'\\';
        }
        wide = L"Z:" + wide;
    }
    return wide;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit,
               std::chrono::milliseconds poll) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(poll);
    }
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        Pump();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

std::string NotUntilProvoked(const std::function<bool()>& happened, std::chrono::milliseconds limit,
                             const std::function<void()>& provoke, const Watch& watch) {
    const Watch watchFor = watch ? watch : [](const std::function<bool()>& condition, std::chrono::milliseconds time) {
        return WaitUntil(condition, time);
    };
    if (watchFor(happened, limit)) return "it happened unprovoked";
    provoke();
    return watchFor(happened, limit) ? "" : "provoked, it did not happen in the time watched";
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
    return text;
}

bool IsShown(HWND window) { return window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

POINT CentreOf(HWND window) {
    const RECT rect = RectOf(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

RECT RectInParent(HWND child) {
    RECT rect = RectOf(child);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM found) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    for (HWND child : ChildrenOf(parent)) {
        if (TextOf(child) == text) return child;
    }
    return nullptr;
}

bool IsDialog(HWND window) { return IsWindowVisible(window) && ClassOf(window) == L"#32770"; }

std::vector<HWND> DialogsOf(DWORD processId) {
    std::vector<HWND> dialogs = TopLevelWindowsOf(processId);
    std::erase_if(dialogs, [](HWND window) { return !IsDialog(window); });
    return dialogs;
}

HWND WaitForWindowOf(DWORD processId, const std::function<bool(HWND)>& matches, std::chrono::milliseconds limit) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindowsOf(processId)) {
                if (matches(window)) found = window;
            }
            return found != nullptr;
        },
        limit);
    return found;
}

HWND WaitForWindow(DWORD processId, const std::wstring& title, std::chrono::milliseconds limit) {
    return WaitForWindowOf(
        processId, [&](HWND window) { return IsWindowVisible(window) && TextOf(window) == title; }, limit);
}

std::wstring MessageTextOf(HWND box) {
    std::wstring text;
    for (HWND child : ChildrenOf(box)) {
        if (ClassOf(child) == L"Static" && !TextOf(child).empty()) text = TextOf(child);
    }
    return text;
}

std::wstring Answer(DWORD processId, const std::wstring& title, int button) {
    HWND box = WaitForWindow(processId, title, std::chrono::seconds(5));
    if (!box) return L"(no message box)";
    const std::wstring text = MessageTextOf(box);
    ClickButton(box, button);
    WaitUntil([&] { return !IsWindow(box); }, std::chrono::seconds(5));
    return text;
}

void ClickAt(POINT point) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, width - 1);
        input.mi.dy = MulDiv(point.y, 65535, height - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof(INPUT));
}

void PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) {
        // With its scan code, as a keyboard sends it: a control that maps a
        // WM_CHAR back to its key (Wine's hot-key box) reads the key from it.
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        down.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        input.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.wScan = static_cast<WORD>(MapVirtualKeyW(*key, MAPVK_VK_TO_VSC));
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void PostKeyPress(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

void ClickButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void ClickButton(HWND dialog, int id) { ClickButton(GetDlgItem(dialog, id)); }

HWND OpenOptions(DWORD processId) {
    HWND options = nullptr;
    for (int attempt = 0; attempt < 3 && !options; ++attempt) {
        PressTrayIcon();
        options = WaitForWindow(processId, win32::ToWide(Text(TextId::OptionsCaption)), std::chrono::seconds(3));
    }
    return options;
}

void SaveScreenshotOf(HWND window, const std::string& name) {
    // Another process's painting ends with no sign to us: give it a moment.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);
    SaveScreenshot(name);
}

bool RestPointerAt(HWND program, POINT point, bool heard) {
    if (heard) {
        MovePointerTo(point);
    } else {
        SetCursorPos(point.x, point.y);
    }
    const std::int64_t before = TicksOf(program).taken;
    return WaitUntil(
        [&] {
            const win32::TickCount now = TicksOf(program);
            return now.taken >= before + 2 || (!now.running && now.taken > before);
        },
        std::chrono::seconds(10));
}

bool Hand::RestAtStart(HWND program) {
    at_ = line_.start;
    step_ = line_.step;
    row_ = 0;
    return RestPointerAt(program, at_, line_.heard);
}

bool Hand::ShakeUntil(const std::function<bool()>& done, HWND program, int tickLimit) {
    using namespace std::chrono_literals;
    const std::int64_t lastTick = program ? TicksOf(program).taken + tickLimit : 0;
    // Only for a program that stops answering or ticking.
    const auto giveUp = std::chrono::steady_clock::now() + 2min;
    for (;;) {
        if (at_.x + step_ > line_.right || at_.x + step_ < line_.left) {
            step_ = -step_;
            row_ = (row_ + 1) % line_.rows;
            at_.y = line_.start.y + row_ * line_.rowGap;
        }
        at_.x += step_;
        if (line_.heard) {
            MovePointerTo(at_);
        } else {
            SetCursorPos(at_.x, at_.y);
        }
        // The pause paces the hand; what it waits for may come at any moment of it.
        if (WaitUntil(done, 40ms, 5ms)) return true;
        if ((program && TicksOf(program).taken >= lastTick) || std::chrono::steady_clock::now() >= giveUp) return false;
    }
}

HWND Overlay::Window() const {
    HWND overlay = nullptr;
    while ((overlay = FindWindowExW(nullptr, overlay, win32::OverlayWindowClass, nullptr))) {
        if (GetWindow(overlay, GW_OWNER) == main) return overlay;
    }
    return nullptr;
}

HWND Overlay::Tile(int index) const { return GetDlgItem(Window(), win32::TileControlId(index)); }

HWND Overlay::Caption(int index) const { return GetDlgItem(Window(), win32::CaptionControlId(index)); }

bool Overlay::ShowsNothing() const {
    if (IsWindowVisible(Window())) return false;
    for (int i = 0; i < 31; ++i) {
        if (IsShown(Tile(i)) || IsShown(Caption(i))) return false;
    }
    return true;
}

void MovePointerTo(POINT point) {
    // Put exactly there first, then reported as a mouse's movement of nothing:
    // a program that wakes on the report samples the pointer where it now is,
    // never half-way through a relative move scaled by the pointer's speed.
    SetCursorPos(point.x, point.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

std::optional<win32::HandleCounts> AskHandleCounts(HWND program) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &AnswerProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"YomorinaTestAnswer";
    RegisterClassExW(&windowClass);
    const HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    std::optional<win32::HandleCounts> answer;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answer));
    // A thread that has not looked at its messages for five seconds counts as hung, and the
    // program's answer would give up at once: between its questions this thread only sleeps.
    Pump();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(program, RegisterWindowMessageW(win32::HandleCountQueryName), reinterpret_cast<WPARAM>(window),
                        0, SMTO_ABORTIFHUNG, 10000, &ignored);
    DestroyWindow(window);
    return answer;
}

bool Resting(HWND program) {
    const auto counts = AskHandleCounts(program);
    return counts && counts->ticks.taken > 0 && !counts->ticks.running;
}

void WhileStopped(DWORD processId, const std::function<void()>& meanwhile) {
    std::vector<win32::UniqueKernelHandle> stopped;
    const win32::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        win32::UniqueKernelHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
        if (thread && SuspendThread(thread.get()) != DWORD(-1)) stopped.push_back(std::move(thread));
    }
    meanwhile();
    for (const auto& thread : stopped) ResumeThread(thread.get());
}

UniqueWindow WindowInFront(const wchar_t* title, const RECT& area, DWORD style, HWND owner, const wchar_t* windowClass) {
    UniqueWindow window(CreateWindowExW(0, windowClass, title, style, area.left, area.top, area.right - area.left,
                                        area.bottom - area.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr),
                        &DestroyWindow);
    ShowWindow(window.get(), style & WS_MAXIMIZE ? SW_MAXIMIZE : SW_SHOW);
    SetForegroundWindow(window.get());
    if (!WaitUntil([&] { return GetForegroundWindow() == window.get(); }, std::chrono::seconds(10))) window.reset();
    return window;
}

Process::Process(const std::wstring& commandLine, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring mutableCommandLine = commandLine;
    if (CreateProcessW(nullptr, mutableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                       &startup, &info)) {
        CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        id_ = info.dwProcessId;
    }
}

Process::~Process() {
    if (process_ && IsRunning()) {
        TerminateProcess(process_.get(), 1);
        // Gone for certain: what it held (its call key, its icon) is free for the next test.
        WaitForExit(std::chrono::seconds(30));
    }
}

bool Process::WaitForExit(std::chrono::milliseconds limit) const {
    return process_ && WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

ProgramUnderTest::ProgramUnderTest(const std::wstring& label, bool testQueries)
    : folder_(label), testQueries_(testQueries) {
    CopyFileW(WindowsPath(Options().exe).c_str(), ExePath().c_str(), FALSE);
}

ProgramUnderTest::~ProgramUnderTest() {
    if (process_ && process_->IsRunning()) Close(std::chrono::seconds(5));
}

Process& ProgramUnderTest::Start() {
    // Inherited by this one program only.
    if (testQueries_) SetEnvironmentVariableW(win32::TestQueriesVariable, L"1");
    process_ = std::make_unique<Process>(L"\"" + ExePath() + L"\"", folder_.Wide());
    SetEnvironmentVariableW(win32::TestQueriesVariable, nullptr);
    return *process_;
}

HWND ProgramUnderTest::WaitForMainWindow(std::chrono::milliseconds limit) {
    return WaitForWindowOf(
        process_->Id(), [](HWND window) { return ClassOf(window) == win32::MainWindowClass; }, limit);
}

HWND ProgramUnderTest::StartResident() {
    using namespace std::chrono_literals;
    // A copy that an earlier test ended may still be going: this start would be a second one and end at once.
    const bool alone = WaitUntil(
        [] { return !win32::UniqueKernelHandle(OpenMutexW(SYNCHRONIZE, FALSE, win32::SingleInstanceMutexName)); }, 30s);
    Start();
    const HWND main = WaitForMainWindow();
    if (!main) {
        DWORD code = 0;
        GetExitCodeProcess(process_->Handle(), &code);
        std::cerr << "no window of the program after 20 s: "
                  << (!process_->Started()     ? "it did not start"
                      : code == STILL_ACTIVE ? "it still runs"
                                             : "it ended with code " + std::to_string(code))
                  << (alone ? "" : "; another copy never ended") << std::endl;
        return nullptr;
    }
    if (!WaitUntil(TrayShowsOurIcon, 10s)) {
        std::cerr << "the program's window is there, its icon not after 10 s" << std::endl;
        return nullptr;
    }
    return main;
}

bool ProgramUnderTest::Close(std::chrono::milliseconds limit) {
    HWND main = WaitForMainWindow(std::chrono::milliseconds(100));
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    return process_->WaitForExit(limit);
}

std::string ProgramUnderTest::ReadFile(const std::wstring& name) const {
    std::ifstream in(folder_.Child(name).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ProgramUnderTest::WriteFile(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(folder_.Child(name).c_str(), std::ios::binary);
    out << bytes;
}

std::string ProgramUnderTest::WriteListFile(const ScatterSettings& settings, const std::vector<LaunchEntry>& entries) const {
    LaunchList list;
    std::copy(entries.begin(), entries.end(), list.begin());
    const std::string bytes = EncodeListFile(settings, list, win32::CodePage932());
    WriteFile(win32::ToWide(ListFileName), bytes);
    return bytes;
}

std::wstring ClippedCaptions(HWND window) {
    std::wstring clipped;
    const int dpi = static_cast<int>(GetDpiForWindow(window));
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = TextOf(child);
        const std::wstring kind = ClassOf(child);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
        const bool button = lstrcmpiW(kind.c_str(), L"Button") == 0;
        const DWORD type = style & SS_TYPEMASK;
        const bool label = lstrcmpiW(kind.c_str(), L"Static") == 0 && (type <= SS_RIGHT || type == SS_LEFTNOWORDWRAP);
        if (text.empty() || !(style & WS_VISIBLE) || !(button || label)) continue;
        int margins = 0;
        // An orange button's focus rectangle, 4 pixels inside its face; a check box's or option button's mark.
        if (button) margins = (style & BS_TYPEMASK) == BS_OWNERDRAW ? 2 * (4 + 1) : MulDiv(13 + 4, dpi, 96);
        HDC dc = GetDC(child);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        RECT client{};
        GetClientRect(child, &client);
        if (size.cx + margins > client.right) {
            clipped += L"\"" + text + L"\" " + std::to_wstring(size.cx + margins) + L" > " +
                       std::to_wstring(client.right) + L"; ";
        }
    }
    return clipped;
}

std::vector<Rgb> CapturePixels(const RECT& area, const std::function<void(HDC)>& drawOn) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<Rgb> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    const win32::UniqueBitmap bitmap = win32::MakeSection(width, height, &bits);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap.get());
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        if (drawOn) drawOn(memory);
        SelectObject(memory, old);
        const auto* bgra = static_cast<const unsigned char*>(bits);
        pixels.reserve(static_cast<std::size_t>(width) * height);
        for (int i = 0; i < width * height; ++i) pixels.push_back({bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]});
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::string SavePicture(const std::string& name, int width, const std::vector<Rgb>& pixels) {
    std::vector<unsigned char> rgb;
    for (const auto& p : pixels) {
        for (int channel : {p.r, p.g, p.b}) rgb.push_back(static_cast<unsigned char>(channel));
    }
    const std::string folder = Options().artifacts.empty() ? std::string(".") : Options().artifacts;
    CreateDirectoryW(WindowsPath(folder).c_str(), nullptr);
    const std::string path = folder + "/" + name + ".png";
    std::ofstream out(WindowsPath(path).c_str(), std::ios::binary);
    const auto png = EncodePng(width, width ? static_cast<int>(pixels.size()) / width : 0, rgb);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return path;
}

std::string SaveScreenshot(const std::string& name) {
    const win32::ScreenArea screen = win32::VirtualScreenArea();
    const RECT all{screen.left, screen.top, screen.left + screen.width, screen.top + screen.height};
    return SavePicture(name, screen.width, CapturePixels(all));
}

}  // namespace yomorina::e2e

#pragma once
// Starting the real yomorina.exe in a folder of its own and looking at it from
// outside, as another program on the same desktop would.

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "core/Model.h"
#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/Handles.h"
#include "platform/win32/base/TestSeams.h"
#include "tests/platform/TempFolder.h"

namespace yomorina::e2e {

struct SuiteOptions {
    std::string exe;        // the yomorina.exe under test (a Windows or a Unix path)
    std::string artifacts;  // where screenshots go
};
SuiteOptions& Options();
// Takes --yomorina-exe= and --artifacts= into the options; returns the other arguments.
std::vector<std::string> ReadOptions(int argc, char** argv);

// Unix paths reach Wine programs through drive Z:.
std::wstring WindowsPath(const std::string& path);

// Polls until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit,
               std::chrono::milliseconds poll = std::chrono::milliseconds(50));
// Runs this thread's waiting messages as a program's loop does.
void Pump();
// Runs this thread's messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);
// What must not happen has no moment of its own: it is watched for as long as
// the same watch takes to see it once provoke makes it happen. "" when it held
// off and then came, otherwise which of the two failed. The watch is WaitUntil
// unless given.
using Watch = std::function<bool(const std::function<bool()>&, std::chrono::milliseconds)>;
std::string NotUntilProvoked(const std::function<bool()>& happened, std::chrono::milliseconds limit,
                             const std::function<void()>& provoke, const Watch& watch = nullptr);

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// Its own visible style, whatever its parent's: a tile counts as shown under a hidden overlay too.
bool IsShown(HWND window);
RECT RectOf(HWND window);
POINT CentreOf(HWND window);
// A child's place in its parent's client area.
RECT RectInParent(HWND child);
// Its children and theirs, in the order the system keeps them.
std::vector<HWND> ChildrenOf(HWND parent);
// The first child with exactly this text; null if none has it.
HWND ChildWithText(HWND parent, const std::wstring& text);
// A shown window of the system's dialog class: a message box, a file dialog, a confirmation.
bool IsDialog(HWND window);
std::vector<HWND> DialogsOf(DWORD processId);
// A top-level window of the process that matches, once it is up.
HWND WaitForWindowOf(DWORD processId, const std::function<bool(HWND)>& matches,
                     std::chrono::milliseconds limit = std::chrono::seconds(10));
// A visible top-level window of the process with this title, once it is up.
HWND WaitForWindow(DWORD processId, const std::wstring& title,
                   std::chrono::milliseconds limit = std::chrono::seconds(10));
// The text of a message box.
std::wstring MessageTextOf(HWND box);
// Answers the message box with this title by its button, and returns its text.
std::wstring Answer(DWORD processId, const std::wstring& title, int button);

// Moves there and presses in one piece of input, so the press cannot land before the move.
void ClickAt(POINT point);
// Keys as a person presses them, to whichever window has the keyboard.
void PressKeys(const std::vector<WORD>& keys);
// A key's press and release posted to the window, as a keyboard's reach the window with the focus.
void PostKeyPress(HWND window, WPARAM key);
// The window with the keyboard focus on that thread, whatever its process.
HWND FocusOf(DWORD threadId);
// A button pressed as by its keyboard shortcut: the pointer is not needed for it.
void ClickButton(HWND button);
void ClickButton(HWND dialog, int id);
// Presses the tray icon until the options dialog is up (a press can miss when
// the pointer's move reaches Wine late); null if three presses open nothing.
HWND OpenOptions(DWORD processId);
// A screenshot only once the window has painted all of itself.
void SaveScreenshotOf(HWND window, const std::string& name);

// Distance 20, three fast ticks to start, one moving tick per tile: quick scatters.
inline constexpr ScatterSettings QuickScatter{20, 3, 1, 0};

// The pointer put still there until the program has seen it so: its timer took a
// tick after the one that may have seen it arrive, or stopped at rest after one.
bool RestPointerAt(HWND program, POINT point, bool heard = true);

// Where a shaking hand moves the pointer: steps along a row from the start; at
// the left or right end it turns back onto the next of the rows.
struct ShakeLine {
    POINT start{100, 400};
    int step = 25;  // alone beyond the distance of 20, and several in every tick
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int right = left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1;
    int rows = 1;
    int rowGap = 100;
    // Moves as a mouse makes them, which programs hear of; false: SetCursorPos, which no one hears of.
    bool heard = true;
};

class Hand {
public:
    explicit Hand(ShakeLine line = {}) : line_(line), at_(line.start), step_(line.step) {}
    POINT At() const { return at_; }
    // Back to the start of the line, resting there.
    bool RestAtStart(HWND program);
    // Steps on at a hand's pace until done holds (looked at between steps too), or
    // until the program has taken tickLimit ticks: a slow machine slows both alike.
    // With no program, until done alone.
    bool ShakeUntil(const std::function<bool()>& done, HWND program, int tickLimit);

private:
    ShakeLine line_;
    POINT at_;
    int step_;
    int row_ = 0;
};

// The overlay of the program whose main window is main, with its tiles and their captions.
struct Overlay {
    HWND main = nullptr;
    HWND Window() const;
    HWND Tile(int index) const;
    HWND Caption(int index) const;
    // No overlay, no tile, no caption.
    bool ShowsNothing() const;
};

// Moves the pointer as a mouse does, so that a program watching the input hears
// of it (SetCursorPos tells no one), and lands exactly on the point.
void MovePointerTo(POINT point);

// A process of ours, ended at the latest when this object goes.
class Process {
public:
    Process(const std::wstring& commandLine, const std::wstring& folder);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    bool WaitForExit(std::chrono::milliseconds limit) const;
    bool IsRunning() const { return !WaitForExit(std::chrono::milliseconds(0)); }
    HANDLE Handle() const { return process_.get(); }

private:
    win32::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// The test query's answer from a program started with the test switch; none from another.
std::optional<win32::HandleCounts> AskHandleCounts(HWND program);
// It has ticked and stopped its timer until the pointer moves.
bool Resting(HWND program);

// Every thread of the process stopped while meanwhile runs, as a program paged
// out over a long rest is stopped until it is read back in.
void WhileStopped(DWORD processId, const std::function<void()>& meanwhile);

using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)>;
// A window of the test process, in front as another program's would be; null if it never got there.
UniqueWindow WindowInFront(const wchar_t* title, const RECT& area, DWORD style = WS_POPUP, HWND owner = nullptr,
                           const wchar_t* windowClass = L"STATIC");

// yomorina.exe copied into a fresh folder and started there, with the test switch
// on unless told otherwise: the tests wait for its ticks.
class ProgramUnderTest {
public:
    explicit ProgramUnderTest(const std::wstring& label = L"app", bool testQueries = true);
    ~ProgramUnderTest();

    const testing::TempFolder& Folder() const { return folder_; }
    std::wstring ExePath() const { return folder_.Child(L"yomorina.exe"); }
    Process& Start();
    Process& Running() { return *process_; }
    // The hidden main window, once start-up has created it.
    HWND WaitForMainWindow(std::chrono::milliseconds limit = std::chrono::seconds(20));
    // Starts it and waits until it is resident: its main window made and its
    // icon in the tray. The main window, or null if either never came.
    HWND StartResident();
    // Closes the main window, as the exit button does after its question.
    bool Close(std::chrono::milliseconds limit = std::chrono::seconds(10));

    std::string ReadFile(const std::wstring& name) const;
    void WriteFile(const std::wstring& name, const std::string& bytes) const;
    // filelist.txt as the program itself writes it: these settings, these
    // entries in the first slots, the rest empty. Returns its bytes.
    std::string WriteListFile(const ScatterSettings& settings, const std::vector<LaunchEntry>& entries = {}) const;

private:
    testing::TempFolder folder_;
    bool testQueries_;
    std::unique_ptr<Process> process_;
};

// The window's labels, buttons, check boxes and option buttons whose text is
// wider than they show it, measured in each one's own font with its mark and
// margins allowed for: "" when every text shows whole. A window of this
// process only: another's font handles mean nothing here.
std::wstring ClippedCaptions(HWND window);

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
// The screen's pixels in a rectangle, row by row, with what drawOn adds (at the rectangle's corner).
std::vector<Rgb> CapturePixels(const RECT& area, const std::function<void(HDC)>& drawOn = nullptr);
// Pixels, width to a row, as a PNG in the artifacts folder; returns the file's Unix-side name.
std::string SavePicture(const std::string& name, int width, const std::vector<Rgb>& pixels);
std::string SaveScreenshot(const std::string& name);  // every monitor

}  // namespace yomorina::e2e

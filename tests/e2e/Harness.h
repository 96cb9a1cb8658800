#pragma once
// Starting the real yomorina.exe in a folder of its own and looking at it from
// outside, as another program on the same desktop would.

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Handles.h"
#include "tests/platform/TempFolder.h"

namespace yomorina::e2e {

struct SuiteOptions {
    std::string exe;        // the yomorina.exe under test (a Windows or a Unix path)
    std::string artifacts;  // where screenshots go
};
SuiteOptions& Options();

// Unix paths reach Wine programs through drive Z:.
std::wstring WindowsPath(const std::string& path);

// Polls until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// A visible top-level window of the process with this title, once it is up.
HWND WaitForWindow(DWORD processId, const std::wstring& title,
                   std::chrono::milliseconds limit = std::chrono::seconds(10));
// Moves there and presses in one piece of input, so the press cannot land before the move.
void ClickAt(POINT point);

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

private:
    win32::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// yomorina.exe copied into a fresh folder and started there.
class App {
public:
    explicit App(const std::wstring& label = L"app");
    ~App();

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

private:
    testing::TempFolder folder_;
    std::unique_ptr<Process> process_;
};

// The whole screen as a PNG in the artifacts folder; returns the file's Unix-side name.
std::string SaveScreenshot(const std::string& name);

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
// The screen's pixels in a rectangle, row by row.
std::vector<Rgb> CapturePixels(const RECT& area);

}  // namespace yomorina::e2e

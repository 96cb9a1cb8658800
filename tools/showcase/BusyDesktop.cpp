#include "tools/showcase/BusyDesktop.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <fstream>
#include <string>

#include "core/Texts.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/overlay/VirtualScreen.h"
#include "tools/showcase/Pictures.h"

namespace yomorina::showcase {
namespace {

bool Japanese() { return &CurrentTexts() == &JapaneseTexts; }

std::wstring KnownFolder(const KNOWNFOLDERID& id) {
    wchar_t* found = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &found))) folder = found;
    CoTaskMemFree(found);
    return folder;
}

// Where a person keeps their documents on Windows; the prefix's own profile is named for
// whoever runs Wine.
std::wstring Documents() { return std::wstring(L"C:\\Users\\") + (Japanese() ? L"hanako" : L"sam") + L"\\Documents"; }

void SetRegistryText(HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& text) {
    RegSetKeyValueW(root, key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring NotePath() { return Documents() + (Japanese() ? L"\\メモ.txt" : L"\\Notes.txt"); }

// Notepad's font is its own setting; Wine's default face has no full-width brackets, which
// a Japanese Windows draws in its Gothic.
void UseJapaneseNotepadFont() {
    const wchar_t* key = L"Software\\Microsoft\\Notepad";
    const DWORD shiftJis = SHIFTJIS_CHARSET;
    const DWORD tenthsOfPoints = 120;
    SetRegistryText(HKEY_CURRENT_USER, key, L"lfFaceName", L"ＭＳ ゴシック");
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"lfCharSet", REG_DWORD, &shiftJis, sizeof(shiftJis));
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"iPointSize", REG_DWORD, &tenthsOfPoints, sizeof(tenthsOfPoints));
}

// Without a window manager Wine draws a window's title bar itself only when told to, before
// the window's program starts.
void DrawOwnTitleBars() {
    SetRegistryText(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Decorated", L"N");
}

// The desktop's colour on each monitor, behind every other window.
std::vector<e2e::UniqueWindow> Wallpaper() {
    WNDCLASSW paper{};
    paper.lpfnWndProc = DefWindowProcW;
    paper.hInstance = GetModuleHandleW(nullptr);
    paper.hbrBackground = GetSysColorBrush(COLOR_DESKTOP);
    paper.lpszClassName = L"YomorinaShowcaseWallpaper";
    RegisterClassW(&paper);
    std::vector<e2e::UniqueWindow> windows;
    for (const RECT& monitor : Monitors()) {
        windows.emplace_back(CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, paper.lpszClassName, L"", WS_POPUP,
                                             monitor.left, monitor.top, monitor.right - monitor.left,
                                             monitor.bottom - monitor.top, nullptr, nullptr, paper.hInstance, nullptr),
                             &DestroyWindow);
    }
    for (const auto& window : windows) {
        SetWindowPos(window.get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        UpdateWindow(window.get());
    }
    return windows;
}

// The window where it belongs, in front, and painted once its program is past its start-up
// (a file it opens may come after its window).
void Place(HWND window, const RECT& area) {
    SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitForStillScreen();
}

}  // namespace

bool WithoutWineDesktop() { return GetSystemMetrics(SM_CMONITORS) > 1; }

void MakeDocuments() {
    // Windows draws a text document as a page of its own; Wine's text files have no icon.
    wchar_t system[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    SetRegistryText(HKEY_CLASSES_ROOT, L"txtfile\\DefaultIcon", nullptr, system + std::wstring(L"\\shell32.dll,-1"));
    SHCreateDirectoryExW(nullptr, Documents().c_str(), nullptr);
    // The note as notepad saves it, in UTF-16 with its byte-order mark, whatever the code page.
    const std::wstring note = Japanese() ? L"\uFEFF買い物\r\n・牛乳\r\n・卵\r\n・食パン\r\n\r\n"
                                           L"15:00 会議（第2会議室）\r\n明日までに見積書を送る"
                                         : L"\uFEFFShopping\r\n- milk\r\n- eggs\r\n- bread\r\n\r\n"
                                           L"3 pm meeting (room 2)\r\nSend the quote by tomorrow";
    const auto bytes = static_cast<std::streamsize>(note.size() * sizeof(wchar_t));
    std::ofstream(NotePath().c_str(), std::ios::binary).write(reinterpret_cast<const char*>(note.data()), bytes);
}

std::vector<LaunchEntry> ShowcaseEntries() {
    const bool japanese = Japanese();
    // This Wine has no calculator; its clock is as much a part of the system.
    return {
        {japanese ? "メモ帳" : "Notepad", "C:\\Windows\\notepad.exe"},
        {japanese ? "時計" : "Clock", "C:\\Windows\\System32\\clock.exe"},
        {japanese ? "メモ" : "Notes", win32::ToUtf8(NotePath())},
        {japanese ? "ドキュメント" : "Documents", win32::ToUtf8(Documents())},
        {std::string(RecycleBinPath), std::string(RecycleBinPath)},
    };
}

BusyDesktop::BusyDesktop() {
    const bool japanese = Japanese();
    const std::wstring profile = KnownFolder(FOLDERID_Profile);
    const auto start = [&](const std::wstring& commandLine) {
        programs_.push_back(std::make_unique<e2e::Process>(commandLine, profile));
        return programs_.back()->Id();
    };
    const auto visible = [](HWND window) { return IsWindowVisible(window) != FALSE; };
    const win32::ScreenArea screen = win32::VirtualScreenArea();
    if (WithoutWineDesktop()) {
        DrawOwnTitleBars();
        wallpaper_ = Wallpaper();
    }

    // A letter being written. (Not a console: it sizes itself to its font and would cover
    // the notification area at 144 dpi.)
    const std::wstring wordPad = L"\"" + KnownFolder(FOLDERID_ProgramFiles) + L"\\Windows NT\\Accessories\\wordpad.exe\"";
    if (HWND letter = e2e::WaitForWindowOf(start(wordPad), visible)) {
        const wchar_t* text = japanese ? L"株式会社ヤマダ商事\r\n営業部 山田様\r\n\r\nいつもお世話になっております。\r\n"
                                         L"先日ご依頼いただいた見積書をお送りします。"
                                       : L"Dear Ms Smith,\r\n\r\nThank you for your order of 3 December.\r\n"
                                         L"Please find the quote attached.";
        for (const wchar_t* editClass : {L"RICHEDIT50W", L"RichEdit20W"}) {
            if (HWND edit = FindWindowExW(letter, nullptr, editClass, nullptr)) {
                SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
            }
        }
        Place(letter, {screen.left + 60, 60, screen.left + 640, 520});
    }

    if (japanese) UseJapaneseNotepadFont();
    if (HWND notepad = e2e::WaitForWindowOf(start(L"\"notepad.exe\" \"" + NotePath() + L"\""), visible)) {
        // Notepad reads its file after its window shows; a picture taken before shows an empty note.
        const HWND page = FindWindowExW(notepad, nullptr, L"Edit", nullptr);
        e2e::WaitUntil([&] { return page && SendMessageW(page, WM_GETTEXTLENGTH, 0, 0) > 0; },
                       std::chrono::seconds(10));
        const int right = screen.left + screen.width;
        Place(notepad, {right - 580, 140, right - 100, 500});
    }
}

}  // namespace yomorina::showcase

#include "tools/showcase/BusyDesktop.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <string>

#include "core/Texts.h"
#include "platform/win32/base/WideText.h"

namespace yomorina::showcase {
namespace {

using e2e::Rgb;

bool Japanese() { return &CurrentTexts() == &JapaneseTexts; }

std::wstring KnownFolder(const KNOWNFOLDERID& id) {
    wchar_t* found = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &found))) folder = found;
    CoTaskMemFree(found);
    return folder;
}

// The window is where it belongs and the screen has stopped changing: another
// process's painting ends with no sign to us. A caret's blink lets two looks agree soon.
void PlaceAndSettle(HWND window, const RECT& area) {
    SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    std::vector<Rgb> last;
    e2e::WaitUntil(
        [&] {
            std::vector<Rgb> now = e2e::CapturePixels(screen);
            const bool same = now == last;
            last = std::move(now);
            return same;
        },
        std::chrono::seconds(5), std::chrono::milliseconds(300));
}

}  // namespace

std::vector<LaunchEntry> ShowcaseEntries() {
    const bool japanese = Japanese();
    wchar_t system[MAX_PATH] = L"";
    GetSystemDirectoryW(system, MAX_PATH);
    // This Wine has no calculator; its clock is as much a part of the system.
    return {
        {japanese ? "メモ帳" : "Notepad", "C:\\windows\\notepad.exe"},
        {japanese ? "時計" : "Clock", win32::ToUtf8(system) + "\\clock.exe"},
        {japanese ? "ドキュメント" : "Documents", win32::ToUtf8(KnownFolder(FOLDERID_Documents))},
        {japanese ? "ゴミ箱" : "Recycle Bin", std::string(RecycleBinPath)},
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
        PlaceAndSettle(letter, {640, 160, 1220, 600});
    }

    if (HWND notepad = e2e::WaitForWindowOf(start(L"notepad.exe"), visible)) {
        const wchar_t* note = japanese ? L"買い物\r\n・牛乳\r\n・卵\r\n・食パン\r\n\r\n15:00 会議（第2会議室）\r\n"
                                         L"明日までに見積書を送る"
                                       : L"Shopping\r\n- milk\r\n- eggs\r\n- bread\r\n\r\n3 pm meeting (room 2)\r\n"
                                         L"Send the quote by tomorrow";
        SendMessageW(FindWindowExW(notepad, nullptr, L"Edit", nullptr), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(note));
        PlaceAndSettle(notepad, {420, 210, 900, 520});
    }
}

}  // namespace yomorina::showcase

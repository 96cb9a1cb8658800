#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/base/AppMessages.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/ShellBrowser.h"
#include "platform/win32/dialogs/AboutWindow.h"
#include "platform/win32/files/ExecutableFolder.h"
#include "tests/e2e/Harness.h"
#include "tests/platform/TempFolder.h"

namespace yomorina {
namespace {

using namespace std::chrono_literals;
using e2e::ChildWithText;
using e2e::ClassOf;
using e2e::FocusOf;
using e2e::TextOf;
using e2e::WaitUntil;

// Written out: a wrong address in the program must not pass as the expected one.
const std::wstring HomePage = L"https://www.example.com/";
const std::wstring MailAddress = L"zuno@example.com";

HWND FindAboutBox() { return FindWindowW(win32::AboutBoxClass, L"バージョン情報"); }

// A real click, once no other program's window is in the way; false when one
// stayed. Whether it reaches `window` or the frame over it is the system's hit test.
bool ClickMiddleOf(HWND window) {
    const POINT middle = e2e::CentreOf(window);
    const HWND box = GetAncestor(window, GA_ROOT);
    auto ours = [&] {
        const HWND under = WindowFromPoint(middle);
        return under == box || IsChild(box, under);
    };
    if (!WaitUntil(ours, 5s)) {
        const HWND inTheWay = WindowFromPoint(middle);
        ADD_FAILURE() << "in the way: " << win32::ToUtf8(ClassOf(inTheWay)) << " " << win32::ToUtf8(TextOf(inTheWay));
        return false;
    }
    e2e::ClickAt(middle);
    return true;
}

// The shell's "open" for html files, web pages and mailto addresses, pointed for
// one test at a command that writes what it was given into a log file of its
// kind. Wine reads these from the machine's classes only, so they are changed
// there and put back afterwards.
class LoggingShellHandlers {
public:
    explicit LoggingShellHandlers(const testing::TempFolder& folder) : folder_(folder) {
        wchar_t system[MAX_PATH];
        GetSystemDirectoryW(system, MAX_PATH);
        for (const wchar_t* kind : Kinds) {
            const std::wstring key = Key(kind);
            wchar_t value[1024] = {};
            DWORD size = sizeof(value);
            if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) ==
                ERROR_SUCCESS) {
                // A run that died before putting them back left ours: Wine's own is what was there.
                saved_[kind] = std::wstring(value).find(L"/c echo %1>>") == std::wstring::npos
                                   ? std::wstring(value)
                                   : std::wstring(L"\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"");
            }
            Set(key, L"\"" + std::wstring(system) + L"\\cmd.exe\" /c echo %1>>\"" + Log(kind) + L"\"");
        }
    }
    ~LoggingShellHandlers() {
        for (const wchar_t* kind : Kinds) {
            const auto found = saved_.find(kind);
            if (found != saved_.end()) Set(Key(kind), found->second);
        }
    }
    LoggingShellHandlers(const LoggingShellHandlers&) = delete;
    LoggingShellHandlers& operator=(const LoggingShellHandlers&) = delete;

    // What the handler for `kind` was given so far.
    std::string Logged(const wchar_t* kind) const {
        std::ifstream in(Log(kind).c_str());
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    static constexpr const wchar_t* Kinds[] = {L"htmlfile", L"http", L"https", L"mailto"};
    static std::wstring Key(const wchar_t* kind) { return std::wstring(kind) + L"\\shell\\open\\command"; }
    std::wstring Log(const wchar_t* kind) const { return folder_.Child(std::wstring(kind) + L".txt"); }
    static void Set(const std::wstring& key, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    const testing::TempFolder& folder_;
    std::map<std::wstring, std::wstring> saved_;
};

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        OleInitialize(nullptr);
        owner = CreateWindowExW(0, L"STATIC", L"オプション代わり", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 560, 440,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner);
        OleUninitialize();
    }

    // Shows the box over `owner` while `drive` runs on another thread, as a user would act on it.
    // If the box is still open when `drive` is done, the test closes it and fails.
    void ShowWhile(const std::function<void(HWND box)>& drive) {
        std::atomic<bool> closedByTest{false};
        std::thread user([&] {
            HWND box = nullptr;
            WaitUntil([&] { return (box = FindAboutBox()) && IsWindowVisible(box); }, 10s);
            if (box) drive(box);
            if (!WaitUntil([&] { return FindAboutBox() == nullptr; }, 20s)) {
                closedByTest = true;
                PostMessageW(FindAboutBox(), WM_CLOSE, 0, 0);
            }
        });
        win32::ShowAboutBox(GetModuleHandleW(nullptr), owner);
        user.join();
        EXPECT_FALSE(closedByTest) << "the box did not close by itself";
    }

    HWND owner = nullptr;
};

TEST_F(AboutBoxTest, ShowsItsTextsModalOverTheOwnerAndClosesWithTheCloseButton) {
    std::map<std::wstring, HWND> found;
    std::map<std::wstring, RECT> places;
    bool ownerDisabled = false;
    HWND boxOwner = nullptr;
    RECT client{};
    ShowWhile([&](HWND box) {
        for (const std::wstring& text : std::vector<std::wstring>{L"ヨモリナ　Ver 1.1", L"作者　：", L"ZUNO", L"ホームページ　：", L"メール　：",
                                         HomePage, MailAddress, L"ヘルプ", L"閉じる"}) {
            found[text] = ChildWithText(box, text);
        }
        for (const auto& [text, window] : found) {
            if (window) places[text] = e2e::RectInParent(window);
        }
        ownerDisabled = !IsWindowEnabled(owner);
        boxOwner = GetWindow(box, GW_OWNER);
        GetClientRect(box, &client);
        PostMessageW(found[L"閉じる"], BM_CLICK, 0, 0);
    });

    for (const auto& [text, window] : found) EXPECT_NE(window, nullptr) << win32::ToUtf8(text);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(boxOwner, owner);
    // 4425 × 3300 twips at 96 dpi.
    EXPECT_EQ(client.right, 295);
    EXPECT_EQ(client.bottom, 220);
    // A link is at least as wide as its address, so the whole address shows.
    EXPECT_GE(places[HomePage].right - places[HomePage].left, 75);
    EXPECT_EQ(FindAboutBox(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(AboutBoxTest, TheCloseBoxClosesItAsWell) {
    ShowWhile([&](HWND box) { PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(FindAboutBox(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

// Keys go to whatever has the focus on the box's thread, as typed keys would.
void PressKey(DWORD thread, WPARAM key) { e2e::PostKeyPress(FocusOf(thread), key); }

TEST_F(AboutBoxTest, EnterAndEscDoNothingWhileTabAndSpaceReachTheButtons) {
    const DWORD boxThread = GetCurrentThreadId();
    std::string openUntilSpace;
    HWND focusAfterTab = nullptr;
    HWND closeButton = nullptr;
    ShowWhile([&](HWND box) {
        closeButton = ChildWithText(box, L"閉じる");
        PressKey(boxThread, VK_RETURN);
        PressKey(boxThread, VK_ESCAPE);
        openUntilSpace = e2e::NotUntilProvoked([&] { return !IsWindowVisible(box); }, 2s, [&] {
            // 閉じる comes first in the tab order.
            PressKey(boxThread, VK_TAB);
            WaitUntil([&] { return FocusOf(boxThread) == closeButton; }, 2s);
            focusAfterTab = FocusOf(boxThread);
            PressKey(boxThread, VK_SPACE);
        });
    });
    EXPECT_EQ(openUntilSpace, "");
    EXPECT_EQ(focusAfterTab, closeButton);
    EXPECT_EQ(FindAboutBox(), nullptr);
}

TEST_F(AboutBoxTest, HelpAndTheTwoLinksGoToTheShellWithoutAnyErrorBox) {
    testing::TempFolder folder(L"about");
    LoggingShellHandlers handlers(folder);

    // help.html beside the program, as the build puts it.
    const std::string helpPath = win32::ExecutableFolder().Path() + "\\help.html";
    const std::wstring helpWide = win32::ToWide(helpPath);
    const bool helpWasThere = GetFileAttributesW(helpWide.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!helpWasThere) std::ofstream(helpWide.c_str()) << "<!doctype html><title>help</title>";

    auto reached = [&](const wchar_t* kind) { return !handlers.Logged(kind).empty(); };
    std::string quietUntilClosed;
    bool homePageReachable = false;
    bool mailReachable = false;
    ShowWhile([&](HWND box) {
        homePageReachable = ClickMiddleOf(ChildWithText(box, HomePage));
        WaitUntil([&] { return reached(L"https"); }, 10s);
        mailReachable = ClickMiddleOf(ChildWithText(box, MailAddress));
        WaitUntil([&] { return reached(L"mailto"); }, 10s);
        PostMessageW(ChildWithText(box, L"ヘルプ"), BM_CLICK, 0, 0);
        WaitUntil([&] { return reached(L"htmlfile"); }, 10s);
        const auto close = [&] { PostMessageW(ChildWithText(box, L"閉じる"), BM_CLICK, 0, 0); };
        const auto boxOrGone = [&] { return !e2e::DialogsOf(GetCurrentProcessId()).empty() || !IsWindowVisible(box); };
        quietUntilClosed = e2e::NotUntilProvoked(boxOrGone, 2s, close);
    });
    if (!helpWasThere) DeleteFileW(helpWide.c_str());

    EXPECT_NE(handlers.Logged(L"htmlfile").find(helpPath), std::string::npos) << handlers.Logged(L"htmlfile");
    EXPECT_NE(handlers.Logged(L"https").find("https://www.example.com/"), std::string::npos);
    EXPECT_NE(handlers.Logged(L"mailto").find("mailto:zuno@example.com"), std::string::npos);
    EXPECT_TRUE(homePageReachable);
    EXPECT_TRUE(mailReachable);
    EXPECT_EQ(quietUntilClosed, "") << "an error box, or the box closed by itself";
}

}  // namespace
}  // namespace yomorina

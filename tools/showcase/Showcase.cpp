// The README's pictures of the real yomorina.exe at work, over a desktop in use and with a list
// as a person keeps it, one program for each scene:
//   yomorina_showcase --yomorina-exe=PATH --artifacts=FOLDER [scene...]
// Every scene when none is named (the two-monitor one needs two monitors). Each scene leaves
// its pictures as FOLDER/<picture>.png.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/Texts.h"
#include "platform/win32/base/WideText.h"
#include "platform/win32/desktop/DisplayLanguage.h"
#include "platform/win32/dialogs/EntryEditorWindow.h"
#include "platform/win32/dialogs/OptionsWindow.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/Tray.h"
#include "tools/showcase/BusyDesktop.h"
#include "tools/showcase/Pictures.h"

namespace yomorina::showcase {
namespace {

using namespace e2e;
using namespace std::chrono_literals;

// What went wrong in a scene; empty when its pictures were taken.
using Failure = std::string;

// Without its virtual desktop Wine's notification area, once it holds an icon, stands alone at
// the top left; Windows keeps it at the bottom right.
Failure TrayToTheCorner() {
    HWND tray = nullptr;
    if (!WaitUntil([&] { return (tray = FindWindowW(nullptr, L"Wine System Tray")) != nullptr; }, 10s)) {
        return "the icon never came";
    }
    const RECT area = RectOf(tray);
    SetWindowPos(tray, nullptr, GetSystemMetrics(SM_CXSCREEN) - (area.right - area.left),
                 GetSystemMetrics(SM_CYSCREEN) - (area.bottom - area.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return "";
}

// The program resident, once the last scene's icon has gone: a press on the icon must reach this one.
Failure StartResident(ProgramUnderTest& app, HWND& main) {
    if (WithoutWineDesktop()) {
        app.Start();
        main = app.WaitForMainWindow();
        return main ? TrayToTheCorner() : "the program never started";
    }
    if (!TrayClearOfOurIcon()) return "another icon stayed in the tray";
    main = app.StartResident();
    return main ? "" : "the program never became resident";
}

bool Closed(HWND window) {
    return WaitUntil([&] { return !IsWindow(window); }, 5s);
}

// A shake from the left along the middle of the screen.
const ShakeLine RowAcross{{100, 400}, 25};

ScatterSettings Patterned(int pattern) {
    ScatterSettings settings = QuickScatter;
    settings.BackgroundPattern = static_cast<std::int16_t>(pattern);
    return settings;
}

// The overlay after a shake along the line, once every entry has dropped its tile.
Failure ShakenOverlay(const ScatterSettings& settings, const ShakeLine& line, const std::string& picture) {
    BusyDesktop desktop;
    ProgramUnderTest app(L"showcase");
    app.WriteListFile(settings, ShowcaseEntries());
    HWND main = nullptr;
    if (Failure failure = StartResident(app, main); !failure.empty()) return failure;
    Hand hand(line);
    if (!hand.RestAtStart(main)) return "the program never saw the pointer rest";
    const Overlay overlay{main};
    const int last = static_cast<int>(ShowcaseEntries().size()) - 1;
    if (!hand.ShakeUntil([&] { return IsShown(overlay.Tile(last)); }, main, 30)) return "the shake left tiles out";
    RestPointerAt(main, hand.At(), line.heard);
    SaveScreenWithPointer(picture);
    return "";
}

// Every tile at once in a row under the resting pointer.
Failure CallKeyOverlay() {
    BusyDesktop desktop;
    ProgramUnderTest app(L"showcase");
    ScatterSettings settings = QuickScatter;
    settings.CallKey = 0x0600 | 'Y';  // Ctrl+Alt+Y
    app.WriteListFile(settings, ShowcaseEntries());
    HWND main = nullptr;
    if (Failure failure = StartResident(app, main); !failure.empty()) return failure;
    RestPointerAt(main, {640, 400});
    PressKeys({VK_CONTROL, VK_MENU, 'Y'});
    const Overlay overlay{main};
    const auto everyTile = [&] {
        for (int i = 0; i < static_cast<int>(ShowcaseEntries().size()); ++i) {
            if (!IsShown(overlay.Tile(i))) return false;
        }
        return true;
    };
    if (!WaitUntil(everyTile, 5s)) return "the call key brought no row of tiles";
    SaveScreenWithPointer("overlay-call-key");
    PressKeys({VK_ESCAPE});
    return "";
}

// The options dialog over the showcase list and the entry editor on its first entry.
Failure OptionsAndEntryEditor() {
    ProgramUnderTest app(L"showcase");
    app.WriteListFile(ScatterSettings{100, 5, 1, 0}, ShowcaseEntries());
    HWND main = nullptr;
    if (Failure failure = StartResident(app, main); !failure.empty()) return failure;
    const HWND options = OpenOptions(app.Running().Id());
    if (!options) return "the icon press opened no options dialog";
    SaveWindowPicture(options, "options-dialog");
    // The dialog opens on the first entry, which the editor shows.
    ClickButton(options, win32::options_ids::EditButton);
    const HWND editor = WaitForWindow(app.Running().Id(), win32::ToWide(Text(TextId::EntryEditorCaption)));
    if (!editor) return "no entry editor";
    SaveWindowPicture(editor, "entry-editor");
    ClickButton(editor, win32::editor_ids::CancelButton);
    if (!Closed(editor)) return "the entry editor stayed";
    ClickButton(options, win32::options_ids::CancelButton);
    return Closed(options) ? "" : "the options dialog stayed";
}

// The about box modal over the options dialog of a program as it first starts, with no list yet.
Failure AboutBox() {
    ProgramUnderTest app(L"showcase");
    HWND main = nullptr;
    if (Failure failure = StartResident(app, main); !failure.empty()) return failure;
    const HWND options = OpenOptions(app.Running().Id());
    if (!options) return "the icon press opened no options dialog";
    ClickButton(options, win32::options_ids::VersionButton);
    const HWND about = WaitForWindow(app.Running().Id(), win32::ToWide(Text(TextId::AboutBoxTitle)));
    if (!about) return "no about box";
    SaveWindowPicture(about, "about-box");
    PostMessageW(about, WM_CLOSE, 0, 0);
    if (!Closed(about)) return "the about box stayed";
    ClickButton(options, win32::options_ids::CancelButton);
    return Closed(options) ? "" : "the options dialog stayed";
}

// Across the line between two monitors, over a desktop in use on both.
Failure TwoMonitorOverlay() {
    if (!WithoutWineDesktop()) return "one monitor only";
    // From the left end of the left monitor, so that the tiles land on both. Outside Wine's
    // virtual desktop no program hears of the pointer's moves: the program notices by itself.
    ShakeLine line{{GetSystemMetrics(SM_XVIRTUALSCREEN) + 40, 400}, 25};
    line.heard = false;
    // Two fast ticks for each tile spread them wider than a monitor.
    ScatterSettings settings = QuickScatter;
    settings.FastTicksPerTile = 2;
    return ShakenOverlay(settings, line, "overlay-two-monitors");
}

struct Scene {
    std::string name;
    std::function<Failure()> take;
};

const std::vector<Scene>& Scenes() {
    static const std::vector<Scene> scenes{
        {"options", OptionsAndEntryEditor},
        {"about-box", AboutBox},
        {"overlay-plain", [] { return ShakenOverlay(Patterned(0), RowAcross, "overlay-plain"); }},
        {"overlay-pattern-1", [] { return ShakenOverlay(Patterned(1), RowAcross, "overlay-pattern-1"); }},
        {"overlay-pattern-2", [] { return ShakenOverlay(Patterned(2), RowAcross, "overlay-pattern-2"); }},
        {"overlay-pattern-3", [] { return ShakenOverlay(Patterned(3), RowAcross, "overlay-pattern-3"); }},
        {"overlay-call-key", CallKeyOverlay},
        {"overlay-two-monitors", TwoMonitorOverlay},
    };
    return scenes;
}

}  // namespace
}  // namespace yomorina::showcase

int main(int argc, char** argv) {
    using namespace yomorina;
    // The texts the program speaks here, which name its windows and the showcase list.
    UseTexts(TextsForLanguage(win32::DisplayLanguage().Tag()));
    // Rectangles and the pointer in the screen's own pixels, at any scale.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    showcase::MakeDocuments();
    std::vector<std::string> wanted = e2e::ReadOptions(argc, argv);
    const auto& scenes = showcase::Scenes();
    if (wanted.empty()) {
        for (const auto& scene : scenes) wanted.push_back(scene.name);
    }
    int failures = 0;
    for (const std::string& name : wanted) {
        const auto scene = std::find_if(scenes.begin(), scenes.end(), [&](const auto& s) { return s.name == name; });
        const std::string failure = scene == scenes.end() ? "no such scene" : scene->take();
        std::printf("%s: %s\n", name.c_str(), failure.empty() ? "taken" : failure.c_str());
        std::fflush(stdout);
        failures += !failure.empty();
    }
    return failures == 0 ? 0 : 1;
}

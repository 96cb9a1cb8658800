// The README's pictures of the real yomorina.exe at work, over a desktop in use and with a list
// as a person keeps it, one program for each scene:
//   yomorina_showcase --yomorina-exe=PATH --artifacts=FOLDER [scene...]
// Every scene when none is named. Each scene leaves its pictures as FOLDER/<picture>.png.

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

namespace yomorina::showcase {
namespace {

using namespace e2e;
using namespace std::chrono_literals;

// What went wrong in a scene; empty when its pictures were taken.
using Failure = std::string;

// The program resident, once the last scene's icon has gone: a press on the icon must reach this one.
Failure StartResident(ProgramUnderTest& app, HWND& main) {
    if (!TrayClearOfOurIcon()) return "another icon stayed in the tray";
    main = app.StartResident();
    return main ? "" : "the program never became resident";
}

bool Closed(HWND window) {
    return WaitUntil([&] { return !IsWindow(window); }, 5s);
}

// The overlay after a shake along a row, once every entry has dropped its tile.
Failure ShakenOverlay(int pattern, const std::string& picture) {
    BusyDesktop desktop;
    ProgramUnderTest app(L"showcase");
    ScatterSettings settings = QuickScatter;
    settings.BackgroundPattern = static_cast<std::int16_t>(pattern);
    app.WriteListFile(settings, ShowcaseEntries());
    HWND main = nullptr;
    if (Failure failure = StartResident(app, main); !failure.empty()) return failure;
    Hand hand(ShakeLine{{100, 400}, 25});
    if (!hand.RestAtStart(main)) return "the program never saw the pointer rest";
    const Overlay overlay{main};
    const int last = static_cast<int>(ShowcaseEntries().size()) - 1;
    if (!hand.ShakeUntil([&] { return IsShown(overlay.Tile(last)); }, main, 30)) return "the shake left tiles out";
    RestPointerAt(main, hand.At());
    SaveScreenshot(picture);
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
    SaveScreenshotOf(main, "overlay-call-key");
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
    SaveScreenshotOf(options, "options-dialog");
    // The dialog opens on the first entry, which the editor shows.
    ClickButton(options, win32::options_ids::EditButton);
    const HWND editor = WaitForWindow(app.Running().Id(), win32::ToWide(Text(TextId::EntryEditorCaption)));
    if (!editor) return "no entry editor";
    SaveScreenshotOf(editor, "entry-editor");
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
    SaveScreenshotOf(about, "about-box");
    PostMessageW(about, WM_CLOSE, 0, 0);
    if (!Closed(about)) return "the about box stayed";
    ClickButton(options, win32::options_ids::CancelButton);
    return Closed(options) ? "" : "the options dialog stayed";
}

struct Scene {
    std::string name;
    std::function<Failure()> take;
};

const std::vector<Scene>& Scenes() {
    static const std::vector<Scene> scenes{
        {"options", OptionsAndEntryEditor},
        {"about-box", AboutBox},
        {"overlay-plain", [] { return ShakenOverlay(0, "overlay-plain"); }},
        {"overlay-pattern-1", [] { return ShakenOverlay(1, "overlay-pattern-1"); }},
        {"overlay-pattern-2", [] { return ShakenOverlay(2, "overlay-pattern-2"); }},
        {"overlay-pattern-3", [] { return ShakenOverlay(3, "overlay-pattern-3"); }},
        {"overlay-call-key", CallKeyOverlay},
    };
    return scenes;
}

}  // namespace
}  // namespace yomorina::showcase

int main(int argc, char** argv) {
    using namespace yomorina;
    // The texts the program speaks here, which name its windows and the showcase list.
    UseTexts(TextsForLanguage(win32::DisplayLanguage().Tag()));
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

// Wires the real windows and system services to the program's logic and runs
// the one user-interface thread.

#include <windows.h>

#include <cstdlib>
#include <memory>

#include "app/App.h"
#include "core/ListFile.h"
#include "core/Model.h"
#include "core/Texts.h"
#include "platform/win32/base/LateBound.h"
#include "platform/win32/base/TestSeams.h"
#include "platform/win32/desktop/DisplayLanguage.h"
#include "platform/win32/desktop/Monitors.h"
#include "platform/win32/desktop/Pointer.h"
#include "platform/win32/desktop/Shell.h"
#include "platform/win32/desktop/SingleInstance.h"
#include "platform/win32/desktop/StartupShortcut.h"
#include "platform/win32/desktop/UserAttention.h"
#include "platform/win32/dialogs/MessageBoxes.h"
#include "platform/win32/dialogs/OptionsWindow.h"
#include "platform/win32/files/CodePage932.h"
#include "platform/win32/files/DirectorySearch.h"
#include "platform/win32/files/EntryLookup.h"
#include "platform/win32/files/ExecutableFolder.h"
#include "platform/win32/files/FileStore.h"
#include "platform/win32/files/FolderChangeWatch.h"
#include "platform/win32/resident/KeyboardLayouts.h"
#include "platform/win32/resident/MainWindow.h"
#include "platform/win32/resident/TrayIcon.h"

using namespace yomorina;

namespace {

// Everything that lives for the run, torn down before OLE is.
int RunProgram(HINSTANCE instance) {
    Model model;
    win32::CodePage932 codePage;
    win32::FileStore fileStore;
    win32::ExecutableFolder executableFolder;
    ListFile listFile(fileStore, codePage, executableFolder);
    win32::MessageBoxes messages;
    win32::Pointer pointer;
    win32::Monitors monitors;
    win32::DirectorySearch directorySearch;
    win32::EntryLookup entryLookup;
    const win32::UserAttention attention;
    win32::StartupShortcut startupShortcut;
    const win32::KeyboardLayouts keyboardLayouts(win32::ImitatedCharacterKeys());

    win32::MainWindow mainWindow(instance);
    win32::OverlayWindow& overlay = mainWindow.ScatterOverlay();
    if (!mainWindow.Handle()) return 1;
    overlay.SetEntryLookup(&entryLookup);
    win32::TrayIcon trayIcon(mainWindow.TrayCallbackHandle(), instance);

    win32::Shell shell;
    // The shell's confirmation and error dialogs belong to the overlay, above which they must show.
    win32::RecycleBin recycleBin([&overlay] { return overlay.Handle(); });

    // The options dialog: a fresh window at every opening, kept until the next.
    std::unique_ptr<win32::OptionsWindow> options;
    const auto showOptions = [&] {
        win32::EnsureCommonControls();
        options.reset();
        options = std::make_unique<win32::OptionsWindow>(
            instance, win32::OptionsWindow::Services{model, listFile, startupShortcut, directorySearch, entryLookup, mainWindow,
                                                     mainWindow.CallKey(), keyboardLayouts});
        // A dialog that could not be made must not lock the icon out for good.
        if (!options->Handle()) model.OptionsOpen = false;
    };
    // Its editor or a message box over it, if one is open, is what the user must answer first.
    const auto raiseOptions = [&] {
        if (!options || !options->Handle()) return;
        // A dialog the user minimized comes back as it was left.
        if (IsIconic(options->Handle())) ShowWindow(options->Handle(), SW_RESTORE);
        SetForegroundWindow(GetLastActivePopup(options->Handle()));
    };
    App app({model, mainWindow, overlay, mainWindow.WakeupSources(), trayIcon, listFile, messages, pointer, monitors, entryLookup, attention,
             shell, recycleBin, mainWindow.CallKey(), keyboardLayouts, showOptions, raiseOptions});
    mainWindow.SetEvents(&app);
    overlay.SetEvents(&app);
    // Watched from before the first read, so that no edit falls between the two.
    win32::ListFileWatch listFileWatch(listFile.Path());
    app.Start();

    win32::RunMessageLoop(listFileWatch, [&] { app.OnListFileChanged(); },
                          [&](MSG& message) { return options && options->TranslateDialogMessage(message); });
    // The dialog goes while App, whose window owns it, is still there.
    options.reset();
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // A second copy leaves before it touches a window or a file.
    win32::SingleInstance singleInstance;
    if (!singleInstance.IsFirst()) {
        singleInstance.AskTheFirstForItsOptions();
        return 0;
    }

    // Every window, box and tip speaks the user's language from the first.
    UseTexts(TextsForLanguage(win32::DisplayLanguage().Tag()));
    // OLE starts when the overlay or the options dialog first needs it, and ends after everything that used it.
    win32::OleSession ole;
    return RunProgram(instance);
}

// The library's default handler for an exception nobody caught writes its
// name to a console this program does not have, and links a whole demangler
// for that; the outcome, the program ending, is the same without it.
#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

// Wires the real windows and system services to the program's logic and runs
// the one user-interface thread.

#include <windows.h>

#include <memory>

#include "app/App.h"
#include "core/ListFile.h"
#include "core/Model.h"
#include "platform/win32/FolderChangeWatch.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/Win32AboutBox.h"
#include "platform/win32/Win32CodePage932.h"
#include "platform/win32/Win32DirectorySearch.h"
#include "platform/win32/Win32EntryLookup.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32OptionsDialog.h"
#include "platform/win32/Win32MainWindow.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32Monitors.h"
#include "platform/win32/Win32Pointer.h"
#include "platform/win32/Win32ProcessInfo.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32StartupShortcut.h"
#include "platform/win32/Win32TrayIcon.h"
#include "platform/win32/Win32UserAttention.h"

using namespace yomorina;

namespace {

// Everything that lives for the run, torn down before OLE is.
int RunProgram(HINSTANCE instance) {
    Model model;
    win32::Win32CodePage932 codePage;
    win32::Win32FileStore fileStore;
    win32::Win32ProcessInfo processInfo;
    ListFile listFile(fileStore, codePage, processInfo);
    win32::Win32MessageBoxes messages;
    win32::Win32Pointer pointer;
    win32::Win32Monitors monitors;
    win32::Win32DirectorySearch directorySearch;
    win32::Win32EntryLookup entryLookup;
    const win32::Win32UserAttention attention;
    win32::Win32StartupShortcut startupShortcut;

    win32::Win32MainWindow mainWindow(instance);
    if (!mainWindow.Handle()) return 1;
    mainWindow.SetEntryLookup(&entryLookup);
    win32::Win32TrayIcon trayIcon(mainWindow.TrayCallbackHandle(), instance);

    win32::Win32Shell shell;
    // The shell's confirmation and error dialogs belong to App.
    win32::Win32RecycleBin recycleBin(mainWindow.Handle());

    // The options dialog: a fresh window at every opening, kept until the next.
    std::unique_ptr<win32::Win32OptionsDialog> options;
    const auto showOptions = [&] {
        win32::EnsureCommonControls();
        options.reset();
        options = std::make_unique<win32::Win32OptionsDialog>(
            instance, win32::Win32OptionsDialog::Services{model, listFile, startupShortcut, directorySearch, entryLookup, mainWindow,
                                                  mainWindow, [instance](HWND owner) { win32::ShowAboutBox(instance, owner); }});
        // A dialog that could not be made must not lock the icon out for good.
        if (!options->Handle()) model.OptionsOpen = false;
    };
    // Its editor or a message box over it, if one is open, is what the user must answer first.
    const auto raiseOptions = [&] {
        if (options && options->Handle()) SetForegroundWindow(GetLastActivePopup(options->Handle()));
    };
    App app({model, mainWindow, mainWindow, trayIcon, listFile, messages, pointer, monitors, entryLookup, attention, shell,
                 recycleBin, mainWindow, showOptions, raiseOptions});
    mainWindow.SetEvents(&app);
    // Watched from before the first read, so that no edit falls between the two.
    win32::FolderChangeWatch listFileWatch(processInfo.ExecutableFolder());
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

    // OLE starts when the overlay or the options dialog first needs it, and ends after everything that used it.
    win32::OleSession ole;
    return RunProgram(instance);
}

#pragma once
// App wired as the program wires it, with every service it works with as a
// fake noting what it is asked in one journal.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/App.h"
#include "tests/support/FakeShell.h"
#include "tests/support/Fakes.h"
#include "tests/support/IconvCodePage932.h"

namespace yomorina::testing {

class AppRig : public ::testing::Test {
protected:
    Journal journal;
    Model model;
    FakeMainWindow window{journal};
    FakeOverlay overlay{journal};
    FakeWakeups timer;
    FakeTrayIcon tray{journal};
    FakeFileStore store{&journal};
    FakeExecutableFolder executableFolder;
    IconvCodePage932 codePage;
    ListFile listFile{store, codePage, executableFolder};
    FakeMessageBoxes messages{&journal};
    FakePointer pointer;
    FakeMonitors monitors;
    FakeDirectorySearch search;
    FakeUserAttention attention;
    FakeShell shell{journal};
    FakeRecycleBin recycleBin{journal};
    FakeCallKeyHolder callKey;
    FakeKeyboardLayouts layouts;
    int optionsShown = 0;
    int optionsRaised = 0;
    App app{{model, window, overlay, timer, tray, listFile, messages, pointer, monitors, search, attention, shell, recycleBin, callKey, layouts,
                 [this] { ++optionsShown; }, [this] { ++optionsRaised; }}};

    std::ptrdiff_t Position(const std::string& entry) const {
        return std::find(journal.begin(), journal.end(), entry) - journal.begin();
    }
    void TickAt(int x, int y) {
        pointer.at = {x, y};
        app.OnTick();
    }
    bool AnythingShown() const {
        return overlay.visible || std::count(overlay.tileVisible.begin(), overlay.tileVisible.end(), true) > 0;
    }
};

}  // namespace yomorina::testing

#pragma once
// The desktop and the list of a person at work, in the display language, for the README's
// pictures: no picture shows a test's folder or data.

#include <memory>
#include <vector>

#include "core/Model.h"
#include "tests/e2e/Harness.h"

namespace yomorina::showcase {

// The user's documents folder with a note in it, as a person on Windows has them.
void MakeDocuments();
// A program, a tool of the system, the note and the folder it is in, and the recycle bin as
// the entry editor makes it.
std::vector<LaunchEntry> ShowcaseEntries();

// Wine shows several monitors only without its virtual desktop, which otherwise paints the
// desktop, holds the taskbar and draws the title bars.
bool WithoutWineDesktop();

// Ordinary windows open on the desktop, so that the frozen screen shows as one: a letter in
// the word processor at the left end of all monitors and the note in notepad at the right,
// side by side and off the taskbar. They close with this object.
class BusyDesktop {
public:
    BusyDesktop();

private:
    // The desktop's colour on each monitor where nothing else paints it.
    std::vector<e2e::UniqueWindow> wallpaper_;
    std::vector<std::unique_ptr<e2e::Process>> programs_;
};

}  // namespace yomorina::showcase

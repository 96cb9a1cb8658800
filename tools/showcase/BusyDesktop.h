#pragma once
// The desktop and the list of a person at work, in the display language, for the README's
// pictures: no picture shows a test's folder or data.

#include <memory>
#include <vector>

#include "core/Model.h"
#include "tests/e2e/Harness.h"

namespace yomorina::showcase {

// A program, a tool of the system, the documents folder and the recycle bin.
std::vector<LaunchEntry> ShowcaseEntries();

// Ordinary windows open on the desktop, so that the frozen screen shows as one: a letter in
// the word processor and a note in notepad, off the taskbar. They close with this object.
class BusyDesktop {
public:
    BusyDesktop();

private:
    std::vector<std::unique_ptr<e2e::Process>> programs_;
};

}  // namespace yomorina::showcase

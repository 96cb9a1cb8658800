#pragma once
// How the options dialog opens the entry editor: preset, shown modally, and
// back when it has closed. The editor writes its result into the grid itself.

#include <string>

namespace yomorina {

struct EntryEditorPreset {
    std::string Name;
    std::string Path;
    bool RecycleBin = false;
};

class EntryEditorDialog {
public:
    virtual ~EntryEditorDialog() = default;
    virtual void ShowModal(const EntryEditorPreset& preset) = 0;
};

}  // namespace yomorina

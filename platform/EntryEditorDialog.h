#pragma once
// How the options dialog opens the entry editor: preset, shown modally, and
// back with the entry when it has closed.

#include <optional>
#include <string>

#include "core/Model.h"

namespace yomorina {

struct EntryEditorPreset {
    std::string Name;
    std::string Path;
    bool RecycleBin = false;
};

class EntryEditorDialog {
public:
    virtual ~EntryEditorDialog() = default;
    // The entry OK accepted; none when the editor was cancelled.
    virtual std::optional<LaunchEntry> ShowModal(const EntryEditorPreset& preset) = 0;
};

}  // namespace yomorina

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace yomorina {

// The system's file-open dialog, read-only box hidden.
class FileOpenDialog {
public:
    virtual ~FileOpenDialog() = default;
    // filter: description and pattern pairs, each followed by "|".
    // The chosen full path; empty when the user cancelled or the dialog failed.
    virtual std::optional<std::string> ChooseFile(std::string_view filter) = 0;
};

}  // namespace yomorina

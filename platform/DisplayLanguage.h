#pragma once

#include <string>

namespace yomorina {

// The language the user reads the system in, which chooses the program's texts.
class DisplayLanguage {
public:
    virtual ~DisplayLanguage() = default;
    // A language tag, "ja-JP" or "en-US"; empty when the system cannot say.
    virtual std::string Tag() const = 0;
};

}  // namespace yomorina

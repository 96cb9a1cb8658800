#pragma once
// A test that speaks another language than Japanese, which every other test
// expects, speaks it for as long as one of these lives.

#include "core/Texts.h"

namespace yomorina::testing {

class Speaking {
public:
    explicit Speaking(const TextTable& texts) { UseTexts(texts); }
    ~Speaking() { UseTexts(JapaneseTexts); }
    Speaking(const Speaking&) = delete;
    Speaking& operator=(const Speaking&) = delete;
};

}  // namespace yomorina::testing

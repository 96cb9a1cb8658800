#include "core/Texts.h"

#include <gtest/gtest.h>

namespace yomorina {
namespace {

int Placeholders(std::string_view text) {
    int count = 0;
    for (auto at = text.find(TextPlaceholder); at != std::string_view::npos; at = text.find(TextPlaceholder, at + 1)) {
        ++count;
    }
    return count;
}

// A text a table leaves out would show as an empty caption or box; a value
// would go missing, or show as "{}", where a translation lost its placeholder.
TEST(Texts, EveryLanguageHasEveryTextWithTheJapanesePlaceholders) {
    for (const Language& language : Languages) {
        for (std::size_t i = 0; i < TextIdCount; ++i) {
            const auto id = static_cast<TextId>(i);
            EXPECT_FALSE(language.Texts[id].empty()) << language.Tag << " text " << i;
            EXPECT_EQ(Placeholders(language.Texts[id]), Placeholders(JapaneseTexts[id])) << language.Tag << " text " << i;
        }
    }
}

// The language alone counts, whatever the region, script or spelling of the tag.
TEST(Texts, JapaneseTagsGetJapaneseAndEveryOtherTagEnglish) {
    const std::pair<std::string_view, const TextTable*> cases[] = {
        {"ja-JP", &JapaneseTexts}, {"ja", &JapaneseTexts}, {"JA-jp", &JapaneseTexts}, {"ja_JP.UTF-8", &JapaneseTexts},
        {"en-US", &EnglishTexts}, {"en-GB", &EnglishTexts}, {"fr-FR", &EnglishTexts}, {"zh-Hans-CN", &EnglishTexts},
        {"jam-JM", &EnglishTexts}, {"j", &EnglishTexts},  // begun like Japanese
        {"", &EnglishTexts},                              // the system could not say
    };
    for (const auto& [tag, texts] : cases) EXPECT_EQ(&TextsForLanguage(tag), texts) << tag;
}

}  // namespace
}  // namespace yomorina

#include "formats/language_file.h"

#include <gtest/gtest.h>
#include <string>

using namespace strumvale;

namespace {

std::string swedishPath() {
    return std::string(STRUMVALE_TOOLS_DIR) + "/lang/svenska.lng";
}

TEST(SwedishLanguage, TranslatesEveryPhraseOfTheProgram) {
    formats::TranslationTable table;
    ASSERT_TRUE(formats::LoadLanguage(table, swedishPath()));
    formats::TextList phrases;
    ASSERT_TRUE(formats::BuiltInPhrases(phrases));
    ASSERT_EQ(phrases.size(), 257u);
    EXPECT_EQ(table.Count(), 257);
    for (const auto& phrase : phrases) {
        std::string shown = formats::Translate(table, phrase);
        EXPECT_NE(shown, formats::kTranslationError) << phrase;
        EXPECT_FALSE(shown.empty()) << phrase;
    }
    EXPECT_EQ(formats::Translate(table, "Cancel"), "Avbryt");
    EXPECT_EQ(formats::Translate(table, "BPM"), "bpm");
}

TEST(SwedishLanguage, HeaderNamesTheLanguage) {
    formats::TranslationTable info, table;
    ASSERT_TRUE(formats::ReadLanguageInfo(info, swedishPath()));
    EXPECT_EQ(formats::LanguageInfoField(info, "Version", table), "4.0.0.beta1");
    EXPECT_EQ(formats::LanguageInfoField(info, "Language", table), "Svenska");
    EXPECT_EQ(formats::LanguageInfoField(info, "Author", table), "The Strumvale project");
    EXPECT_EQ(formats::LanguageInfoField(info, "Description", table),
              "Svensk \xF6vers\xE4ttning av Strumvale");
}

TEST(SwedishLanguage, LettersArriveInTheProgramsCodePage) {
    formats::TranslationTable table;
    ASSERT_TRUE(formats::LoadLanguage(table, swedishPath()));
    EXPECT_EQ(formats::Translate(table, "Search"), "S\xF6k");
    EXPECT_EQ(formats::Translate(table, "Add"), "L\xE4gg till");
    EXPECT_EQ(formats::Translate(table, "Blue"), "Bl\xE5");
    EXPECT_EQ(formats::Translate(table, "Open"), "\xD6ppna");
}

// The tab captions are padded with spaces on both sides like the English ones,
// which gives the tabs their width.
TEST(SwedishLanguage, TabCaptionsArePaddedLikeTheEnglishOnes) {
    formats::TranslationTable english, swedish;
    ASSERT_TRUE(formats::LoadLanguage(english, "English (Built-in)"));
    ASSERT_TRUE(formats::LoadLanguage(swedish, swedishPath()));
    for (const char* key : {"Chords and Tabs (Tab)", "Playlist (Tab)", "Scales (Tab)",
                            "Guitar Tuner (Tab)", "Drummer (Tab)", "Editor (Tab)"}) {
        SCOPED_TRACE(key);
        std::string model = formats::Translate(english, key);
        std::string shown = formats::Translate(swedish, key);
        size_t padding = model.find_first_not_of(' ');
        ASSERT_GT(padding, 0u);
        ASSERT_GT(shown.size(), 2 * padding);
        EXPECT_EQ(shown.find_first_not_of(' '), padding);
        EXPECT_EQ(shown.size() - 1 - shown.find_last_not_of(' '), padding);
    }
    EXPECT_EQ(formats::Translate(swedish, "Guitar Tuner (Tab)"), "   Gitarrst\xE4mmare   ");
}

} // namespace

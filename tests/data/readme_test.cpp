#include "platform/file.h"

#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

std::string stagedReadme() {
    std::string text;
    EXPECT_TRUE(strumvale::platform::readWholeFile(
        std::string(STRUMVALE_TOOLS_DIR) + "/readme.html", text));
    return text;
}

// The guide opens from the program folder, often without a network: nothing
// it shows may come from elsewhere.
TEST(Readme, LoadsNothingFromTheNetwork) {
    std::string html = stagedReadme();
    ASSERT_FALSE(html.empty());
    std::regex remote(R"((src|href)\s*=\s*["']?\s*(https?:)?//)", std::regex::icase);
    EXPECT_FALSE(std::regex_search(html, remote));
    std::regex cssImport(R"(@import|url\s*\()", std::regex::icase);
    EXPECT_FALSE(std::regex_search(html, cssImport));
    EXPECT_EQ(html.find("<script"), std::string::npos);
}

TEST(Readme, DescribesEveryPageAndTheTools) {
    std::string html = stagedReadme();
    for (const char* topic :
         {"Chords and Tabs", "Playlist", "Scales", "Guitar Tuner", "Drummer", "Editor",
          "settings dialog", "translation editor", "settings.xml", "chords.xml", "lang.xml",
          "STRUMVALE_MIDI_LOG", "STRUMVALE_AUDIO_DRIVER", "STRUMVALE_AUDIO_FILE",
          "STRUMVALE_SOUNDFONT", "gtrtool --help"})
        EXPECT_NE(html.find(topic), std::string::npos) << topic;
}

} // namespace

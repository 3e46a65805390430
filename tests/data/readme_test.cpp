#include "platform/file.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Whether any src or href attribute names a place on another host.
bool refersToAnotherHost(const std::string& html) {
    for (const char* attribute : {"src", "href"}) {
        for (auto at = html.find(attribute); at != std::string::npos;
             at = html.find(attribute, at + 1)) {
            auto value = html.find_first_not_of(" \t\r\n", at + std::string(attribute).size());
            if (value == std::string::npos || html[value] != '=')
                continue;
            value = html.find_first_not_of(" \t\r\n\"'", value + 1);
            if (value == std::string::npos)
                continue;
            for (const char* remote : {"http:", "https:", "//"}) {
                if (html.compare(value, std::string(remote).size(), remote) == 0)
                    return true;
            }
        }
    }
    return false;
}

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
    std::string lower = lowerCase(html);
    EXPECT_FALSE(refersToAnotherHost(lower));
    EXPECT_EQ(lower.find("@import"), std::string::npos);
    EXPECT_EQ(lower.find("url("), std::string::npos);
    EXPECT_EQ(lower.find("<script"), std::string::npos);
    EXPECT_TRUE(refersToAnotherHost("<img src = 'https://x/y.png'>")) << "the check itself works";
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

#include "formats/language_file.h"
#include "platform/file.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

using namespace strumvale;
using test::shellQuoted;
using test::TempDir;

namespace {

// Every built-in phrase translated as "<phrase>!" in UTF-8 source form.
std::string completeSource() {
    formats::TextList phrases;
    formats::BuiltInPhrases(phrases);
    std::string source;
    for (const auto& phrase : phrases)
        source += phrase + "\t" + phrase + "!\n";
    return source;
}

int langbuild(const TempDir& dir, const std::string& source) {
    platform::replaceFile(dir.file("source.txt"), source);
    std::string command = shellQuoted(STRUMVALE_LANGBUILD) + " " +
                          shellQuoted(dir.file("source.txt")) + " " +
                          shellQuoted(dir.file("out.lng")) + " Test Tester " +
                          shellQuoted("Pr\xC3\xB6va") + " 2>" + shellQuoted(dir.file("err"));
    int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(Langbuild, WritesEveryPhraseInTheFilesCodePage) {
    TempDir dir;
    std::string source = completeSource();
    std::string save = "\nSave\tSave!\n";
    source.replace(source.find(save), save.size(), "\nSave\tSp\xC3\xA4ra\r\n");
    ASSERT_EQ(langbuild(dir, source), 0);

    formats::TranslationTable table;
    ASSERT_TRUE(formats::LoadLanguage(table, dir.file("out.lng")));
    EXPECT_EQ(table.Count(), 257);
    EXPECT_EQ(formats::Translate(table, "Save"), "Sp\xE4ra");
    EXPECT_EQ(formats::Translate(table, "Playlist (Tab)"), "Playlist (Tab)!");
    formats::TextList header, entries;
    ASSERT_TRUE(formats::ReadLanguageForEditing(dir.file("out.lng"), header, entries));
    EXPECT_EQ(header, (formats::TextList{"4.0.0.beta1", "Test", "Tester", "Pr\xF6va"}));
}

// A gap would show as "Translation Error!" in the program, so the build stops.
TEST(Langbuild, RefusesSourcesThatWouldShowWrongTexts) {
    TempDir dir;
    const std::string cancel = "\nCancel\tCancel!\n";
    std::string missing = completeSource();
    missing.replace(missing.find(cancel), cancel.size(), "\n");
    EXPECT_NE(langbuild(dir, missing), 0);

    EXPECT_NE(langbuild(dir, completeSource() + "Cancle\tAvbryt\n"), 0);
    EXPECT_NE(langbuild(dir, completeSource() + "Cancel\tAvbryt\n"), 0);

    std::string empty = completeSource();
    empty.replace(empty.find(cancel), cancel.size(), "\nCancel\t\n");
    EXPECT_NE(langbuild(dir, empty), 0);

    std::string noTab = completeSource();
    noTab.replace(noTab.find(cancel), cancel.size(), "\nCancel Cancel!\n");
    EXPECT_NE(langbuild(dir, noTab), 0);

    // "Ł" has no Windows-1252 byte and would turn into '?'.
    std::string foreign = completeSource();
    foreign.replace(foreign.find(cancel), cancel.size(), "\nCancel\t\xC5\x81\n");
    EXPECT_NE(langbuild(dir, foreign), 0);

    EXPECT_FALSE(std::filesystem::exists(dir.file("out.lng")));
}

} // namespace

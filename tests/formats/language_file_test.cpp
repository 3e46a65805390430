#include "container/container.h"
#include "formats/language_file.h"
#include "platform/file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace strumvale;
using namespace strumvale::formats;
using test::TempDir;

namespace {

std::string languageDocument(const std::string& entries) {
    return "<Language><Description><K9VVersion>4.0.0.beta1</K9VVersion><Language>Test</Language>"
           "<Author>me</Author><Description>d</Description></Description><Translation>" +
           entries + "</Translation></Language>";
}

std::string entry(const std::string& english, const std::string& foreign) {
    return "<Translate><English>" + english + "</English><Foreign>" + foreign +
           "</Foreign></Translate>";
}

std::string languageFile(const TempDir& dir, const std::string& document) {
    std::string path = dir.file("test.lng");
    container::WriteSingleEntry(path, "lang.xml", document);
    return path;
}

} // namespace

// The keys of the built-in table, in the order the table lists them.
static const std::vector<std::string> kBuiltInKeys = {"Tuning",
                                                      "Author",
                                                      "Sorting, please wait...",
                                                      "Key",
                                                      "Keys",
                                                      "Information",
                                                      "Other Information",
                                                      "Chordfile Statistics",
                                                      "Homepage",
                                                      "Chordfile Information",
                                                      "Save changes to",
                                                      "Save?",
                                                      "Print?",
                                                      "Quit without saving?",
                                                      "This will print the Chordfile, Continue?",
                                                      "This will print the Playlist, Continue?",
                                                      "This will save the Chordfile, Continue?",
                                                      "This will save the Playlist, Continue?",
                                                      "OK",
                                                      "Cancel",
                                                      "Apply",
                                                      "Exit",
                                                      "Play",
                                                      "Stop",
                                                      "Add",
                                                      "Update",
                                                      "Remove",
                                                      "New",
                                                      "Search",
                                                      "Open",
                                                      "Save",
                                                      "Print",
                                                      "Settings",
                                                      "Help",
                                                      "About",
                                                      "Chords and Tabs (Tab)",
                                                      "Playlist (Tab)",
                                                      "Scales (Tab)",
                                                      "Guitar Tuner (Tab)",
                                                      "Drummer (Tab)",
                                                      "Editor (Tab)",
                                                      "Chord",
                                                      "Chords",
                                                      "Tab",
                                                      "Tabs",
                                                      "Notes",
                                                      "Hide",
                                                      "Show",
                                                      "Show Result",
                                                      "Chord Information",
                                                      "Tab was changed to",
                                                      "Add to List",
                                                      "Add your lyrics or notes here.",
                                                      "Add Separator",
                                                      "Scale",
                                                      "Scales",
                                                      "Intervals",
                                                      "Display",
                                                      "Name",
                                                      "Description",
                                                      "Scale Information",
                                                      "Note Length",
                                                      "Numbers",
                                                      "Enable editing",
                                                      "Disable editing",
                                                      "Loop notes when playing",
                                                      "Editing of Tunings is currently disabled.",
                                                      "Tuning Name",
                                                      "String 6 (E):",
                                                      "String 5 (A):",
                                                      "String 4 (D):",
                                                      "String 3 (G):",
                                                      "String 2 (B):",
                                                      "String 1 (E):",
                                                      "Track Settings",
                                                      "Current Pattern",
                                                      "Edit Pattern",
                                                      "Track Nr",
                                                      "Tempo",
                                                      "BPM",
                                                      "Loop Pattern",
                                                      "Editing of Patterns is currently disabled.",
                                                      "This tab already exists as:",
                                                      "Please enter a name.",
                                                      "Always add scales in C-key.",
                                                      "New Chordfile",
                                                      "General",
                                                      "MIDI",
                                                      "Fretboard",
                                                      "Colors",
                                                      "Other",
                                                      "Translate",
                                                      "Startup Chordfile",
                                                      "Language",
                                                      "Default",
                                                      "Use Default",
                                                      "Created for version",
                                                      "Play chords on change",
                                                      "Play notes while editing",
                                                      "Editor",
                                                      "Device Settings",
                                                      "Out",
                                                      "In",
                                                      "Test Output",
                                                      "Reset Device",
                                                      "Instrument",
                                                      "MIDI Channel",
                                                      "Chord Speed",
                                                      "Chord Decay",
                                                      "Volume",
                                                      "Fast",
                                                      "Slow",
                                                      "Long",
                                                      "Short",
                                                      "High",
                                                      "Low",
                                                      "Right- / Left-Handed",
                                                      "Right-Handed",
                                                      "Left-Handed",
                                                      "Regular- / Upside-down neck",
                                                      "Regular",
                                                      "Upside-down",
                                                      "Display notes for all frets.",
                                                      "Background color of tabs",
                                                      "Color of fretboard dots and drummer squares",
                                                      "Color of interval text",
                                                      "Color of note text",
                                                      "White",
                                                      "System",
                                                      "Red",
                                                      "Green",
                                                      "Blue",
                                                      "Word / Phrase to translate",
                                                      "Translate Word / Phrase to",
                                                      "Words / Phrases left to translate",
                                                      "Translation File: New Translation",
                                                      "Error",
                                                      "No Chordfile loaded",
                                                      "Please select another name.",
                                                      "Could not load the language file.",
                                                      "Can't remove the Standard tuning.",
                                                      "Can't update the Standard tuning.",
                                                      "Please stop playing first.",
                                                      "Sorry, I can not display this.",
                                                      "Could not open the file.",
                                                      "Check for update"};

TEST(BuiltInTable, HoldsEveryKeyInOrderWithThePaddedCaptions) {
    TranslationTable table;
    ASSERT_TRUE(LoadLanguage(table, "English (Built-in)"));
    ASSERT_EQ(table.Count(), 257) << "the original phrases, then the newer ones";
    for (std::size_t i = 0; i < kBuiltInKeys.size(); ++i) {
        const std::string& key = kBuiltInKeys[i];
        EXPECT_EQ(table.items()[i].substr(0, key.size() + 1), key + "=") << i;
    }
    EXPECT_EQ(Translate(table, "Scales (Tab)"), "      Scales      ");
    EXPECT_EQ(Translate(table, "Chords and Tabs (Tab)"), " Chords and Tabs ");
    EXPECT_EQ(Translate(table, "Playlist (Tab)"), "    Playlist    ");
    EXPECT_EQ(Translate(table, "Guitar Tuner (Tab)"), "   Guitar Tuner   ");
    EXPECT_EQ(Translate(table, "Drummer (Tab)"), "     Drummer     ");
    EXPECT_EQ(Translate(table, "Editor (Tab)"), "    Editor    ");
    EXPECT_EQ(Translate(table, "BPM"), "bpm");
    EXPECT_EQ(Translate(table, "Scales"), "Scales");
    EXPECT_EQ(Translate(table, "Can't remove the Standard tuning."),
              "Can't remove the Standard tuning.");
    EXPECT_EQ(Translate(table, "scales"), "Translation Error!");
    int same = 0;
    for (const auto& key : kBuiltInKeys)
        same += Translate(table, key) == key;
    EXPECT_EQ(same, 139);

    std::string bytes;
    ASSERT_TRUE(platform::readWholeFile(STRUMVALE_SOURCE_DIR "/src/resources/lang.xml", bytes));
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.find("\r\n\t\t<Translate>\r\n\t\t\t<English>"), std::string::npos);
    EXPECT_NE(bytes.find("<!--"), std::string::npos);
}

TEST(Translate, FirstMatchingEntryDecidesWithoutFallback) {
    TempDir dir;
    TranslationTable table;
    ASSERT_TRUE(LoadLanguage(
        table, languageFile(dir, languageDocument(entry("Save", "") + entry("Save", "S") +
                                                  entry("Key", "a=b") + entry("", "x")))));
    EXPECT_EQ(Translate(table, "Save"), "Translation Error!");
    EXPECT_EQ(Translate(table, "Key"), "a=b");
    EXPECT_EQ(Translate(table, "Open"), "Translation Error!");
    EXPECT_EQ(Translate(table, ""), "x") << "an entry with an empty key matches the empty key";
    EXPECT_EQ(Translate(table, "Key=a"), "Translation Error!");

    ASSERT_TRUE(LoadLanguage(table, languageFile(dir, languageDocument(""))));
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(Translate(table, "OK"), "Translation Error!");
}

TEST(Translate, PhrasesNewerThanAFileShowTheirEnglishText) {
    // A file made before a phrase existed cannot know it; it shows the
    // English text rather than an error. The original phrases keep the rule.
    TempDir dir;
    TranslationTable table;
    ASSERT_TRUE(LoadLanguage(table, languageFile(dir, languageDocument(entry("Save", "Spara")))));
    EXPECT_EQ(Translate(table, "Play string"), "Play string");
    EXPECT_EQ(Translate(table, "Open"), "Translation Error!");
    ASSERT_TRUE(LoadLanguage(
        table, languageFile(dir, languageDocument(entry("Play string", "") + entry("Open", "")))));
    EXPECT_EQ(Translate(table, "Play string"), "Play string") << "left untranslated";
    EXPECT_EQ(Translate(table, "Open"), "Translation Error!");
    ASSERT_TRUE(LoadLanguage(
        table, languageFile(dir, languageDocument(entry("Play string", "Spela strang")))));
    EXPECT_EQ(Translate(table, "Play string"), "Spela strang");

    ASSERT_TRUE(LoadLanguage(table, "English (Built-in)"));
    EXPECT_EQ(table.items()[kOriginalPhraseCount - 1], "Check for update=Check for update");
    EXPECT_EQ(table.items()[kOriginalPhraseCount], "Play string=Play string");
}

TEST(LoadLanguage, RefusesFilesThatAreNoLanguageAndKeepsTheTable) {
    TempDir dir;
    TranslationTable table;
    ASSERT_TRUE(LoadLanguage(table, "English (Built-in)"));
    EXPECT_FALSE(LoadLanguage(table, dir.file("deutsch.lng")));
    EXPECT_FALSE(LoadLanguage(table, languageFile(dir, "<Language><Translation/></Language>")));
    EXPECT_FALSE(LoadLanguage(table, languageFile(dir, "<Language><Description/></Language>")));
    EXPECT_EQ(table.Count(), 257);
}

TEST(LanguageInfo, HeaderFieldsByNameAndTheErrorText) {
    TempDir dir;
    TranslationTable table, info;
    ASSERT_TRUE(LoadLanguage(table, "English (Built-in)"));
    EXPECT_EQ(LanguageInfoField(info, "Version", table), "Error!");
    ASSERT_TRUE(ReadLanguageInfo(info, languageFile(dir, languageDocument(entry("OK", "Ok")))));
    EXPECT_EQ(LanguageInfoField(info, "Version", table), "4.0.0.beta1");
    EXPECT_EQ(LanguageInfoField(info, "Language", table), "Test");
    EXPECT_EQ(LanguageInfoField(info, "Author", table), "me");
    EXPECT_EQ(LanguageInfoField(info, "Description", table), "d");
    EXPECT_EQ(LanguageInfoField(info, "version", table), "Error!");
    ASSERT_TRUE(ReadLanguageInfo(info, "English (Built-in)"));
    EXPECT_EQ(LanguageInfoField(info, "Author", table), "Korvane");
}

TEST(LanguageEditing, WrittenFilesReadBackWholeAndMismatchedListsWriteNothing) {
    TempDir dir;
    TextList header = {"4.0.0.beta1", "Svenska", "Someone", "Made <here> & now"};
    TextList english = {"OK", "Save", "Key"};
    TextList foreign = {"Okej", "", "Tonart=a"};
    std::string path = dir.file("svenska.lng");
    ASSERT_TRUE(WriteLanguageFile(header, english, foreign, path));

    std::string document;
    container::ReadFirstEntry(path, document);
    EXPECT_EQ(document.substr(0, 24), "<Language>\r\n<Description");
    EXPECT_NE(document.find("<Foreign/>"), std::string::npos);

    TextList readHeader = {"stale"}, entries = {"stale"};
    ASSERT_TRUE(ReadLanguageForEditing(path, readHeader, entries));
    EXPECT_EQ(readHeader, header);
    EXPECT_EQ(entries, (TextList{"OK=Okej", "Save=", "Key=Tonart=a"}));

    EXPECT_FALSE(WriteLanguageFile(header, english, {"one"}, dir.file("a.lng")));
    EXPECT_FALSE(
        WriteLanguageFile({"three", "texts", "only"}, english, foreign, dir.file("b.lng")));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"svenska.lng"});
    EXPECT_FALSE(ReadLanguageForEditing(dir.file("none.lng"), readHeader, entries));
    EXPECT_EQ(readHeader, header) << "lists stay as they were";
}

TEST(BuiltInPhrases, AllKeysSortedByteWise) {
    TextList phrases;
    ASSERT_TRUE(BuiltInPhrases(phrases));
    ASSERT_EQ(phrases.size(), 257u);
    EXPECT_TRUE(std::is_sorted(phrases.begin(), phrases.end()));
    EXPECT_EQ(phrases.front(), "%1 a minute") << "a placeholder sorts before letters";
    EXPECT_EQ(phrases[1], "%1 entries of the practice log could not be read; the log is kept as "
                          "it was before the next result is added.");
    EXPECT_EQ(phrases[2], "%1 of %2 right");
    EXPECT_EQ(phrases.back(), "hit") << "lower case sorts after every capital";
}

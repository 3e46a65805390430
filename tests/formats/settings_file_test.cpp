#include "formats/settings_file.h"
#include "platform/file.h"
#include "support/current_dir.h"
#include "support/temp_dir.h"
#include "support/text.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace strumvale;
using namespace strumvale::formats;
using test::crlfLines;
using test::inDirectory;
using test::TempDir;

namespace {

std::string defaultText() {
    return crlfLines({"<Settings>",
                      "<Startupchordfile>Default</Startupchordfile>",
                      "<Language>English (Built-in)</Language>",
                      "<Midioutdevice>0</Midioutdevice>",
                      "<Midiindevice>0</Midiindevice>",
                      "<Instrument>0</Instrument>",
                      "<Midichannel>0</Midichannel>",
                      "<Chordspeed>200</Chordspeed>",
                      "<Chorddecay>500</Chorddecay>",
                      "<Volume>127</Volume>",
                      "<Lefthanded>0</Lefthanded>",
                      "<Upsidedownneck>0</Upsidedownneck>",
                      "<Displaynotesforallfrets>0</Displaynotesforallfrets>",
                      "<Changechordtotuning>1</Changechordtotuning>",
                      "<Whitebackgroundcolor>0</Whitebackgroundcolor>",
                      "<Playchordsonchange>0</Playchordsonchange>",
                      "<Clrdots1>92</Clrdots1>",
                      "<Clrdots2>128</Clrdots2>",
                      "<Clrdots3>224</Clrdots3>",
                      "<Clrintervaltext1>0</Clrintervaltext1>",
                      "<Clrintervaltext2>251</Clrintervaltext2>",
                      "<Clrintervaltext3>0</Clrintervaltext3>",
                      "<Clrnotetext1>232</Clrnotetext1>",
                      "<Clrnotetext2>182</Clrnotetext2>",
                      "<Clrnotetext3>114</Clrnotetext3>",
                      "</Settings>"});
}

model::Settings loadedFrom(const TempDir& dir, const std::string& text) {
    std::string path = dir.file("settings.xml");
    platform::replaceFile(path, text);
    model::Settings settings;
    EXPECT_TRUE(LoadSettings(settings, path));
    return settings;
}

} // namespace

TEST(SettingsFile, DefaultsAreWrittenExactlyAndReadBack) {
    TempDir dir;
    model::Settings settings;
    EXPECT_FALSE(LoadSettings(settings, dir.file("missing.xml")));
    EXPECT_EQ(settings.ProgramDirectory, std::filesystem::current_path().string());
    EXPECT_EQ(settingsText(settings), defaultText());
    EXPECT_EQ(settings.dotsColor(), 92u | (128u << 8) | (224u << 16));

    settings.ProgramDirectory = dir.path();
    SaveSettings(settings);
    std::string written;
    ASSERT_TRUE(platform::readWholeFile(dir.file("settings.xml"), written));
    EXPECT_EQ(written, defaultText());
}

TEST(SettingsFile, KeysAreFoundOnlyInOrderAndMissingOnesKeepDefaults) {
    TempDir dir;
    auto onlyVolume = loadedFrom(dir, "<Settings><Volume>90</Volume></Settings>");
    EXPECT_EQ(onlyVolume.Volume, 90);
    EXPECT_EQ(onlyVolume.Chordspeed, 200);
    EXPECT_TRUE(onlyVolume.Changechordtotuning);

    auto outOfOrder =
        loadedFrom(dir, "<Settings><Volume>90</Volume><Chordspeed>300</Chordspeed></Settings>");
    EXPECT_EQ(outOfOrder.Chordspeed, 300);
    EXPECT_EQ(outOfOrder.Volume, 127) << "Volume stands before the last key found";

    auto values = loadedFrom(dir, "<Other><Language>deutsch</Language>"
                                  "<Midichannel>9</Midichannel><Chordspeed>-5</Chordspeed>"
                                  "<Chorddecay>x</Chorddecay><Lefthanded>no</Lefthanded>"
                                  "<Upsidedownneck/><Displaynotesforallfrets>0"
                                  "</Displaynotesforallfrets><Changechordtotuning>0"
                                  "</Changechordtotuning><Clrdots1>99999999999</Clrdots1>"
                                  "</Other>");
    EXPECT_EQ(values.Language, "deutsch");
    EXPECT_EQ(values.Midichannel, 9);
    EXPECT_EQ(values.Chordspeed, -5);
    EXPECT_EQ(values.Chorddecay, 0);
    EXPECT_TRUE(values.Lefthanded);
    EXPECT_TRUE(values.Upsidedownneck);
    EXPECT_FALSE(values.Displaynotesforallfrets);
    EXPECT_FALSE(values.Changechordtotuning);
    EXPECT_EQ(values.Clrdots1, 2147483647);
    EXPECT_NE(settingsText(values).find("<Chordspeed>-5</Chordspeed>"), std::string::npos);

    auto malformed = loadedFrom(dir, "<Settings><Volume>90</Settings>");
    EXPECT_EQ(malformed.Volume, 127);
}

TEST(PersistentSettings, ReadsTheCurrentFolderAndWritesAtDestruction) {
    TempDir dir;
    inDirectory(dir.path(), [&] {
        platform::replaceFile("settings.xml", "<Settings><Volume>90</Volume></Settings>");
        {
            PersistentSettings settings(PersistentSettings::Storage::File);
            EXPECT_EQ(settings.Volume, 90);
            settings.Volume = 64;
        }
        std::string written;
        ASSERT_TRUE(platform::readWholeFile("settings.xml", written));
        EXPECT_NE(written.find("<Volume>64</Volume>"), std::string::npos);

        std::filesystem::remove("settings.xml");
        { PersistentSettings untouched(PersistentSettings::Storage::None); }
        EXPECT_FALSE(std::filesystem::exists("settings.xml"));
    });
}

TEST(SettingsFile, PlayingNotesWhileEditingIsStoredLastAndOnlyWhenOn) {
    TempDir dir;
    model::Settings settings;
    settings.SetDefaults();
    EXPECT_FALSE(settings.Playnoteswhileediting);
    EXPECT_EQ(settingsText(settings), defaultText()) << "a file from before it is unchanged";

    settings.Playnoteswhileediting = true;
    std::string withFlag = defaultText();
    withFlag.insert(withFlag.rfind("</Settings>"),
                    "<Playnoteswhileediting>1</Playnoteswhileediting>\r\n");
    EXPECT_EQ(settingsText(settings), withFlag);
    settings.ProgramDirectory = dir.path();
    SaveSettings(settings);
    model::Settings read;
    ASSERT_TRUE(LoadSettings(read, dir.file("settings.xml")));
    EXPECT_TRUE(read.Playnoteswhileediting);

    EXPECT_FALSE(loadedFrom(dir, "<Settings><Playnoteswhileediting>0</Playnoteswhileediting>"
                                 "</Settings>")
                     .Playnoteswhileediting);
    EXPECT_TRUE(loadedFrom(dir, "<Settings><Playnoteswhileediting>1</Playnoteswhileediting>"
                                "</Settings>")
                    .Playnoteswhileediting);
    // Read after every other key, from where the last one found stands, as
    // all keys are: ahead of another key it is not found.
    auto ahead = loadedFrom(dir, "<Settings><Playnoteswhileediting>1</Playnoteswhileediting>"
                                 "<Volume>90</Volume></Settings>");
    EXPECT_EQ(ahead.Volume, 90);
    EXPECT_FALSE(ahead.Playnoteswhileediting);
}

TEST(SettingsFile, TheSongFontSizeIsStoredAfterTheOthersAndOnlyWhenChanged) {
    TempDir dir;
    model::Settings settings;
    settings.SetDefaults();
    settings.Songfontsize = 16;
    std::string withSize = defaultText();
    withSize.insert(withSize.rfind("</Settings>"), "<Songfontsize>16</Songfontsize>\r\n");
    EXPECT_EQ(settingsText(settings), withSize);
    settings.Playnoteswhileediting = true;
    const std::string both = settingsText(settings);
    EXPECT_LT(both.find("Playnoteswhileediting"), both.find("Songfontsize"));

    settings.ProgramDirectory = dir.path();
    SaveSettings(settings);
    model::Settings read;
    ASSERT_TRUE(LoadSettings(read, dir.file("settings.xml")));
    EXPECT_EQ(read.Songfontsize, 16);
    EXPECT_TRUE(read.Playnoteswhileediting);
    // A file from before it keeps the default.
    EXPECT_EQ(loadedFrom(dir, "<Settings><Volume>90</Volume></Settings>").Songfontsize,
              model::kDefaultSongFontSize);
}

TEST(SettingsFile, TheReferencePitchIsStoredLastOnlyWhenNot440AndKeptInItsRange) {
    TempDir dir;
    model::Settings settings;
    settings.SetDefaults();
    settings.Referencepitch = 440;
    EXPECT_EQ(settingsText(settings), defaultText()) << "the default file keeps its bytes";
    settings.Referencepitch = 432;
    settings.Songfontsize = 14;
    const std::string text = settingsText(settings);
    EXPECT_LT(text.find("<Songfontsize>"), text.find("<Referencepitch>432</Referencepitch>"));
    settings.ProgramDirectory = dir.path();
    SaveSettings(settings);
    model::Settings read;
    ASSERT_TRUE(LoadSettings(read, dir.file("settings.xml")));
    EXPECT_EQ(read.Referencepitch, 432);
    EXPECT_EQ(read.referencePitch(), 432.0);
    // Hand-edited beyond the range, it is used at the nearest end.
    EXPECT_EQ(loadedFrom(dir, "<Settings><Referencepitch>1000</Referencepitch></Settings>")
                  .referencePitch(),
              466.0);
    EXPECT_EQ(loadedFrom(dir, "<Settings><Referencepitch>-3</Referencepitch></Settings>")
                  .referencePitch(),
              415.0);
    EXPECT_EQ(loadedFrom(dir, "<Settings><Volume>90</Volume></Settings>").referencePitch(), 440.0);
}

TEST(SettingsFile, PracticeKeysFollowTheOthersOnlyWhenChanged) {
    TempDir dir;
    model::Settings settings;
    settings.SetDefaults();
    EXPECT_EQ(settingsText(settings), defaultText()) << "the default file keeps its bytes";
    settings.Countinbars = 2;
    settings.Clickaccent = 40; // Claves
    settings.Clicksubdivision = true;
    settings.Referencepitch = 442;
    const std::string text = settingsText(settings);
    EXPECT_LT(text.find("<Referencepitch>"), text.find("<Clickaccent>40</Clickaccent>"));
    EXPECT_LT(text.find("<Clickaccent>"), text.find("<Countinbars>2</Countinbars>"));
    EXPECT_EQ(text.find("<Clickbeat>"), std::string::npos) << "unchanged, not written";
    EXPECT_EQ(text.find("<Drillseconds>"), std::string::npos);
    settings.ProgramDirectory = dir.path();
    SaveSettings(settings);
    model::Settings read;
    ASSERT_TRUE(LoadSettings(read, dir.file("settings.xml")));
    EXPECT_EQ(read.Countinbars, 2);
    EXPECT_EQ(read.Clickaccent, 40);
    EXPECT_TRUE(read.Clicksubdivision);
    EXPECT_EQ(read.Clickbeat, 42);
    EXPECT_EQ(read.Drillseconds, 60);
}

TEST(SettingsFile, TheWindowSizeIsKeptLastAndOnlyWhenNotTheDrawnSize) {
    TempDir dir;
    model::Settings settings;
    settings.SetDefaults();
    settings.Windowsize = 100;
    EXPECT_EQ(settingsText(settings), defaultText());
    settings.Windowsize = 150;
    settings.Drillseconds = 90;
    const std::string text = settingsText(settings);
    EXPECT_LT(text.find("<Drillseconds>"), text.find("<Windowsize>150</Windowsize>"));
    EXPECT_EQ(loadedFrom(dir, "<Settings><Windowsize>125</Windowsize></Settings>").windowSize(),
              125);
    // A size the window has no drawing for is the drawn size.
    EXPECT_EQ(loadedFrom(dir, "<Settings><Windowsize>333</Windowsize></Settings>").windowSize(),
              100);
}

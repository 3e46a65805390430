#include "library/chord_library.h"
#include "platform/file.h"
#include "support/current_dir.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace strumvale;
using test::inDirectory;
using test::TempDir;

TEST(ChordLibrary, ProgramLibraryReadsSettingsAtStartAndWritesThemAtExit) {
    TempDir dir;
    inDirectory(dir.path(), [&] {
        platform::replaceFile("settings.xml", "<Settings><Language>deutsch</Language></Settings>");
        {
            ChordLibrary library(ChordLibrary::Options{.settingsFile = true});
            EXPECT_EQ(library.Settings.Language, "deutsch");
            EXPECT_EQ(library.Settings.ProgramDirectory, dir.path());
            EXPECT_EQ(library.Tunings.Count(), 0) << "a new library has no tunings";
            library.Settings.Chordspeed = 300;
        }
        std::string written;
        ASSERT_TRUE(platform::readWholeFile("settings.xml", written));
        EXPECT_NE(written.find("<Language>deutsch</Language>"), std::string::npos);
        EXPECT_NE(written.find("<Chordspeed>300</Chordspeed>"), std::string::npos);
    });
}

TEST(ChordLibrary, ToolLibraryLeavesTheSettingsFileAlone) {
    TempDir dir;
    inDirectory(dir.path(), [&] {
        {
            ChordLibrary library;
            EXPECT_EQ(library.Settings.Volume, 127);
            ASSERT_TRUE(library.LoadLanguage("English (Built-in)"));
            EXPECT_EQ(library.Translate("Playlist (Tab)"), "    Playlist    ");
            EXPECT_EQ(library.LanguageInfoField("Author"), "Error!");
            ASSERT_TRUE(library.ReadLanguageInfo("English (Built-in)"));
            EXPECT_EQ(library.LanguageInfoField("Version"), "4.0.0.beta1");
        }
        EXPECT_FALSE(std::filesystem::exists("settings.xml"));
    });
}

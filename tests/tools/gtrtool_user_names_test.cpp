#include "formats/chordfile.h"
#include "formats/language_file.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"
#include "support/tone_file.h"
#include "support/user_names.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

// Every command that takes a file finds it, and every file it writes gets the
// name it was given, whatever letters the folder and the name hold.
TEST(GtrtoolUserNames, EveryCommandTakesAndWritesFilesByTheirOwnNames) {
    TempDir dir;
    std::filesystem::create_directory(dir.file(kUserFolder));
    const std::string folder = dir.file(kUserFolder) + "/";
    const auto gtrtool = [&](const std::vector<std::string>& arguments) {
        return runTool(dir.path(), "gtrtool", arguments);
    };

    model::ChordDocument document;
    document.Reset();
    document.Author = "\xC5sa";
    document.Chords.Add({"E", "E", "0 2 2 1 0 0"});
    formats::SaveChordfile(document, folder + kUserChordfile);

    ToolRun run = gtrtool({"info", folder + kUserChordfile});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Åsa"), std::string::npos) << run.out;
    run = gtrtool({"chords", folder + kUserChordfile});
    EXPECT_EQ(run.out, "E\tE\t0 2 2 1 0 0\n") << run.err;
    run = gtrtool({"resave", folder + kUserChordfile, folder + "Kopia ł 🎸.gtr"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(folder + "Kopia ł 🎸.gtr"));
    run = gtrtool({"unpack", folder + "Kopia ł 🎸.gtr"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("<Chordfile"), std::string::npos);

    formats::TextList phrases;
    ASSERT_TRUE(formats::BuiltInPhrases(phrases));
    formats::TextList translations(phrases.size());
    translations[0] = "St\xE4mning";
    ASSERT_TRUE(formats::WriteLanguageFile({"4.0.0.beta1", "Svenska", "Bo", "test"}, phrases,
                                           translations, folder + kUserLanguage));
    run = gtrtool({"translate", folder + kUserLanguage, phrases[0]});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Stämning\n");

    writeToneFile(folder + "stämning 🎸.wav", detuned(45, 0.0), 1.0);
    run = gtrtool({"pitch", folder + "stämning 🎸.wav"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\tA1\t"), std::string::npos) << run.out;
    run = gtrtool({"hear", folder + "stämning 🎸.wav"});
    EXPECT_EQ(run.status, 1) << "one string is no strum";
    EXPECT_NE(run.err.find("stämning 🎸.wav"), std::string::npos) << run.err;

    // A name the file system cannot hold: the system's reason, and no file.
    run = gtrtool({"resave", folder + kUserChordfile, folder + nameTooLong(".gtr")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(std::strerror(ENAMETOOLONG)), std::string::npos) << run.err;
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 4u);
}

} // namespace
} // namespace strumvale::test

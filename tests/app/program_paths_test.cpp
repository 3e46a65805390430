#include "app/program_paths.h"
#include "support/temp_dir.h"

#include <QFile>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace strumvale::app {
namespace {

TEST(ProgramPaths, ChosenFilesGetTheChordfileExtensionOnce) {
    EXPECT_EQ(chosenChordfilePath("/songs/mine"), "/songs/mine.gtr");
    EXPECT_EQ(chosenChordfilePath("/songs/mine.gtr"), "/songs/mine.gtr");
    EXPECT_EQ(chosenChordfilePath("/songs/MINE.GTR"), "/songs/MINE.GTR.gtr");
    // A file in the root folder: one separator.
    EXPECT_EQ(chosenChordfilePath("/mine.gtr"), "/mine.gtr");
}

TEST(ProgramPaths, TheStatusLineTakesRelativeNamesFromTheProgramDirectory) {
    EXPECT_EQ(loadedChordfilePath("/opt/strumvale", "default.gtr"), "/opt/strumvale/default.gtr");
    EXPECT_EQ(loadedChordfilePath("/opt/strumvale/", "default.gtr"), "/opt/strumvale/default.gtr");
    EXPECT_EQ(loadedChordfilePath("/opt/strumvale", "/home/me/songs.gtr"), "/home/me/songs.gtr");
}

TEST(ProgramPaths, TheReadMeTargetIsWholeInADeepProgramFolder) {
    EXPECT_EQ(readmeTarget("/opt/strumvale"), "/opt/strumvale/readme.html");
    EXPECT_EQ(readmeTarget("/opt/strumvale/"), "/opt/strumvale/readme.html");

    // A program folder deeper than the old 260-character limit: the Help
    // button's target must still name the read-me that is there.
    test::TempDir dir;
    std::string deep = dir.path();
    for (char name : {'a', 'b', 'c'})
        deep += "/" + std::string(100, name);
    std::filesystem::create_directories(deep);
    std::ofstream(deep + "/readme.html") << "<html></html>";

    const QString target = readmeTarget(deep);
    EXPECT_GT(target.size(), 300);
    EXPECT_EQ(target.toStdString(), deep + "/readme.html");
    QFile readme(target);
    EXPECT_TRUE(readme.open(QIODevice::ReadOnly)) << target.toStdString();
}

} // namespace
} // namespace strumvale::app

#include "app/program_paths.h"

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

TEST(ProgramPaths, TheReadMeTargetIsCutAtThePathLimit) {
    EXPECT_EQ(readmeTarget("/opt/strumvale"), "/opt/strumvale/readme.html");
    const std::string deep = "/" + std::string(255, 'd');
    const QString target = readmeTarget(deep);
    EXPECT_EQ(target.size(), kMaxPathLength);
    EXPECT_FALSE(target.endsWith("readme.html"));
}

} // namespace
} // namespace strumvale::app

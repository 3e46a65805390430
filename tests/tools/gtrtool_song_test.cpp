#include "platform/file.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace strumvale;

namespace {

const char* const kSong = "{title: Mälarvals}\r\n"
                          "{key: G}\r\n"
                          "{soc}\r\n"
                          "[G]Sjung om [D/F#]sjön, [Em]Łódź och [C]Kraków\r\n"
                          "{eoc}\r\n"
                          "{ns}\r\n"
                          "{t: Andra}\r\n"
                          "[A]Två\r\n";

} // namespace

TEST(GtrtoolSong, PrintsTheSheetWithChordsOverTheirSyllablesMovedAsAsked) {
    test::TempDir dir;
    const std::string file = dir.file("sånger 🎸.cho");
    platform::replaceFile(file, kSong);
    const auto plain = test::runTool(dir.path(), "gtrtool", {"song", file});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, "Mälarvals\nKey: G\n\n[Chorus]\n"
                         "G        D/F#  Em       C\n"
                         "Sjung om sjön, Łódź och Kraków\n");

    const auto up = test::runTool(dir.path(), "gtrtool", {"song", file, "--transpose", "3"});
    EXPECT_NE(up.out.find("Key: Bb\n"), std::string::npos);
    EXPECT_NE(up.out.find("Bb       F/A   Gm       Eb\n"), std::string::npos) << up.out;

    const auto capo =
        test::runTool(dir.path(), "gtrtool",
                      {"song", file, "--song", "2", "--capo", "2", "--format", "chordpro"});
    EXPECT_EQ(capo.out, "{t: Andra}\n{capo: 2}\n[G]Två\n");

    EXPECT_EQ(test::runTool(dir.path(), "gtrtool", {"song", file, "--song", "3"}).status, 3);
    EXPECT_EQ(test::runTool(dir.path(), "gtrtool", {"song", file, "--capo", "12"}).status, 3);
    platform::replaceFile(dir.file("bad.cho"), "{title: never closes\n[C]x\n");
    const auto bad = test::runTool(dir.path(), "gtrtool", {"song", dir.file("bad.cho")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("line 1"), std::string::npos) << bad.err;
}

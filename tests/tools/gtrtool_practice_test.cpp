#include "formats/practice_log.h"
#include "platform/file.h"
#include "support/run_tool.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace strumvale;

TEST(GtrtoolPracticeLog, PrintsEachResultOnALineAndTellsOfDamage) {
    test::TempDir dir;
    const std::string path = dir.file("log.xml");
    formats::writePracticeLog(path, {{"2026-12-01", {"G", "C"}, 21.0, 60, 60},
                                     {"2026-12-02", {"Am", "E7", "D\xB0"}, 33.46, 0, 60}});
    test::ToolRun run = test::runTool(dir.path(), "gtrtool", {"practice-log", path});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "2026-12-01\tG C\t21.0\t60\n2026-12-02\tAm E7 D\u00B0\t33.5\t0\n");

    platform::replaceFile(path, "<Practicelog><Record><Date>2026-12-01</Date><Chord>G</Chord>"
                                "<Chord>D</Chord><Changesperminute>9</Changesperminute></Record>"
                                "<Record><Date>yesterday</Date></Record></Practicelog>");
    run = test::runTool(dir.path(), "gtrtool", {"practice-log", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "2026-12-01\tG D\t9.0\t0\n") << "the readable ones still print";
    EXPECT_NE(run.err.find("1 records could not be read"), std::string::npos) << run.err;

    run = test::runTool(dir.path(), "gtrtool", {"practice-log", dir.file("none.xml")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no practice log"), std::string::npos);
    // Without a file: the user's own log, under XDG_DATA_HOME.
    const test::ScopedVariable dataHome("XDG_DATA_HOME", dir.path());
    run = test::runTool(dir.path(), "gtrtool", {"practice-log"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(dir.path() + "/strumvale/practice-log.xml"), std::string::npos)
        << run.err;
}

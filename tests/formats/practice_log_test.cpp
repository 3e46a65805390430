#include "formats/practice_log.h"
#include "platform/file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace strumvale;
using formats::PracticeLogRead;
using test::TempDir;

namespace {

model::PracticeRecord record(const char* date, std::vector<std::string> chords, double rate,
                             int tempo = 0) {
    return {date, std::move(chords), rate, tempo, 60};
}

void write(const std::string& path, const std::string& text) {
    platform::replaceFile(path, text);
}

} // namespace

TEST(PracticeLog, RecordsComeBackAsTheyWereWritten) {
    TempDir dir;
    const std::string path = dir.file(formats::kPracticeLogFileName);
    EXPECT_EQ(formats::readPracticeLog(path).state, PracticeLogRead::State::Missing);
    // Names as chordfiles spell them, Windows-1252 and markup characters too.
    const std::vector<model::PracticeRecord> records = {
        record("2026-12-01", {"G", "C"}, 21.0, 60), record("2026-12-02", {"Am", "E7", "Dm"}, 33.5),
        record("2026-12-09", {"C/G", "F<b5>", "A&B", "D\xB0"}, 12.26, 140)};
    formats::writePracticeLog(path, records);
    const PracticeLogRead read = formats::readPracticeLog(path);
    EXPECT_EQ(read.state, PracticeLogRead::State::Read);
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(read.records[0], records[0]);
    EXPECT_EQ(read.records[1], records[1]);
    EXPECT_EQ(read.records[2].chords, records[2].chords);
    EXPECT_DOUBLE_EQ(read.records[2].changesPerMinute, 12.3) << "kept to a tenth";
    EXPECT_NE(formats::practiceLogText(records).find("<Chord>F&lt;b5&gt;</Chord>"),
              std::string::npos);
}

TEST(PracticeLog, DamageLeavesOutOnlyWhatCannotBeReadAndSaysSo) {
    TempDir dir;
    const std::string path = dir.file("log.xml");
    // A record without a date, one of a single chord, one with a rate that
    // is no number, one beyond any hand, then a good one.
    write(path, "<Practicelog>\r\n"
                "<Record><Chord>G</Chord><Chord>C</Chord><Changesperminute>3</Changesperminute>"
                "</Record>\r\n"
                "<Record><Date>2026-12-01</Date><Chord>G</Chord><Changesperminute>3"
                "</Changesperminute></Record>\r\n"
                "<Record><Date>2026-12-01</Date><Chord>G</Chord><Chord>D</Chord>"
                "<Changesperminute>lots</Changesperminute></Record>\r\n"
                "<Record><Date>2026-12-01</Date><Chord>G</Chord><Chord>D</Chord>"
                "<Changesperminute>1e9</Changesperminute></Record>\r\n"
                "<Record><Date>2026-12-03</Date><Chord>G</Chord><Chord>D</Chord>"
                "<Changesperminute>41.5</Changesperminute><Tempo>-20</Tempo></Record>\r\n"
                "</Practicelog>\r\n");
    PracticeLogRead read = formats::readPracticeLog(path);
    EXPECT_EQ(read.state, PracticeLogRead::State::Damaged);
    EXPECT_EQ(read.unreadable, 4);
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_EQ(read.records[0].chords, (std::vector<std::string>{"G", "D"}));
    EXPECT_EQ(read.records[0].tempo, 0);

    for (const char* text : {"not a log at all", "<Settings><Language>x</Language></Settings>",
                             "<Practicelog><Record>", "\x89PNG\r\n\x1a\n\0\0", ""}) {
        write(path, text);
        read = formats::readPracticeLog(path);
        EXPECT_EQ(read.state, PracticeLogRead::State::Damaged) << text;
        EXPECT_TRUE(read.records.empty());
    }

    // Kept aside under a name of its own each time, never over an earlier one.
    write(path, "first damage");
    EXPECT_EQ(formats::keepDamagedLog(path), dir.file("log.damaged.xml"));
    write(path, "second damage");
    EXPECT_EQ(formats::keepDamagedLog(path), dir.file("log.damaged-2.xml"));
    std::string kept;
    ASSERT_TRUE(platform::readWholeFile(dir.file("log.damaged.xml"), kept));
    EXPECT_EQ(kept, "first damage");
}

#include "formats/practice_log.h"
#include "library/change_drill.h"
#include "library/practice_log.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace strumvale;
using library::ChangeDrill;
using library::PracticeLog;
using State = formats::PracticeLogRead::State;

namespace {

model::PracticeRecord record(const char* date, std::vector<std::string> chords, double rate) {
    return {date, std::move(chords), rate, 0, 60};
}

} // namespace

TEST(PracticeLogKeeping, EachResultIsWrittenAndADamagedLogIsKeptAsideFirst) {
    test::TempDir dir;
    const std::string path = dir.file("practice-log.xml");
    {
        PracticeLog log(path);
        EXPECT_EQ(log.state(), State::Missing);
        log.add(record("2026-12-01", {"G", "C"}, 20));
        log.add(record("2026-12-02", {"G", "C"}, 24));
    }
    EXPECT_EQ(PracticeLog(path).records().size(), 2u) << "written as each result came";

    platform::replaceFile(path, "<Practicelog><Record><Date>2026-12-0");
    PracticeLog damaged(path);
    EXPECT_EQ(damaged.state(), State::Damaged);
    damaged.add(record("2026-12-03", {"D", "A"}, 30));
    ASSERT_TRUE(damaged.keptAt());
    std::string kept;
    ASSERT_TRUE(platform::readWholeFile(*damaged.keptAt(), kept));
    EXPECT_EQ(kept, "<Practicelog><Record><Date>2026-12-0") << "nothing of it is lost";
    EXPECT_EQ(PracticeLog(path).records().size(), 1u);
    EXPECT_EQ(PracticeLog(path).state(), State::Read);

    // A log that cannot be written keeps neither the file nor the new result.
    platform::replaceFile(dir.file("folder"), "a file where a folder should be");
    PracticeLog unwritable(dir.file("folder/practice-log.xml"));
    EXPECT_THROW(unwritable.add(record("2026-12-04", {"D", "A"}, 31)), platform::FileError);
    EXPECT_TRUE(unwritable.records().empty());
}

TEST(PracticeLogKeeping, TheWeakestRecentPairComesFirstAndProgressIsEachDaysBest) {
    test::TempDir dir;
    PracticeLog log(dir.file("practice-log.xml"));
    log.add(record("2026-12-01", {"G", "C"}, 12));
    log.add(record("2026-12-01", {"Am", "E"}, 30));
    log.add(record("2026-12-02", {"C", "G"}, 18)); // the same pair the other way round
    log.add(record("2026-12-02", {"G", "C"}, 25));
    log.add(record("2026-12-03", {"D", "A"}, 22));
    log.add(record("2026-12-04", {"Am", "E"}, 19)); // worse than before: weakest now
    const auto pairs = log.pairsWeakestFirst();
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0], (std::vector<std::string>{"Am", "E"}));
    EXPECT_EQ(pairs[1], (std::vector<std::string>{"D", "A"}));
    EXPECT_EQ(pairs[2], (std::vector<std::string>{"G", "C"})) << "25 on its latest day";

    const auto days = log.progress({"C", "G"});
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(days[0].date, "2026-12-01");
    EXPECT_EQ(days[0].changesPerMinute, 12);
    EXPECT_EQ(days[1].changesPerMinute, 25) << "the day's best";
    EXPECT_TRUE(log.progress({"F", "C"}).empty());
}

TEST(ChangeDrillCounting, ChangesCountOnlyWhileItRunsAndGoRoundTheChords) {
    const sound::Clock::TimePoint start{};
    const auto at = [&](int ms) { return start + std::chrono::milliseconds(ms); };
    ChangeDrill drill({"G", "C", "D"});
    EXPECT_FALSE(drill.change(at(0))) << "not started";
    drill.start(at(1000));
    EXPECT_EQ(drill.current(), "G");
    EXPECT_EQ(drill.next(), "C");
    for (int ms = 2000; ms <= 31000; ms += 1000)
        EXPECT_TRUE(drill.change(at(ms)));
    EXPECT_EQ(drill.current(), "G") << "thirty changes, round three chords";
    EXPECT_EQ(drill.next(), "C");
    EXPECT_EQ(drill.remaining(at(31000)), std::chrono::seconds(30));
    EXPECT_FALSE(drill.change(at(61000))) << "the minute is up";
    EXPECT_FALSE(drill.isRunning(at(61000)));
    EXPECT_EQ(drill.changes(), 30);
    EXPECT_DOUBLE_EQ(drill.changesPerMinute(), 30);
    const model::PracticeRecord kept = drill.record("2026-12-10", 80);
    EXPECT_EQ(kept.chords, (std::vector<std::string>{"G", "C", "D"}));
    EXPECT_EQ(kept.seconds, 60);
    EXPECT_EQ(kept.tempo, 80);

    // Stopped after 20 s with 10 changes: 30 a minute, not 10.
    drill.start(at(100000));
    for (int ms = 101000; ms <= 110000; ms += 1000)
        drill.change(at(ms));
    drill.stop(at(120000));
    EXPECT_DOUBLE_EQ(drill.changesPerMinute(), 30);
    EXPECT_EQ(drill.record("2026-12-10", 0).seconds, 20);

    ChangeDrill lone({"G"});
    lone.start(at(0));
    EXPECT_FALSE(lone.isDrill());
    EXPECT_FALSE(lone.change(at(10)));
}

#include "model/tuning_notes.h"
#include "sound/strum_watch.h"
#include "support/guitar_strums.h"

#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

std::vector<std::optional<int>> fingered(const char* tab) {
    const auto strum = sound::expectedStrum(tab, model::kStandardTuningNotes);
    return {strum->notes.begin(), strum->notes.end()};
}

void append(std::vector<float>& audio, const std::vector<float>& more) {
    audio.insert(audio.end(), more.begin(), more.end());
}

// Audio as the input brings it: 10 ms at a time.
std::vector<sound::StrumHeard> watch(sound::StrumWatch& watch, const std::vector<float>& audio) {
    std::vector<sound::StrumHeard> heard;
    for (std::size_t at = 0; at < audio.size(); at += 441) {
        const std::size_t size = std::min<std::size_t>(441, audio.size() - at);
        if (auto strum = watch.push(std::span<const float>(audio).subspan(at, size)))
            heard.push_back(std::move(*strum));
    }
    return heard;
}

TEST(StrumWatch, HearsEachStrumOnceWithinHalfASecondAndNothingElse) {
    // A C, someone talking, a knock, then a G: each recording leads with
    // kLeadSeconds of room.
    std::vector<float> audio = pluckedStrum(fingered("x 3 2 0 1 0"), {}, 1.5);
    append(audio, speech(4));
    append(audio, knock(4));
    append(audio, pluckedStrum(fingered("3 2 0 0 0 3"), {}, 1.5));
    const double second = (audio.size() - pluckedStrum({}, {}, 1.5).size()) / double(kStrumRate);
    sound::StrumWatch listener(kStrumRate);
    const std::vector<sound::StrumHeard> heard = watch(listener, audio);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_NEAR(heard[0].attack, kLeadSeconds, 0.01);
    EXPECT_NEAR(heard[1].attack, second + kLeadSeconds, 0.01);
    for (const sound::StrumHeard& strum : heard) {
        EXPECT_LE(strum.heardAt - strum.attack, 0.5) << "a verdict within half a second";
        EXPECT_FALSE(strum.verdict);
    }
    EXPECT_EQ(heard[0].notes, (std::vector<int>{48, 52, 55}));
    EXPECT_EQ(heard[1].notes, (std::vector<int>{43, 47, 50}));
}

TEST(StrumWatch, JudgesEachStrumAgainstTheFingeringAskedForAndStartsAfreshAfterAReset) {
    const auto c = sound::expectedStrum("x 3 2 0 1 0", model::kStandardTuningNotes);
    std::vector<float> audio = pluckedStrum(fingered("x 3 2 0 1 0"), {}, 1.5);
    auto missing = fingered("x 3 2 0 1 0");
    missing[2].reset();
    append(audio, pluckedStrum(missing, {}, 1.5));
    sound::StrumWatch listener(kStrumRate);
    listener.expect(*c);
    std::vector<sound::StrumHeard> heard = watch(listener, audio);
    ASSERT_EQ(heard.size(), 2u);
    ASSERT_TRUE(heard[0].verdict && heard[1].verdict);
    EXPECT_TRUE(heard[0].verdict->right);
    EXPECT_FALSE(heard[1].verdict->right);
    EXPECT_EQ(heard[1].verdict->strings[2].kind, sound::StringFinding::Kind::Missing);
    EXPECT_DOUBLE_EQ(heard[1].verdict->attack, heard[1].attack);

    // Half a strum, a pause, then the rest: the halves are no strum.
    const std::vector<float> strum = pluckedStrum(fingered("x 3 2 0 1 0"), {}, 1.5);
    const std::size_t half = std::size_t((kLeadSeconds + 0.2) * kStrumRate);
    sound::StrumWatch paused(kStrumRate);
    EXPECT_TRUE(watch(paused, {strum.begin(), strum.begin() + std::ptrdiff_t(half)}).empty());
    paused.reset();
    heard = watch(paused, {strum.begin() + std::ptrdiff_t(half), strum.end()});
    EXPECT_TRUE(heard.empty());
}

} // namespace
} // namespace strumvale::test

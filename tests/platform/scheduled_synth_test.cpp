#include "platform/scheduled_synth.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <vector>

using namespace strumvale::platform;
using namespace std::chrono_literals;

namespace {

constexpr double kRate = 44100;

// A synthesizer with a block grid: it notes at which of its own frames each
// message takes effect (the start of its next block) and sounds a click of 1
// there, so that where a note lands can be read from the output too.
class GridSynth : public BlockSynth {
public:
    struct Effect {
        std::int64_t frame; // this synthesizer's own frame
        std::uint32_t message;
    };

    void apply(std::uint32_t message) override {
        const std::int64_t start = (rendered_ + kBlockFrames - 1) / kBlockFrames * kBlockFrames;
        effects.push_back({start, message});
        if ((message & 0xF0) == 0x90 && ((message >> 16) & 0x7F) > 0)
            clicks_.push_back(start);
    }
    void mixInto(float* left, float* right, int frames) override {
        for (int i = 0; i < frames; ++i) {
            const std::int64_t frame = rendered_ + i;
            if (std::find(clicks_.begin(), clicks_.end(), frame) != clicks_.end()) {
                left[i] += 1;
                right[i] += 1;
            }
        }
        rendered_ += frames;
    }
    int exclusiveClasses(int, int key, int* classes) override {
        // Keys 42 and 46 (closed and open hi-hat) share a class, as in a kit.
        if (key != 42 && key != 46)
            return 0;
        classes[0] = 1;
        return 1;
    }
    void choke(int channel, int exclusiveClass) override {
        choked.push_back({channel, exclusiveClass});
    }

    std::vector<Effect> effects;
    std::vector<std::pair<int, int>> choked;

private:
    std::int64_t rendered_ = 0;
    std::vector<std::int64_t> clicks_;
};

struct Bank {
    std::vector<GridSynth*> phases;
    std::unique_ptr<ScheduledSynth> synth;
};

Bank makeBank(SynthTiming timing = SynthTiming::Stamped) {
    Bank bank;
    std::vector<std::unique_ptr<BlockSynth>> phases;
    for (int i = 0; i < PhasedSynth::kPhases; ++i) {
        auto phase = std::make_unique<GridSynth>();
        bank.phases.push_back(phase.get());
        phases.push_back(std::move(phase));
    }
    bank.synth = std::make_unique<ScheduledSynth>(std::move(phases), kRate, timing);
    return bank;
}

constexpr std::uint32_t noteOn(int key, int channel = 0) {
    return static_cast<std::uint32_t>(0x90 | channel) | static_cast<std::uint32_t>(key) << 8 |
           100u << 16;
}
constexpr std::uint32_t noteOff(int key, int channel = 0) {
    return static_cast<std::uint32_t>(0x80 | channel) | static_cast<std::uint32_t>(key) << 8;
}

const SteadyTime kStart = SteadyTime{} + 1000s;

SteadyTime atFrame(double frame, double rate = kRate) {
    return kStart + std::chrono::duration_cast<SteadyTime::duration>(
                        std::chrono::duration<double>(frame / rate));
}

// Renders in periods of the given sizes (cycled) at their ideal times, with
// the clicks of every note-on collected in stream frames.
class Stream {
public:
    Stream(Bank& bank, std::vector<int> periods) : bank_(bank), periods_(std::move(periods)) {}

    // Renders until the stream reaches frame, sending what send asks for at
    // the start of each period (as if sent just before it).
    void renderTo(std::int64_t frame) {
        while (position_ < frame) {
            const int size = periods_[next_++ % periods_.size()];
            std::vector<float> left(static_cast<std::size_t>(size), 7.0f), right(left);
            bank_.synth->render(left.data(), right.data(), size, atFrame(double(position_)));
            for (int i = 0; i < size; ++i) {
                if (left[static_cast<std::size_t>(i)] > 0.5f)
                    clicks.push_back(position_ + i);
            }
            position_ += size;
        }
    }
    std::int64_t position() const { return position_; }

    std::vector<std::int64_t> clicks;

private:
    Bank& bank_;
    std::vector<int> periods_;
    std::size_t next_ = 0;
    std::int64_t position_ = 0;
};

double latencyFrames(const Bank& bank) {
    return std::chrono::duration<double>(bank.synth->latency()).count() * kRate;
}

} // namespace

TEST(ScheduledSynth, EachStampedNoteSoundsAtItsFramePlusOneLatencyWhateverThePeriod) {
    for (std::vector<int> periods : {std::vector<int>{64}, {100}, {37}, {512}, {1024, 256, 64}}) {
        Bank bank = makeBank();
        Stream stream(bank, periods);
        stream.renderTo(4096); // the clock locks and the latency settles
        const double latency = latencyFrames(bank);
        std::vector<double> meant;
        for (int k = 0; k < 40; ++k) {
            // Sent a little late, as a sender that woke late; meant on its beat.
            const double frame = 5000.0 + 1103.7 * k;
            stream.renderTo(static_cast<std::int64_t>(frame) + 10);
            bank.synth->send(noteOn(60), atFrame(frame), atFrame(frame + 10));
            meant.push_back(frame);
        }
        stream.renderTo(stream.position() + 8192);
        ASSERT_EQ(stream.clicks.size(), meant.size()) << "period " << periods[0];
        for (std::size_t k = 0; k < meant.size(); ++k)
            EXPECT_NEAR(double(stream.clicks[k]) - meant[k], latency,
                        PhasedSynth::kGridFrames / 2.0 + 0.5)
                << "note " << k << ", period " << periods[0];
        EXPECT_LT(latency, periods.front() * 1.0 + 0.006 * kRate)
            << "no more latency than the period and a few milliseconds";
    }
}

TEST(ScheduledSynth, ABurstInOnePeriodKeepsItsOrderAndEveryPhaseHearsTheRest) {
    Bank bank = makeBank();
    Stream stream(bank, {512});
    stream.renderTo(4096);
    // A program change and a note-on meant for one moment, a controller
    // meant between two notes: each synthesizer gets them in this order.
    const double frame = 4200.5;
    bank.synth->send(0xC0 | 24u << 8, atFrame(frame), atFrame(frame));
    bank.synth->send(noteOn(40), atFrame(frame), atFrame(frame));
    bank.synth->send(0xB0 | 7u << 8 | 90u << 16, atFrame(frame + 11), atFrame(frame + 11));
    bank.synth->send(noteOn(45), atFrame(frame + 11), atFrame(frame + 11));
    stream.renderTo(8192);
    int noteOns = 0;
    for (GridSynth* phase : bank.phases) {
        std::vector<std::uint32_t> order;
        for (const auto& effect : phase->effects)
            order.push_back(effect.message & 0xFF);
        // Each phase sees the program and the controller; only one plays each note.
        auto program = std::find(order.begin(), order.end(), 0xC0u);
        auto controller = std::find(order.begin(), order.end(), 0xB0u);
        ASSERT_NE(program, order.end());
        ASSERT_NE(controller, order.end());
        EXPECT_LT(program, controller);
        for (auto it = order.begin(); it != order.end(); ++it) {
            if (*it == 0x90u) {
                ++noteOns;
                EXPECT_LT(program, it) << "the program is in force before the note";
            }
        }
    }
    EXPECT_EQ(noteOns, 2);
    ASSERT_EQ(stream.clicks.size(), 2u);
    EXPECT_NEAR(double(stream.clicks[1] - stream.clicks[0]), 11, PhasedSynth::kGridFrames);
}

TEST(ScheduledSynth, AMessageWhoseTimeHasPassedPlaysAtOnceAndTheLatencyGrowsToCoverIt) {
    Bank bank = makeBank();
    Stream stream(bank, {256});
    stream.renderTo(4096);
    const double before = latencyFrames(bank);
    // Meant for 20 ms ago: never dropped, played in the next period.
    bank.synth->send(noteOn(50), atFrame(4096 - 0.02 * kRate), atFrame(4096));
    stream.renderTo(4096 + 256);
    ASSERT_EQ(stream.clicks.size(), 1u);
    EXPECT_LT(stream.clicks[0], 4096 + 256);
    EXPECT_GE(latencyFrames(bank), 0.02 * kRate) << "the next message that late is in time";
    EXPECT_GT(latencyFrames(bank), before);
    // A time far from its arrival is the sender's clock gone wrong: now.
    bank.synth->send(noteOn(51), SteadyTime{} + 5s, atFrame(double(stream.position())));
    stream.renderTo(stream.position() + 4096);
    ASSERT_EQ(stream.clicks.size(), 2u);
    EXPECT_NEAR(double(stream.clicks[1] - (4096 + 256)), latencyFrames(bank),
                PhasedSynth::kGridFrames);
}

TEST(ScheduledSynth, NotesAcrossPhasesReleaseAndChokeAsInOneSynthesizer) {
    Bank bank = makeBank();
    Stream stream(bank, {64});
    stream.renderTo(4096);
    // The open hi-hat, then the closed one 3 frames later: another phase.
    const double frame = 5000;
    bank.synth->send(noteOn(46, 9), atFrame(frame), atFrame(frame));
    bank.synth->send(noteOn(42, 9), atFrame(frame + 11), atFrame(frame + 11));
    // The same key struck again in yet another phase releases the first.
    bank.synth->send(noteOn(60), atFrame(frame + 100), atFrame(frame + 100));
    bank.synth->send(noteOn(60), atFrame(frame + 117), atFrame(frame + 117));
    stream.renderTo(8192);
    int chokes = 0, releases = 0;
    for (GridSynth* phase : bank.phases) {
        for (const auto& [channel, exclusiveClass] : phase->choked) {
            EXPECT_EQ(channel, 9);
            EXPECT_EQ(exclusiveClass, 1);
            ++chokes;
        }
        for (const auto& effect : phase->effects)
            releases += effect.message == noteOff(60) ? 1 : 0;
    }
    EXPECT_EQ(chokes, 2 * (PhasedSynth::kPhases - 1)) << "each hi-hat chokes the others";
    EXPECT_EQ(releases, 1) << "only the phase still sounding the key";
}

TEST(ScheduledSynth, OnArrivalPlaysAtTheNextBlockOfOneSynthesizer) {
    Bank bank = makeBank(SynthTiming::OnArrival);
    Stream stream(bank, {100});
    stream.renderTo(1000);
    bank.synth->send(noteOn(60), atFrame(10), atFrame(1000));
    stream.renderTo(2000);
    ASSERT_EQ(stream.clicks.size(), 1u);
    EXPECT_EQ(stream.clicks[0], 1024) << "the first block start after the period began";
    EXPECT_EQ(bank.synth->latency(), std::chrono::microseconds{0});
}

TEST(SampleClock, FollowsASoundCardThatRunsOffTheSteadyClock) {
    // A card 120 ppm fast, its periods reported with up to 1 ms of jitter
    // for ten minutes: the mapping keeps each frame's time within a few
    // frames and measures the rate within a few ppm.
    const double trueRate = kRate * (1 + 120e-6);
    SampleClock clock(kRate);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> jitter(0, 0.001);
    const int period = 512;
    double worstLate = 0;
    for (std::int64_t frame = 0; frame < std::int64_t(trueRate * 600); frame += period) {
        clock.periodStarted(frame, atFrame(double(frame) + jitter(random) * trueRate, trueRate));
        if (frame > std::int64_t(trueRate * 30)) {
            const double error = clock.frameAt(atFrame(double(frame), trueRate)) - double(frame);
            worstLate = std::max(worstLate, std::abs(error));
        }
    }
    EXPECT_NEAR(clock.framesPerSecond(), trueRate, trueRate * 20e-6);
    // The callbacks are late by half a millisecond on average; that is a
    // constant the latency holds, not an error of the rate.
    EXPECT_LT(worstLate, 0.0005 * trueRate + 8);
}

TEST(SampleClock, StartsAgainAfterTheStreamStalls) {
    SampleClock clock(kRate);
    for (std::int64_t frame = 0; frame < 44100; frame += 441)
        clock.periodStarted(frame, atFrame(double(frame)));
    // The stream stood still for a second (a suspended machine, an xrun).
    clock.periodStarted(44100, atFrame(44100 + kRate));
    EXPECT_NEAR(clock.frameAt(atFrame(44100 + kRate)), 44100, 1.0);
}

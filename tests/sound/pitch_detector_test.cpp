#include "sound/pitch_detector.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <numbers>
#include <stdexcept>
#include <vector>

using namespace strumvale::sound;

namespace {

// Deterministic noise, the same on every compiler and library.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state_(seed * 2654435761u + 1) {}
    // Uniform in -1..1.
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return double(state_ >> 11) / double(1ull << 52) - 1;
    }

private:
    std::uint64_t state_;
};

double frequencyOf(int midiNote, double cents = 0) {
    return 440 * std::pow(2.0, (midiNote - 69) / 12.0 + cents / 1200);
}

// A plucked string: partial n at n f sqrt(1 + B n^2), falling off like a string picked
// near the bridge, higher partials dying faster, a pick scrape at the attack and some
// background hiss.
struct Pluck {
    double frequency = 110;
    double fundamental = 1;      // partial 1 against its plucked level
    double inharmonicity = 1e-4; // B
    double decaySeconds = 2;     // of the fundamental
    double level = 0.5;
    double noise = 0.003; // RMS hiss, about 40 dB below the note
    double scrape = 0.2;  // peak of 5 ms of noise at the attack
    std::uint64_t seed = 1;
};

std::vector<float> pluck(const Pluck& tone, int sampleRate, double seconds) {
    const auto count = std::size_t(seconds * sampleRate);
    std::vector<double> signal(count, 0.0);
    Noise noise(tone.seed);
    for (int n = 1;; ++n) {
        const double frequency = n * tone.frequency * std::sqrt(1 + tone.inharmonicity * n * n);
        if (frequency > 0.45 * sampleRate || frequency > 10000)
            break;
        double amplitude = std::abs(std::sin(n * std::numbers::pi * 0.17)) / std::pow(n, 1.3);
        if (n == 1)
            amplitude *= tone.fundamental;
        const double phase = std::numbers::pi * noise.next();
        const double decay = (1 + 0.15 * (n - 1)) / tone.decaySeconds;
        const double step = 2 * std::numbers::pi * frequency / sampleRate;
        for (std::size_t i = 0; i < count; ++i)
            signal[i] += amplitude * std::exp(-decay * double(i) / sampleRate) *
                         std::sin(step * double(i) + phase);
    }
    double peak = 0;
    for (double value : signal)
        peak = std::max(peak, std::abs(value));
    std::vector<float> samples(count);
    const auto scrape = std::size_t(0.005 * sampleRate);
    for (std::size_t i = 0; i < count; ++i) {
        double value = tone.level * signal[i] / peak + tone.noise * std::sqrt(3.0) * noise.next();
        if (i < scrape)
            value += tone.scrape * (1 - double(i) / double(scrape)) * noise.next();
        samples[i] = float(value);
    }
    return samples;
}

struct Listened {
    std::optional<PitchReading> last;
    long settledAfter = -1; // samples from the start until the right note was read
};

// Pushes in awkward block sizes, as audio devices do.
Listened listen(PitchDetector& detector, const std::vector<float>& samples, int midiNote) {
    static constexpr std::size_t kBlocks[] = {37, 256, 1000, 480, 1};
    Listened result;
    std::size_t at = 0;
    for (int block = 0; at < samples.size(); ++block) {
        const std::size_t size = std::min(kBlocks[block % 5], samples.size() - at);
        detector.push(std::span(samples).subspan(at, size));
        at += size;
        result.last = detector.reading();
        if (result.settledAfter < 0 && result.last && result.last->midiNote == midiNote)
            result.settledAfter = long(at);
    }
    return result;
}

} // namespace

TEST(PitchNames, ProgramNamesAreAnOctaveBelowScientificPitch) {
    EXPECT_EQ(programNoteName(40), "E1");
    EXPECT_EQ(programNoteName(45), "A1");
    EXPECT_EQ(programNoteName(35), "B0");
    EXPECT_EQ(programNoteName(36), "C1");
    EXPECT_EQ(programNoteName(69), "A3");
    EXPECT_EQ(programNoteName(88), "E5");
    EXPECT_EQ(programNoteName(61), "C#3");
    EXPECT_EQ(programNoteName(16), "E-1");
    EXPECT_EQ(programNoteName(23), "B-1");
    EXPECT_EQ(programNoteName(24), "C0");
    EXPECT_EQ(programNoteName(0), "C-2");
    EXPECT_EQ(programNoteName(-1), "B-3");
    EXPECT_EQ(programNoteName(127), "G8");
}

TEST(PitchNames, ReadingsNameTheNearestNoteAndCentsUpToHalfASemitone) {
    auto a = readingOf(440, 0.9);
    EXPECT_EQ(a.note, "A3");
    EXPECT_EQ(a.midiNote, 69);
    EXPECT_NEAR(a.cents, 0, 1e-9);
    EXPECT_EQ(a.confidence, 0.9);

    auto sharp = readingOf(frequencyOf(69, 49.9), 1);
    EXPECT_EQ(sharp.note, "A3");
    EXPECT_NEAR(sharp.cents, 49.9, 1e-6);
    auto flatOfNext = readingOf(frequencyOf(69, 50.1), 1);
    EXPECT_EQ(flatOfNext.note, "A#3");
    EXPECT_NEAR(flatOfNext.cents, -49.9, 1e-6);
    auto flat = readingOf(frequencyOf(40, -49.9), 1);
    EXPECT_EQ(flat.note, "E1");
    EXPECT_NEAR(flat.cents, -49.9, 1e-6);
    auto sharpOfBelow = readingOf(frequencyOf(40, -50.1), 1);
    EXPECT_EQ(sharpOfBelow.note, "D#1");
    EXPECT_NEAR(sharpOfBelow.cents, 49.9, 1e-6);
    // Halfway either name will do, but never more than 50 cents off.
    auto halfway = readingOf(frequencyOf(45, 50), 1);
    EXPECT_TRUE(halfway.note == "A1" || halfway.note == "A#1") << halfway.note;
    EXPECT_LE(std::abs(halfway.cents), 50.0);

    EXPECT_EQ(readingOf(82.4, 7).confidence, 1);
    EXPECT_EQ(readingOf(82.4, -1).confidence, 0);
    EXPECT_EQ(readingOf(82.4, std::nan("")).confidence, 0);
    for (double bad : {0.0, -440.0, std::nan(""), double(INFINITY)})
        EXPECT_THROW(readingOf(bad, 1), std::invalid_argument) << bad;
}

TEST(PitchDetector, ReadsGuitarStringsAcrossTheRange) {
    // B0 (seven-string and drop tunings), drop D, the six open strings, fret 12 and fret
    // 24 of the top string.
    const int notes[] = {35, 38, 40, 45, 50, 55, 59, 64, 76, 88};
    const double detunings[] = {-45, -20, -7, 0, 3, 33};
    int index = 0;
    for (int midi : notes) {
        for (double cents : detunings) {
            const int rate = index % 2 ? 44100 : 48000;
            Pluck tone;
            tone.frequency = frequencyOf(midi, cents);
            // Wound strings: the fundamental well below the second harmonic.
            tone.fundamental = midi <= 50 ? 0.2 / 0.5 : 1;
            tone.seed = std::uint64_t(++index);
            PitchDetector detector(rate);
            const auto heard = listen(detector, pluck(tone, rate, 0.6), midi);
            SCOPED_TRACE(programNoteName(midi) + " " + std::to_string(cents) + " cents at " +
                         std::to_string(rate));
            ASSERT_TRUE(heard.last);
            EXPECT_EQ(heard.last->note, programNoteName(midi));
            EXPECT_NEAR(heard.last->cents, cents, 1.5);
            EXPECT_GT(heard.last->confidence, 0.5);
            EXPECT_GE(heard.settledAfter, 0);
            EXPECT_LE(heard.settledAfter, 0.150 * rate);
            std::printf("%s %+.0f: %+.2f settle %.0f ms conf %.2f\n", programNoteName(midi).c_str(),
                        cents, heard.last->cents - cents, 1000.0 * heard.settledAfter / rate,
                        heard.last->confidence);
        }
    }
}

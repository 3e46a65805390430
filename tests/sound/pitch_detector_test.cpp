#include "sound/fft.h"
#include "sound/pitch_detector.h"
#include "support/guitar_strums.h"

#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
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
        const double decay = (1 + 0.15 * (n - 1)) / tone.decaySeconds;
        // A decaying phasor, turned one sample at a time.
        const auto turn = std::polar(std::exp(-decay / sampleRate),
                                     2 * std::numbers::pi * frequency / sampleRate);
        auto phasor = std::polar(amplitude, std::numbers::pi * noise.next());
        for (std::size_t i = 0; i < count; ++i) {
            signal[i] += phasor.imag();
            phasor *= turn;
        }
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

std::vector<float> whiteNoise(double rms, int sampleRate, double seconds, std::uint64_t seed) {
    Noise noise(seed);
    std::vector<float> samples(std::size_t(seconds * sampleRate));
    for (auto& sample : samples)
        sample = float(rms * std::sqrt(3.0) * noise.next());
    return samples;
}

std::vector<float> operator+(std::vector<float> first, const std::vector<float>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct Listened {
    std::optional<PitchReading> last;
    std::set<std::string> notes; // every note read on the way
    std::set<int> midiNotes;     // the same by number
    long settledAfter = -1;      // samples from the start until the right note was read
    // The span of cents the right note was read at, from its first reading on: a needle
    // must not jump on its way to the true value.
    double lowestCents = 50, highestCents = -50;
};

// Pushes in awkward block sizes, as audio devices do.
Listened listen(PitchDetector& detector, const std::vector<float>& samples, int midiNote) {
    static constexpr std::size_t kBlocks[] = {37, 256, 1000, 480, 1};
    const auto scale = std::size_t(detector.sampleRate() / 8000);
    Listened result;
    std::size_t at = 0;
    for (int block = 0; at < samples.size(); ++block) {
        const std::size_t size =
            std::min(std::max<std::size_t>(1, kBlocks[block % 5] * scale / 6), samples.size() - at);
        detector.push(std::span(samples).subspan(at, size));
        at += size;
        result.last = detector.reading();
        if (result.last) {
            result.notes.insert(result.last->note);
            result.midiNotes.insert(result.last->midiNote);
        }
        if (!result.last || result.last->midiNote != midiNote)
            continue;
        if (result.settledAfter < 0)
            result.settledAfter = long(at);
        result.lowestCents = std::min(result.lowestCents, result.last->cents);
        result.highestCents = std::max(result.highestCents, result.last->cents);
    }
    return result;
}

} // namespace

TEST(PitchFft, FindsTheBinsOfKnownSignalsAndInvertsExactly) {
    constexpr std::size_t kSize = 64;
    RealFft fft(kSize);
    std::vector<double> signal(kSize), back(kSize);
    std::vector<std::complex<double>> spectrum(fft.bins());
    // A constant, a cosine at bin 5, a sine at bin 9 and the Nyquist frequency.
    for (std::size_t i = 0; i < kSize; ++i)
        signal[i] = 0.5 + std::cos(2 * std::numbers::pi * 5 * double(i) / kSize) +
                    2 * std::sin(2 * std::numbers::pi * 9 * double(i) / kSize) +
                    (i % 2 ? -0.25 : 0.25);
    fft.forward(signal, spectrum);
    for (std::size_t k = 0; k < spectrum.size(); ++k) {
        std::complex<double> expected = 0;
        if (k == 0)
            expected = 0.5 * kSize;
        if (k == 5)
            expected = double(kSize) / 2;
        if (k == 9)
            expected = {0, -double(kSize)};
        if (k == 32)
            expected = 0.25 * kSize;
        EXPECT_NEAR(std::abs(spectrum[k] - expected), 0, 1e-9) << "bin " << k;
    }
    fft.inverse(spectrum, back);
    for (std::size_t i = 0; i < kSize; ++i)
        EXPECT_NEAR(back[i], signal[i], 1e-12);

    EXPECT_THROW(RealFft(0), std::invalid_argument);
    EXPECT_THROW(RealFft(48), std::invalid_argument);
    EXPECT_THROW(fft.forward(std::vector<double>(32), spectrum), std::invalid_argument);
}

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
    EXPECT_EQ(programNoteName(std::numeric_limits<int>::max()), "G178956968");
    EXPECT_EQ(programNoteName(std::numeric_limits<int>::min()), "E-178956973");
}

TEST(PitchNames, BlackKeysAreSpelledAsChordNamesSpellThem) {
    // A tuner that says A# beside a chord chart that says Bb reads as two notes.
    EXPECT_EQ(programNoteName(37), "C#1");
    EXPECT_EQ(programNoteName(39), "Eb1");
    EXPECT_EQ(programNoteName(42), "F#1");
    EXPECT_EQ(programNoteName(44), "Ab1");
    EXPECT_EQ(programNoteName(46), "Bb1");
    EXPECT_EQ(programNoteName(63), "Eb3");
    EXPECT_EQ(readingOf(frequencyOf(58, 3), 1).note, "Bb2");
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
    EXPECT_EQ(flatOfNext.note, "Bb3");
    EXPECT_NEAR(flatOfNext.cents, -49.9, 1e-6);
    auto flat = readingOf(frequencyOf(40, -49.9), 1);
    EXPECT_EQ(flat.note, "E1");
    EXPECT_NEAR(flat.cents, -49.9, 1e-6);
    auto sharpOfBelow = readingOf(frequencyOf(40, -50.1), 1);
    EXPECT_EQ(sharpOfBelow.note, "Eb1");
    EXPECT_NEAR(sharpOfBelow.cents, 49.9, 1e-6);
    // Halfway either name will do, but never more than 50 cents off.
    auto halfway = readingOf(frequencyOf(45, 50), 1);
    EXPECT_TRUE(halfway.note == "A1" || halfway.note == "Bb1") << halfway.note;
    EXPECT_LE(std::abs(halfway.cents), 50.0);

    EXPECT_EQ(readingOf(82.4, 7).confidence, 1);
    EXPECT_EQ(readingOf(82.4, -1).confidence, 0);
    EXPECT_EQ(readingOf(82.4, std::nan("")).confidence, 0);
    for (double bad : {0.0, -440.0, std::nan(""), double(INFINITY)})
        EXPECT_THROW(readingOf(bad, 1), std::invalid_argument) << bad;
}

namespace {

// Each note at each detuning, plucked at 48 and 44.1 kHz in turn, each with noise of
// its own; voice shapes the string, check judges what was heard.
void sweep(std::span<const int> notes, std::span<const double> detunings, double seconds,
           std::uint64_t firstSeed, const std::function<void(Pluck&, int midi)>& voice,
           const std::function<void(const Listened&, int midi, double cents, int rate)>& check) {
    std::uint64_t seed = firstSeed;
    for (int midi : notes) {
        for (double cents : detunings) {
            const int rate = seed % 2 ? 48000 : 44100;
            Pluck tone;
            tone.frequency = frequencyOf(midi, cents);
            tone.seed = seed++;
            voice(tone, midi);
            PitchDetector detector(rate);
            SCOPED_TRACE(programNoteName(midi) + " " + std::to_string(cents) + " cents at " +
                         std::to_string(rate));
            check(listen(detector, pluck(tone, rate, seconds), midi), midi, cents, rate);
        }
    }
}

} // namespace

TEST(PitchDetector, ReadsGuitarStringsAcrossTheRange) {
    // B0 (seven-string and drop tunings), drop D, the six open strings, fret 12 and fret
    // 24 of the top string.
    const int notes[] = {35, 38, 40, 45, 50, 55, 59, 64, 76, 88};
    const double detunings[] = {-45, -20, -7, 0, 3, 33};
    sweep(
        notes, detunings, 0.6, 1,
        [](Pluck& tone, int midi) {
            // Wound strings: the fundamental well below the second harmonic.
            tone.fundamental = midi <= 50 ? 0.2 / 0.5 : 1;
        },
        [](const Listened& heard, int midi, double cents, int rate) {
            ASSERT_TRUE(heard.last);
            EXPECT_EQ(heard.last->note, programNoteName(midi));
            EXPECT_NEAR(heard.last->cents, cents, 1.5);
            EXPECT_NEAR(heard.lowestCents, cents, 1.5);
            EXPECT_NEAR(heard.highestCents, cents, 1.5);
            EXPECT_GT(heard.last->confidence, 0.5);
            EXPECT_GE(heard.settledAfter, 0);
            EXPECT_LE(heard.settledAfter, 0.150 * rate);
        });
}

// Bass, baritone and drop-A strings: thick, stiff strings whose fundamental a small
// microphone barely picks up, so the second and third partials dominate.
TEST(PitchDetector, ReadsTheLowestStringsWithoutOctaveErrors) {
    // A0, B0 (five-string bass), D1 (drop D bass), E1 (bass), G1, A1 (drop A).
    const int notes[] = {21, 23, 26, 28, 31, 33};
    const double detunings[] = {-40, 0, 15};
    sweep(
        notes, detunings, 1.0, 101,
        [](Pluck& tone, int) {
            tone.fundamental = 0.1;
            tone.inharmonicity = 3e-4;
            tone.decaySeconds = 3;
        },
        [](const Listened& heard, int midi, double cents, int rate) {
            ASSERT_TRUE(heard.last);
            EXPECT_EQ(heard.notes, std::set<std::string>{programNoteName(midi)})
                << "no partial is read on the way";
            EXPECT_NEAR(heard.last->cents, cents, 2);
            EXPECT_NEAR(heard.lowestCents, cents, 2);
            EXPECT_NEAR(heard.highestCents, cents, 2);
            EXPECT_GE(heard.settledAfter, 0);
            EXPECT_LE(heard.settledAfter, 0.250 * rate);
        });
}

TEST(PitchDetector, ReadsNoisyStringsAndEveryRateItTakes) {
    struct Case {
        int midi;
        double cents;
        int rate;
        double noise;
    };
    // About 20 dB of hiss under a wound string with a weak fundamental; then the lowest
    // and highest notes at the ends of the rate range.
    const Case cases[] = {{40, -12, 48000, 0.03}, {45, 8, 44100, 0.03},    {38, 0, 8000, 0.003},
                          {88, -20, 8000, 0.003}, {35, 25, 192000, 0.003}, {88, 4, 96000, 0.003}};
    for (const auto& c : cases) {
        SCOPED_TRACE(programNoteName(c.midi) + " at " + std::to_string(c.rate));
        Pluck tone;
        tone.frequency = frequencyOf(c.midi, c.cents);
        tone.fundamental = c.midi <= 50 ? 0.4 : 1;
        tone.noise = c.noise;
        PitchDetector detector(c.rate);
        EXPECT_EQ(detector.sampleRate(), c.rate);
        const auto heard = listen(detector, pluck(tone, c.rate, 0.6), c.midi);
        ASSERT_TRUE(heard.last);
        EXPECT_EQ(heard.last->note, programNoteName(c.midi));
        EXPECT_NEAR(heard.last->cents, c.cents, 1.5);
        EXPECT_LE(heard.settledAfter, 0.150 * c.rate) << heard.settledAfter;
    }
}

TEST(PitchDetector, GivesNoReadingForSilenceNoiseOrBrokenInput) {
    const int rate = 48000;
    PitchDetector detector(rate);
    auto none = [&](const std::vector<float>& samples) {
        bool any = false;
        for (std::size_t at = 0; at < samples.size(); at += 480) {
            detector.push(
                std::span(samples).subspan(at, std::min<std::size_t>(480, samples.size() - at)));
            any = any || detector.reading();
        }
        return !any;
    };
    EXPECT_TRUE(none(std::vector<float>(rate, 0.0f)));
    // A cheap microphone's constant offset, with nothing on it, and with hiss.
    EXPECT_TRUE(none(std::vector<float>(rate, 0.25f)));
    EXPECT_TRUE(none(std::vector<float>(rate, -0.05f)));
    std::vector<float> offsetHiss = whiteNoise(0.01, rate, 1, 9);
    for (float& sample : offsetHiss)
        sample += 0.1f;
    EXPECT_TRUE(none(offsetHiss));
    EXPECT_TRUE(none(whiteNoise(0.3, rate, 1, 7)));
    EXPECT_TRUE(none(whiteNoise(0.01, rate, 1, 8)));
    // A string too faint to tell from the room.
    Pluck faint;
    faint.level = 0.001;
    faint.noise = 0;
    faint.scrape = 0;
    EXPECT_TRUE(none(pluck(faint, rate, 0.5)));
    // A broken device: NaN, infinities and values far out of range.
    std::vector<float> broken(rate / 2, std::nanf(""));
    for (std::size_t i = 0; i < broken.size(); i += 3)
        broken[i] = i % 2 ? INFINITY : -1e30f;
    EXPECT_TRUE(none(broken));
    // A whistle above the range is refused, not read an octave or a fifth down.
    for (int whistleRate : {8000, 48000}) {
        PitchDetector whistle(whistleRate);
        std::vector<float> tone(std::size_t(whistleRate) / 2);
        for (std::size_t i = 0; i < tone.size(); ++i)
            tone[i] = float(0.5 * std::sin(2 * std::numbers::pi * 2100 * double(i) / whistleRate));
        whistle.push(tone);
        EXPECT_FALSE(whistle.reading()) << whistleRate;
    }
    // And the detector still works afterwards.
    Pluck tone;
    tone.frequency = frequencyOf(55);
    const auto heard =
        listen(detector, std::vector<float>(rate / 10, 0.0f) + pluck(tone, rate, 0.5), 55);
    ASSERT_TRUE(heard.last);
    EXPECT_EQ(heard.last->note, "G2");
}

TEST(PitchDetector, AnOffsetUnderANoteDoesNotMoveIt) {
    const int rate = 44100;
    for (const int midi : {40, 57, 76}) {
        Pluck tone;
        tone.frequency = frequencyOf(midi, 7);
        tone.fundamental = midi <= 50 ? 0.4 : 1;
        std::vector<float> samples = pluck(tone, rate, 0.6);
        PitchDetector plain(rate);
        const auto clean = listen(plain, samples, midi);
        for (float& sample : samples)
            sample += 0.2f;
        PitchDetector offset(rate);
        const auto heard = listen(offset, samples, midi);
        ASSERT_TRUE(clean.last && heard.last) << midi;
        EXPECT_EQ(heard.last->note, clean.last->note);
        EXPECT_NEAR(heard.last->cents, clean.last->cents, 0.2) << midi;
    }
}

TEST(PitchDetector, ReadingEndsWithTheNoteAndFollowsTheNext) {
    const int rate = 44100;
    PitchDetector detector(rate);
    Pluck low;
    low.frequency = frequencyOf(40, -5);
    low.fundamental = 0.4;
    auto heard = listen(detector, pluck(low, rate, 0.5), 40);
    ASSERT_TRUE(heard.last);
    EXPECT_EQ(heard.last->note, "E1");

    // Muted: gone within the frame length and a few hops.
    const auto silence = std::vector<float>(rate / 2, 0.0f);
    long gone = -1;
    for (std::size_t at = 0; at < silence.size() && gone < 0; at += 64) {
        detector.push(std::span(silence).subspan(at, 64));
        if (!detector.reading())
            gone = long(at + 64);
    }
    EXPECT_GE(gone, 0);
    EXPECT_LE(gone, 0.1 * rate);

    // One string straight after another: the new one settled within 150 ms of its attack,
    // and nothing but the two read on the way.
    Pluck a;
    a.frequency = frequencyOf(45, 10);
    Pluck d;
    d.frequency = frequencyOf(50, -10);
    d.seed = 3;
    listen(detector, pluck(a, rate, 0.4), 45);
    heard = listen(detector, pluck(d, rate, 0.4), 50);
    ASSERT_TRUE(heard.last);
    for (const auto& note : heard.notes)
        EXPECT_TRUE(note == "A1" || note == "D2") << note;
    EXPECT_EQ(heard.last->note, "D2");
    EXPECT_NEAR(heard.last->cents, -10, 1.5);
    EXPECT_LE(heard.settledAfter, 0.150 * rate);

    // And back.
    heard = listen(detector, pluck(a, rate, 0.4), 45);
    EXPECT_EQ(heard.last->note, "A1");
    detector.reset();
    EXPECT_FALSE(detector.reading());
    EXPECT_EQ(detector.sampleRate(), rate);
}

TEST(PitchDetector, RefusesSampleRatesOutsideItsRange) {
    for (int rate : {0, -44100, 7999, 192001, 1000000})
        EXPECT_THROW(PitchDetector{rate}, std::invalid_argument) << rate;
    const std::vector<float> samples(100, 0.0f);
    EXPECT_THROW(steadyPitch(samples, 4000), std::invalid_argument);
}

TEST(SteadyPitch, ReadsTheSteadyPartOfARecording) {
    const int rate = 44100;
    // Room noise, then the pick's attack, then a G string 12 cents sharp ringing out.
    Pluck g;
    g.frequency = frequencyOf(55, 12);
    g.scrape = 0.6;
    const auto recording = whiteNoise(0.002, rate, 0.4, 5) + pluck(g, rate, 1.5);
    const auto reading = steadyPitch(recording, rate);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->note, "G2");
    EXPECT_EQ(reading->midiNote, 55);
    EXPECT_NEAR(reading->cents, 12, 1.5);
    EXPECT_NEAR(reading->frequency, g.frequency, g.frequency * 0.001);
    EXPECT_GT(reading->confidence, 0.5);

    // The longest note of two wins.
    Pluck b;
    b.frequency = frequencyOf(59, -30);
    const auto twoNotes = pluck(b, rate, 0.3) + pluck(g, rate, 1.0);
    const auto longest = steadyPitch(twoNotes, rate);
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->note, "G2");

    EXPECT_FALSE(steadyPitch(std::vector<float>(rate, 0.0f), rate));
    EXPECT_FALSE(steadyPitch(whiteNoise(0.2, rate, 1, 9), rate));
    EXPECT_FALSE(steadyPitch({}, rate));
}

// The built-in synthesizer's basses, and a steel-string guitar tuned down to A and B,
// each low note alone over a room's hum: never read an octave or a fifth away, whatever
// the sample's own tuning (a few of the font's lowest are a quarter tone sharp).
TEST(PitchDetector, ReadsTheSynthesizersBassesAndDropTunedGuitarInTheirOctave) {
    struct Instrument {
        int program;
        std::vector<int> notes;
    };
    // Acoustic, finger and pick basses down to A0 and a low B; the guitar's
    // lowest strings in drop A, drop B and seven-string B.
    const Instrument instruments[] = {{32, {21, 23, 26, 28, 33}},
                                      {33, {23, 26, 28, 31}},
                                      {34, {21, 23, 28, 33}},
                                      {25, {33, 35, 38}}};
    for (const Instrument& instrument : instruments) {
        for (const int midi : instrument.notes) {
            strumvale::test::StrumStyle style;
            style.detuneCents = 0;
            const std::optional<std::vector<float>> samples =
                strumvale::test::synthStrum({midi}, instrument.program, style, 1.5);
            if (!samples)
                GTEST_SKIP() << "no General MIDI sound font";
            SCOPED_TRACE("program " + std::to_string(instrument.program) + " " +
                         programNoteName(midi));
            PitchDetector detector(strumvale::test::kStrumRate);
            const Listened heard = listen(detector, *samples, midi);
            EXPECT_GE(heard.settledAfter, 0) << "the note was read";
            for (const int read : heard.midiNotes)
                EXPECT_LE(std::abs(read - midi), 1) << programNoteName(read) << " read";
        }
    }
}

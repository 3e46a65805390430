#include "model/records.h"
#include "platform/wav_file.h"
#include "sound/chord_player.h"
#include "sound/drum_sequencer.h"
#include "sound/play_along.h"
#include "support/bench_size.h"
#include "support/every_step.h"
#include "support/heard_onsets.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

// What a listener hears: the built-in synthesizer writes its sound through
// the file driver, each note's onset is found again in that audio and set
// against the time its sender meant. Each case runs twice in the same run:
// as synthesizers play what they are sent "now" (before), and stamped.
using namespace strumvale;
using bench::MeantNote;

namespace {

constexpr int kRate = platform::SynthEngine::kSampleRate;
constexpr int kClaves = 40; // percussion row
constexpr int kXylophone = 13;

struct Recording {
    std::vector<float> audio;
    std::vector<MeantNote> meant;
    double latencyMs = 0;
};

Recording record(platform::SynthTiming timing, int instrument,
                 const std::function<void(sound::ChordPlayer&)>& play) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("strumvale-heard-" + std::to_string(::getpid()) + ".wav");
    ::setenv("STRUMVALE_AUDIO_DRIVER", "file", 1);
    ::setenv("STRUMVALE_AUDIO_FILE", file.c_str(), 1);
    auto recorder =
        std::make_shared<bench::MeantNotesRecorder>(platform::builtInSynthesizerProvider(timing));
    Recording recording;
    {
        platform::ScopedMidiProviders scope({recorder});
        sound::ChordPlayer player;
        player.setup(0, 0, instrument, 100);
        play(player);
        player.waitUntilIdle();
        // The last sounds' attacks are written before the file closes.
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        recording.latencyMs =
            std::chrono::duration<double, std::milli>(recorder->latency()).count();
    }
    recording.meant = recorder->take();
    try {
        recording.audio = platform::readWav(file.string()).samples;
    } catch (const std::exception&) {
    }
    std::filesystem::remove(file);
    return recording;
}

void report(benchmark::State& state, const std::string& name, const Recording& recording) {
    const auto heard = bench::findOnsets(recording.audio, kRate, recording.meant);
    const auto figures = bench::onsetFigures(heard);

    const auto ms = [](double frames) { return frames * 1000.0 / kRate; };
    state.counters[name + "_median_samples"] = figures.medianFrames;
    state.counters[name + "_p99_samples"] = figures.p99Frames;
    state.counters[name + "_max_samples"] = figures.maxFrames;
    state.counters[name + "_p99_ms"] = ms(figures.p99Frames);
    state.counters[name + "_max_ms"] = ms(figures.maxFrames);
    state.counters[name + "_worst_interval_ms"] = ms(figures.worstIntervalFrames);
    state.counters[name + "_drift_ms"] = ms(figures.driftFrames);
    state.counters[name + "_latency_ms"] = recording.latencyMs;
    state.counters[name + "_onsets"] = figures.notes;
    state.counters[name + "_meant"] = static_cast<double>(recording.meant.size());
}

const char* nameOf(platform::SynthTiming timing) {
    return timing == platform::SynthTiming::Stamped ? "stamped" : "before";
}

void HeardDrumSteps(benchmark::State& state) {
    const int steps = bench::shortMode() ? 8 : 96;
    for (auto _ : state) {
        for (auto timing : {platform::SynthTiming::OnArrival, platform::SynthTiming::Stamped}) {
            const auto recording = record(timing, 0, [&](sound::ChordPlayer& player) {
                sound::DrumSequencer sequencer(player);
                bench::EveryStep pattern(steps, kClaves, 600);
                pattern.flags_.loopPattern = true;
                sequencer.start(pattern, pattern.reports());
                player.waitUntilIdle();
            });
            report(state, std::string("drum_") + nameOf(timing), recording);
        }
    }
}
BENCHMARK(HeardDrumSteps)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void HeardStrum(benchmark::State& state) {
    const int strums = bench::shortMode() ? 2 : 12;
    for (auto _ : state) {
        for (auto timing : {platform::SynthTiming::OnArrival, platform::SynthTiming::Stamped}) {
            const auto recording = record(timing, kXylophone, [&](sound::ChordPlayer& player) {
                player.setStrumDelay(30);
                player.setHoldTime(150);
                for (int i = 0; i < strums; ++i) {
                    player.strum({"E", "E", "0 2 2 1 0 0"}, model::Tuning::standard());
                    player.waitUntilIdle();
                    std::this_thread::sleep_for(std::chrono::milliseconds(60));
                }
            });
            report(state, std::string("strum_") + nameOf(timing), recording);
        }
    }
}
BENCHMARK(HeardStrum)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// Claves on the off-beats: a chord's first string and a hit struck together
// would blur each other's attack.
class ClavesOffTheBeat : public sound::LivePattern {
public:
    bool hit(int step, int track) override { return track == 1 && step % 2 == 0; }
    int instrument(int) override { return kClaves; }
    int volume(int) override { return 90; }
    int tempo() override { return 600; }
};

void HeardPlayAlong(benchmark::State& state) {
    const int chords = bench::shortMode() ? 4 : 32;
    const auto notes =
        sound::ChordPlayer::strumNotes("0 2 2 1 0 0", model::Tuning::standard().Notes);
    for (auto _ : state) {
        for (auto timing : {platform::SynthTiming::OnArrival, platform::SynthTiming::Stamped}) {
            // A percussive sound for the chords too: a guitar's strings ring
            // on under the next attack and would blur where it starts.
            const auto recording = record(timing, kXylophone, [&](sound::ChordPlayer& player) {
                // Strings as far apart as in the strum measured alone.
                player.setStrumDelay(30);
                ClavesOffTheBeat pattern;
                sound::Score score;
                score.entries.assign(static_cast<std::size_t>(chords), notes);
                score.stepLength = [] { return std::chrono::milliseconds(100); };
                score.holdToEntryEnd = true;
                score.drums = &pattern;
                sound::PlayAlong along(player);
                along.start(score, {});
                along.waitUntilIdle();
            });
            report(state, std::string("along_") + nameOf(timing), recording);
        }
    }
}
BENCHMARK(HeardPlayAlong)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// The metronome over a pattern: a bar of count-in, then clicks on every beat
// with the claves between them (on the beat they would blur each other's
// attack), all from one schedule.
void HeardMetronomeOverPattern(benchmark::State& state) {
    const int bars = bench::shortMode() ? 1 : 12;
    for (auto _ : state) {
        for (auto timing : {platform::SynthTiming::OnArrival, platform::SynthTiming::Stamped}) {
            const auto recording = record(timing, 0, [&](sound::ChordPlayer& player) {
                ClavesOffTheBeat pattern;
                sound::Score score;
                score.entries.assign(static_cast<std::size_t>(bars), {});
                score.stepsPerEntry = 4 * sound::kStepsPerBeat;
                score.stepLength = [] { return std::chrono::milliseconds(100); };
                score.drums = &pattern;
                score.metronome = sound::Metronome{};
                score.metronome->countInBars = 1;
                sound::PlayAlong along(player);
                along.start(score, {});
                along.waitUntilIdle();
            });
            report(state, std::string("clicks_") + nameOf(timing), recording);
        }
    }
}
BENCHMARK(HeardMetronomeOverPattern)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// A song counted in: two bars of 3/4 clicks at 150 beats a minute, then its
// chords a bar each, the click quiet under them.
void HeardCountInAndSong(benchmark::State& state) {
    const int chords = bench::shortMode() ? 1 : 24;
    const auto notes =
        sound::ChordPlayer::strumNotes("x 3 2 0 1 0", model::Tuning::standard().Notes);
    for (auto _ : state) {
        for (auto timing : {platform::SynthTiming::OnArrival, platform::SynthTiming::Stamped}) {
            const auto recording = record(timing, kXylophone, [&](sound::ChordPlayer& player) {
                player.setStrumDelay(30);
                sound::Score score;
                score.entries.assign(static_cast<std::size_t>(chords), notes);
                score.stepsPerEntry = 3 * sound::kStepsPerBeat;
                score.stepLength = [] { return sound::stepAtBeatsPerMinute(150); };
                score.holdToEntryEnd = true;
                score.metronome = sound::Metronome{};
                score.metronome->metre = {3, 4};
                score.metronome->countInBars = 2;
                score.metronome->clicks = false;
                sound::PlayAlong along(player);
                along.start(score, {});
                along.waitUntilIdle();
            });
            report(state, std::string("counted_song_") + nameOf(timing), recording);
        }
    }
}
BENCHMARK(HeardCountInAndSong)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

#include "support/heard_onsets.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace strumvale::bench {

class MeantNotesRecorder::Port : public platform::MidiOutPort {
public:
    Port(MeantNotesRecorder& owner, std::unique_ptr<platform::MidiOutPort> inner)
        : owner_(owner), inner_(std::move(inner)) {
        std::lock_guard lock(owner_.mutex_);
        owner_.open_ = this;
    }
    ~Port() override {
        std::lock_guard lock(owner_.mutex_);
        if (owner_.open_ == this)
            owner_.open_ = nullptr;
    }
    platform::MidiResult sendShortMessage(std::uint32_t message) override {
        owner_.note(message, std::chrono::steady_clock::now());
        return inner_->sendShortMessage(message);
    }
    platform::MidiResult sendShortMessageAt(std::uint32_t message,
                                            platform::SteadyTime at) override {
        owner_.note(message, at);
        return inner_->sendShortMessageAt(message, at);
    }
    std::chrono::microseconds latency() const override { return inner_->latency(); }

private:
    MeantNotesRecorder& owner_;
    std::unique_ptr<platform::MidiOutPort> inner_;
};

platform::MidiResult MeantNotesRecorder::openOutput(const std::string& identity,
                                                    std::unique_ptr<platform::MidiOutPort>& port) {
    std::unique_ptr<platform::MidiOutPort> inner;
    if (auto result = inner_->openOutput(identity, inner); result != platform::midi_result::NoError)
        return result;
    port = std::make_unique<Port>(*this, std::move(inner));
    return platform::midi_result::NoError;
}

void MeantNotesRecorder::note(std::uint32_t message, std::chrono::steady_clock::time_point at) {
    const int status = message & 0xF0, channel = message & 0x0F;
    const int data1 = (message >> 8) & 0x7F, data2 = (message >> 16) & 0x7F;
    std::lock_guard lock(mutex_);
    if (status == 0xC0)
        programs_[channel] = data1;
    else if (status == 0x90 && data2 > 0)
        notes_.push_back({at, channel, programs_[channel], data1, data2});
}

std::chrono::microseconds MeantNotesRecorder::latency() {
    std::lock_guard lock(mutex_);
    return open_ ? open_->latency() : std::chrono::microseconds{};
}

std::vector<MeantNote> MeantNotesRecorder::take() {
    std::lock_guard lock(mutex_);
    return std::exchange(notes_, {});
}

namespace {

constexpr double kTemplateSeconds = 0.004;
// Wider than the worst error measured, narrower than the closest notes
// (a strum 30 ms apart) so that a neighbour's attack is never taken.
constexpr double kSearchSeconds = 0.004;

// The first difference: an attack's edge stands out of the notes still
// ringing under it, whose lower partials would otherwise match it anywhere.
std::vector<float> sharpened(const std::vector<float>& audio) {
    std::vector<float> edges(audio.size());
    for (std::size_t i = 1; i < audio.size(); ++i)
        edges[i] = audio[i] - audio[i - 1];
    return edges;
}

// The note's attack rendered alone, mono, from the frame it starts.
class Attacks {
public:
    explicit Attacks(int sampleRate) : sampleRate_(sampleRate) {}

    const std::vector<float>& of(const MeantNote& note) {
        const auto key = std::make_tuple(note.channel, note.program, note.key, note.velocity);
        auto found = cache_.find(key);
        if (found != cache_.end())
            return found->second;
        std::vector<float> attack;
        auto font = platform::generalMidiSoundFont();
        std::unique_ptr<platform::SynthEngine> engine;
        if (font &&
            platform::SynthEngine::create(*font, engine) == platform::midi_result::NoError) {
            engine->sendShortMessage(static_cast<std::uint32_t>(0xC0 | note.channel) |
                                     static_cast<std::uint32_t>(note.program) << 8);
            engine->sendShortMessage(static_cast<std::uint32_t>(0x90 | note.channel) |
                                     static_cast<std::uint32_t>(note.key) << 8 |
                                     static_cast<std::uint32_t>(note.velocity) << 16);
            const int frames = static_cast<int>(kTemplateSeconds * sampleRate_);
            std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
            engine->render(left.data(), right.data(), frames);
            for (std::size_t i = 0; i < left.size(); ++i)
                attack.push_back((left[i] + right[i]) / 2);
            attack = sharpened(attack);
        }
        return cache_.emplace(key, std::move(attack)).first->second;
    }

private:
    int sampleRate_;
    std::map<std::tuple<int, int, int, int>, std::vector<float>> cache_;
};

// The frame near expected where the audio matches the attack best.
double bestMatch(const std::vector<float>& audio, const std::vector<float>& attack, double expected,
                 int reach) {
    double best = -1;
    double bestFrame = -1;
    const auto centre = static_cast<long>(std::lround(expected));
    for (long frame = centre - reach; frame <= centre + reach; ++frame) {
        if (frame < 0 || frame + static_cast<long>(attack.size()) > static_cast<long>(audio.size()))
            continue;
        double product = 0, energy = 0;
        for (std::size_t i = 0; i < attack.size(); ++i) {
            const double sample = audio[static_cast<std::size_t>(frame) + i];
            product += sample * attack[i];
            energy += sample * sample;
        }
        const double score = energy > 0 ? product / std::sqrt(energy) : 0;
        if (score > best) {
            best = score;
            bestFrame = static_cast<double>(frame);
        }
    }
    return bestFrame;
}

double firstRise(const std::vector<float>& audio) {
    float peak = 0;
    for (float sample : audio)
        peak = std::max(peak, std::abs(sample));
    for (std::size_t i = 0; i < audio.size(); ++i) {
        if (std::abs(audio[i]) > peak * 0.05f)
            return static_cast<double>(i);
    }
    return -1;
}

} // namespace

std::vector<HeardNote> findOnsets(const std::vector<float>& audio, int sampleRate,
                                  const std::vector<MeantNote>& meant) {
    std::vector<HeardNote> heard;
    if (meant.empty())
        return heard;
    Attacks attacks(sampleRate);
    const std::vector<float> edges = sharpened(audio);
    const int reach = static_cast<int>(kSearchSeconds * sampleRate);
    const double rise = firstRise(audio);
    if (rise < 0)
        return heard;
    // The first note's attack begins a little before the audio rises.
    const double first = bestMatch(edges, attacks.of(meant[0]), rise - reach / 2.0, reach);
    if (first < 0)
        return heard;
    for (const MeantNote& note : meant) {
        const double since = std::chrono::duration<double>(note.at - meant[0].at).count();
        const double expected = first + since * sampleRate;
        const auto& attack = attacks.of(note);
        if (attack.empty())
            continue;
        const double frame = bestMatch(edges, attack, expected, reach);
        if (frame >= 0)
            heard.push_back({note, expected, frame});
    }
    return heard;
}

OnsetFigures onsetFigures(const std::vector<HeardNote>& heard) {
    OnsetFigures figures;
    if (heard.size() < 2)
        return figures;
    std::vector<double> errors;
    for (const HeardNote& note : heard)
        errors.push_back(note.heardFrame - note.meantFrame);
    std::vector<double> sorted = errors;
    std::sort(sorted.begin(), sorted.end());
    const double latency = sorted[sorted.size() / 2];
    std::vector<double> off;
    for (double error : errors)
        off.push_back(std::abs(error - latency));
    std::sort(off.begin(), off.end());
    auto at = [&](double fraction) {
        return off[std::min(off.size() - 1, static_cast<std::size_t>(fraction * off.size()))];
    };
    figures.medianFrames = at(0.5);
    figures.p99Frames = at(0.99);
    figures.maxFrames = off.back();
    for (std::size_t k = 1; k < heard.size(); ++k) {
        const double meantInterval = heard[k].meantFrame - heard[k - 1].meantFrame;
        const double heardInterval = heard[k].heardFrame - heard[k - 1].heardFrame;
        figures.worstIntervalFrames =
            std::max(figures.worstIntervalFrames, std::abs(heardInterval - meantInterval));
    }
    // Least squares of error against meant frame, over the run's length.
    double sumX = 0, sumY = 0, sumXX = 0, sumXY = 0;
    const double n = static_cast<double>(heard.size());
    for (std::size_t k = 0; k < heard.size(); ++k) {
        const double x = heard[k].meantFrame, y = errors[k];
        sumX += x;
        sumY += y;
        sumXX += x * x;
        sumXY += x * y;
    }
    const double spread = n * sumXX - sumX * sumX;
    if (spread > 0) {
        const double slope = (n * sumXY - sumX * sumY) / spread;
        figures.driftFrames = slope * (heard.back().meantFrame - heard.front().meantFrame);
    }
    figures.notes = static_cast<int>(heard.size());
    return figures;
}

} // namespace strumvale::bench

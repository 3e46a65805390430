#include "platform/scheduled_synth.h"

#include <algorithm>
#include <cstring>

namespace strumvale::platform {

namespace {

// Headroom over the longest period for a sender that wakes late for its
// beat: measured here, a sleeping thread wakes up to 2.7 ms late (p99) and
// now and then 5 ms. A message later than that grows the latency by its
// lateness and this much more, so that it settles after a step or two.
constexpr double kJitterSeconds = 0.005;
constexpr double kGrowthSeconds = 0.002;
// Lateness this large is a stall, not jitter: the message plays at once
// rather than every later one waiting that long.
constexpr double kMostLatencySeconds = 0.05;

} // namespace

ScheduledSynth::ScheduledSynth(std::vector<std::unique_ptr<BlockSynth>> phases, double sampleRate,
                               SynthTiming timing)
    : sampleRate_(sampleRate), timing_(timing), synth_(std::move(phases)), clock_(sampleRate) {
    inbox_.reserve(256);
    waiting_.reserve(256);
    due_.reserve(256);
}

void ScheduledSynth::send(std::uint32_t message, SteadyTime at, SteadyTime arrival) {
    const SteadyTime meant = plausibleTime(at, arrival);
    std::lock_guard lock(inboxMutex_);
    inbox_.push_back({message, meant, arrivals_++});
    latestMeant_ = std::max(latestMeant_, meant);
}

SteadyTime ScheduledSynth::settledBy() {
    const auto period = std::chrono::duration<double>(longestPeriodSeen_.load() / sampleRate_);
    std::lock_guard lock(inboxMutex_);
    return latestMeant_ + latency() + std::chrono::duration_cast<SteadyTime::duration>(period * 2);
}

std::chrono::microseconds ScheduledSynth::latency() const {
    return std::chrono::microseconds(static_cast<std::int64_t>(latencySeconds_.load() * 1e6));
}

void ScheduledSynth::render(float* left, float* right, int frames, SteadyTime now) {
    if (frames <= 0)
        return;
    std::memset(left, 0, sizeof(float) * static_cast<std::size_t>(frames));
    std::memset(right, 0, sizeof(float) * static_cast<std::size_t>(frames));
    const std::int64_t begin = synth_.position();
    const auto end = static_cast<double>(begin + frames);
    clock_.periodStarted(begin, now);
    {
        std::lock_guard lock(inboxMutex_);
        waiting_.insert(waiting_.end(), inbox_.begin(), inbox_.end());
        inbox_.clear();
    }
    due_.clear();
    if (timing_ == SynthTiming::OnArrival) {
        // At the first block start of phase 0 from the period's start, as
        // one synthesizer applies what came while it was rendering.
        const std::int64_t block = BlockSynth::kBlockFrames;
        const auto start = static_cast<double>((begin + block - 1) / block * block);
        for (const Stamped& message : waiting_)
            due_.push_back({start, message.message});
        waiting_.clear();
        synth_.render(left, right, frames, due_);
        return;
    }

    longestPeriod_ = std::max(longestPeriod_, frames);
    longestPeriodSeen_ = longestPeriod_;
    latencyFrames_ = std::max(latencyFrames_, longestPeriod_ + PhasedSynth::kGridFrames +
                                                  kJitterSeconds * sampleRate_);
    std::stable_sort(waiting_.begin(), waiting_.end(), [](const Stamped& a, const Stamped& b) {
        return a.at != b.at ? a.at < b.at : a.order < b.order;
    });
    // Messages due before the next period, whose grid step may already
    // fall in this one; the rest wait.
    std::size_t taken = 0;
    double latest = 0;
    for (; taken < waiting_.size(); ++taken) {
        const double frame = clock_.frameAt(waiting_[taken].at) + latencyFrames_;
        if (frame >= end + BlockSynth::kBlockFrames)
            break;
        latest = std::max(latest, static_cast<double>(begin) - frame);
        due_.push_back({frame, waiting_[taken].message});
    }
    waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(taken));
    synth_.render(left, right, frames, due_);
    // A message that came later than the latency allows played at once; the
    // latency grows by its lateness so that the next such one is in time.
    if (latest > 0)
        latencyFrames_ = std::min(latencyFrames_ + latest + kGrowthSeconds * sampleRate_,
                                  kMostLatencySeconds * sampleRate_);
    latencySeconds_ = latencyFrames_ / sampleRate_;
}

} // namespace strumvale::platform

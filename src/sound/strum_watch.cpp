#include "sound/strum_watch.h"

#include <algorithm>

namespace strumvale::sound {

namespace {

// Looking again for every few milliseconds that arrive would find nothing new.
constexpr double kLookEverySeconds = 0.05;
// A strum is looked for in the last seconds heard; a verdict needs less.
constexpr double kHeldSeconds = 2.0;
// After a strum, its own ringing is no new strum.
constexpr double kAfterStrumSeconds = 0.45;

std::size_t samplesOf(double seconds, int sampleRate) {
    return static_cast<std::size_t>(seconds * sampleRate);
}

} // namespace

StrumWatch::StrumWatch(int sampleRate, double a4) : sampleRate_(sampleRate), a4_(a4) {}

void StrumWatch::reset() {
    bufferStart_ += buffer_.size();
    buffer_.clear();
    quietUntil_ = bufferStart_;
    scannedAt_ = bufferStart_;
}

std::optional<StrumHeard> StrumWatch::push(std::span<const float> block) {
    buffer_.insert(buffer_.end(), block.begin(), block.end());
    const std::size_t held = samplesOf(kHeldSeconds, sampleRate_);
    if (buffer_.size() > held) {
        const std::size_t dropped = buffer_.size() - held;
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(dropped));
        bufferStart_ += dropped;
    }
    const std::size_t end = bufferStart_ + buffer_.size();
    if (end < scannedAt_ + samplesOf(kLookEverySeconds, sampleRate_))
        return std::nullopt;
    scannedAt_ = end;

    const std::size_t from = std::max(bufferStart_, quietUntil_);
    const std::span<const float> window =
        std::span<const float>(buffer_).subspan(from - bufferStart_);
    const std::optional<double> attack = findAttack(window, sampleRate_);
    if (!attack)
        return std::nullopt;
    // Until the chord has rung long enough to tell, wait for more.
    if (*attack + kStrumListenSeconds > static_cast<double>(window.size()) / sampleRate_)
        return std::nullopt;
    const std::size_t attackAt = from + samplesOf(*attack, sampleRate_);
    quietUntil_ = attackAt + samplesOf(kAfterStrumSeconds, sampleRate_);
    std::optional<StrumAtAttack> strum = strumAt(window, sampleRate_, *attack, a4_);
    if (!strum)
        return std::nullopt;
    StrumHeard heard;
    heard.attack = static_cast<double>(attackAt) / sampleRate_;
    heard.heardAt = static_cast<double>(end) / sampleRate_;
    if (expected_) {
        heard.verdict = judgeStrum(strum->spectrum, *expected_, a4_);
        heard.verdict->attack = heard.attack;
    }
    heard.notes = std::move(strum->notes);
    return heard;
}

} // namespace strumvale::sound

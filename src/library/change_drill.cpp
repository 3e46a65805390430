#include "library/change_drill.h"

#include <algorithm>
#include <utility>

namespace strumvale::library {

ChangeDrill::ChangeDrill(std::vector<std::string> chords, sound::Clock::Duration length)
    : chords_(std::move(chords)),
      length_(std::max<sound::Clock::Duration>(length, std::chrono::seconds(1))) {}

void ChangeDrill::start(sound::Clock::TimePoint at) {
    started_ = at;
    stopped_.reset();
    at_ = 0;
    changes_ = 0;
}

void ChangeDrill::stop(sound::Clock::TimePoint at) {
    if (started_ && !stopped_)
        stopped_ = std::min(at, *started_ + length_);
}

bool ChangeDrill::isRunning(sound::Clock::TimePoint now) const {
    return isDrill() && started_ && !stopped_ && now < *started_ + length_;
}

sound::Clock::Duration ChangeDrill::remaining(sound::Clock::TimePoint now) const {
    if (!started_)
        return length_;
    const sound::Clock::TimePoint end = stopped_ ? *stopped_ : *started_ + length_;
    return std::max<sound::Clock::Duration>(end - now, sound::Clock::Duration::zero());
}

const std::string& ChangeDrill::current() const {
    static const std::string none;
    return chords_.empty() ? none : chords_[at_ % chords_.size()];
}

const std::string& ChangeDrill::next() const {
    static const std::string none;
    return chords_.empty() ? none : chords_[(at_ + 1) % chords_.size()];
}

bool ChangeDrill::change(sound::Clock::TimePoint at) {
    if (!isRunning(at) || at < *started_)
        return false;
    ++at_;
    ++changes_;
    return true;
}

sound::Clock::Duration ChangeDrill::ranFor() const {
    if (!started_)
        return sound::Clock::Duration::zero();
    return stopped_ ? *stopped_ - *started_ : length_;
}

double ChangeDrill::changesPerMinute() const {
    const double minutes = std::chrono::duration<double>(ranFor()).count() / 60;
    return minutes > 0 ? changes_ / minutes : 0;
}

model::PracticeRecord ChangeDrill::record(std::string date, int tempo) const {
    model::PracticeRecord record;
    record.date = std::move(date);
    record.chords = chords_;
    record.changesPerMinute = changesPerMinute();
    record.tempo = std::max(0, tempo);
    record.seconds =
        static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(ranFor()).count());
    return record;
}

} // namespace strumvale::library

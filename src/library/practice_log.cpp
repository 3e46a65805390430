#include "library/practice_log.h"

#include "platform/user_data_folder.h"

#include <algorithm>
#include <map>
#include <utility>

namespace strumvale::library {

std::string PracticeLog::defaultPath() {
    return platform::userDataFolder() + "/" + formats::kPracticeLogFileName;
}

PracticeLog::PracticeLog(std::string path) : path_(std::move(path)) {
    formats::PracticeLogRead read = formats::readPracticeLog(path_);
    records_ = std::move(read.records);
    state_ = read.state;
    unreadable_ = read.unreadable;
}

void PracticeLog::add(model::PracticeRecord record) {
    if (state_ == formats::PracticeLogRead::State::Damaged && !keptAt_)
        keptAt_ = formats::keepDamagedLog(path_);
    std::vector<model::PracticeRecord> records = records_;
    records.push_back(std::move(record));
    formats::writePracticeLog(path_, records);
    records_ = std::move(records);
    // What was damaged is kept aside; the log written is whole.
    state_ = formats::PracticeLogRead::State::Read;
}

std::vector<std::vector<std::string>> PracticeLog::pairsWeakestFirst() const {
    // The latest record of a pair is the last one with the latest date.
    std::vector<std::pair<const model::PracticeRecord*, std::size_t>> latest;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const model::PracticeRecord& record = records_[i];
        const auto known = std::find_if(latest.begin(), latest.end(), [&](const auto& entry) {
            return model::samePair(entry.first->chords, record.chords);
        });
        if (known == latest.end())
            latest.emplace_back(&record, i);
        else if (record.date >= known->first->date)
            *known = {&record, i};
    }
    std::stable_sort(latest.begin(), latest.end(), [](const auto& a, const auto& b) {
        return a.first->changesPerMinute < b.first->changesPerMinute;
    });
    std::vector<std::vector<std::string>> pairs;
    for (const auto& entry : latest)
        pairs.push_back(entry.first->chords);
    return pairs;
}

std::vector<DayResult> PracticeLog::progress(const std::vector<std::string>& chords) const {
    std::map<std::string, double> best;
    for (const model::PracticeRecord& record : records_) {
        if (!model::samePair(record.chords, chords))
            continue;
        const auto [at, added] = best.emplace(record.date, record.changesPerMinute);
        if (!added)
            at->second = std::max(at->second, record.changesPerMinute);
    }
    std::vector<DayResult> days;
    for (const auto& [date, rate] : best)
        days.push_back({date, rate});
    return days;
}

} // namespace strumvale::library

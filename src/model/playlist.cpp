#include "model/playlist.h"

#include <utility>

namespace strumvale::model {

Chord Playlist::separator() {
    return Chord("", std::string(kSeparatorName), std::string(kSeparatorTab));
}

bool Playlist::isSeparator(const Chord& chord) {
    return chord.Name == kSeparatorName && chord.RootNote.empty() && chord.Tab == kSeparatorTab;
}

const std::string& Playlist::tuningNotes(int index) const {
    static const std::string standard(kStandardTuningNotes);
    return valid(index) ? tunings_[static_cast<std::size_t>(index)] : standard;
}

bool Playlist::append(const Chord& chord, std::string_view tuningNotes) {
    if (full())
        return false;
    entries_.push_back(chord);
    tunings_.emplace_back(isSeparator(chord) ? kStandardTuningNotes : tuningNotes);
    return true;
}

bool Playlist::remove(int index) {
    if (!valid(index))
        return false;
    entries_.erase(entries_.begin() + index);
    tunings_.erase(tunings_.begin() + index);
    return true;
}

bool Playlist::moveUp(int index) {
    if (!valid(index) || index == 0)
        return false;
    std::swap(entries_[index], entries_[index - 1]);
    std::swap(tunings_[index], tunings_[index - 1]);
    return true;
}

bool Playlist::moveDown(int index) {
    if (!valid(index) || index == count() - 1)
        return false;
    std::swap(entries_[index], entries_[index + 1]);
    std::swap(tunings_[index], tunings_[index + 1]);
    return true;
}

} // namespace strumvale::model

#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace strumvale {
class ChordLibrary;
}

namespace strumvale::sound {
class LivePattern;
}

namespace strumvale::practice {

// What the practice window needs from the main window.
class PracticeHost {
public:
    virtual ChordLibrary& library() = 0;
    virtual QString translate(std::string_view key) const = 0;
    // While anything sounds, says so under caption and answers true.
    virtual bool refuseWhilePlaying(const QString& caption) = 0;
    // The chords of the song the song window shows, in the order they first
    // sound, in the core's text; none without a song.
    virtual std::vector<std::string> songChordNames() = 0;
    // The Drummer page's pattern as it plays, to play along with the clicks
    // when one is loaded.
    virtual sound::LivePattern& drummerPattern() = 0;
    virtual bool drummerPatternLoaded() = 0;

protected:
    ~PracticeHost() = default;
};

} // namespace strumvale::practice

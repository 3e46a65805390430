#pragma once

#include "model/playlist.h"

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

namespace strumvale::songs {

// What the song window needs from the main window beside it.
class SongWindowHost {
public:
    virtual ChordLibrary& library() = 0;
    virtual QString translate(std::string_view key) const = 0;
    // The open-string notes chords are shown in: the tuning the user chose.
    virtual std::string songTuningNotes() = 0;
    // The Drummer page's pattern as it plays: its tempo always, its hits when
    // a pattern is loaded.
    virtual sound::LivePattern& drummerPattern() = 0;
    virtual bool drummerPatternLoaded() = 0;
    // While anything sounds, says so under caption and answers true.
    virtual bool refuseWhilePlaying(const QString& caption) = 0;
    // Puts playlist in place of the Playlist page's (asking first about
    // unsaved changes there); false when the user keeps the old one.
    virtual bool replacePlaylist(const model::Playlist& playlist) = 0;
    // Brings up the practice window with these chords (the core's text) to drill.
    virtual void practiseChords(const std::vector<std::string>& chords) = 0;

protected:
    ~SongWindowHost() = default;
};

} // namespace strumvale::songs

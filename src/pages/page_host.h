#pragma once

#include "model/records.h"

#include <QString>
#include <string_view>

class QComboBox;

namespace strumvale {
class ChordLibrary;
}

namespace strumvale::sound {
class LivePattern;
}

namespace strumvale::pages {

// What the pages need from the window that holds them: the shared library and
// the notifications that keep the other pages in step.
class PageHost {
public:
    virtual ChordLibrary& library() = 0;

    virtual void onChordsChanged() = 0;
    virtual void onScalesChanged() = 0;
    virtual void onTuningsChanged() = 0;
    virtual void onDrumPatternsChanged() = 0;
    virtual void closeChordfile() = 0;
    // chord's tab is played on the open strings tuningNotes names.
    virtual void addChordToPlaylist(const model::Chord& chord, std::string_view tuningNotes) = 0;
    // Empties the combo, lists every tuning name in library order, selects the first.
    virtual void fillTuningCombo(QComboBox& combo) = 0;
    // Settings and colours changed; every page takes them again.
    virtual void applySettings() = 0;
    // The Drummer page's pattern as it plays: its tempo always, its hits when
    // a pattern is loaded.
    virtual sound::LivePattern& drummerPattern() = 0;
    virtual bool drummerPatternLoaded() = 0;
    // While anything sounds, says "Please stop playing first." under caption
    // and answers true; otherwise false.
    virtual bool refuseWhilePlaying(const QString& caption) = 0;
    // The playlist as a song, in the song window; a host without one shows
    // nothing.
    virtual void showPlaylistAsSong() {}

protected:
    ~PageHost() = default;
};

} // namespace strumvale::pages

#pragma once

#include "library/chord_library.h"
#include "pages/page_host.h"
#include "platform/midi_provider.h"
#include "sound/live_pattern.h"
#include "sound/virtual_clock.h"
#include "support/fake_drums.h"
#include "support/recording_midi.h"
#include "support/sound_rig.h"
#include "support/temp_dir.h"
#include "uikit/text.h"

#include <QColor>
#include <QComboBox>
#include <QListWidget>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace strumvale::test {

// The main window as far as a page sees it: the library, the tuning combo
// filler and a record of the chords handed to the playlist.
class FakeHost final : public pages::PageHost {
public:
    explicit FakeHost(ChordLibrary& library) : library_(library) {}

    ChordLibrary& library() override { return library_; }
    void onChordsChanged() override { ++chordsChanged; }
    void onScalesChanged() override { ++scalesChanged; }
    void onTuningsChanged() override {
        if (tuningsChanged)
            tuningsChanged();
    }
    void onDrumPatternsChanged() override {}
    void closeChordfile() override { library_.Reset(); }
    void addChordToPlaylist(const model::Chord& chord, std::string_view tuningNotes) override {
        playlist.push_back(chord);
        playlistTunings.emplace_back(tuningNotes);
    }
    void fillTuningCombo(QComboBox& combo) override {
        combo.clear();
        for (const auto& tuning : library_.Tunings.items()) {
            combo.addItem(uikit::toQString(tuning.Name));
        }
        combo.setCurrentIndex(0);
    }
    void applySettings() override {}
    sound::LivePattern& drummerPattern() override { return drums; }
    bool drummerPatternLoaded() override { return drumsLoaded; }
    bool refuseWhilePlaying(const QString& caption) override {
        if (!library_.ChordPlayer.isPlaying())
            return false;
        refusals.push_back(caption);
        return true;
    }
    void showPlaylistAsSong() override { ++songSheetsShown; }

    std::vector<model::Chord> playlist;
    std::vector<std::string> playlistTunings;
    // The captions of the "Please stop playing first." notices given.
    QStringList refusals;
    int songSheetsShown = 0;
    // The Drummer page's pattern as the playlist plays along with it.
    FakeDrums drums;
    bool drumsLoaded = false;
    // How often the other pages were told to follow the library.
    int chordsChanged = 0;
    int scalesChanged = 0;
    // What the main window would refill.
    std::function<void()> tuningsChanged;

private:
    ChordLibrary& library_;
};

inline const QColor kWhite{251, 251, 251};

inline QStringList itemTexts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

inline const model::Tuning kDropD{"Drop D", "D1,A1,D2,G2,B2,E3"};
// Written by hand: string 2 has no table note, string 1 sits on the last entry.
inline const model::Tuning kOffTable{"Off the table", "E1,A1,D2,G2,H2,B4"};

// A chordfile written by the program's own writer and loaded back, so the
// pages meet a library exactly as the Open command leaves it.
inline void writeChordfile(const std::string& path) {
    model::ChordDocument document;
    document.Reset();
    document.Tunings.Add(kDropD);
    document.Tunings.Add(kOffTable);
    for (const model::Chord& chord : {
             model::Chord("C", "C", "x 3 2 0 1 0"),
             model::Chord("C", "C7", "x 3 2 3 1 0"),
             model::Chord("A", "Am", "x 0 2 2 1 0"),
             model::Chord("A", "Am7", "x 0 2 0 1 0"),
             model::Chord("A", "am", "5 7 7 5 5 5"),
             model::Chord("E", "E11", "11 x x x x x"),
             model::Chord("F", "Cadd", "x 3 2 0 1 0"),
             model::Chord("G", "G", "3 2 0 0 0 3"),
         }) {
        document.Chords.Add(chord);
    }
    auto scale = [&](const char* name, const char* intervals, const char* notes,
                     const char* description) {
        model::Scale s;
        s.Name = name;
        s.setIntervals(intervals);
        s.setNotes(notes);
        s.Description = description;
        document.Scales.Add(s);
    };
    scale("Dorian", "1,2,b3,4,5,6,b7", "C,D,D#,F,G,A,A#", "Minor mode;Jazz and funk");
    scale("Major", "1,2,3,4,5,6,7", "C,D,E,F,G,A,B", "Empty");
    scale("Plain", "Empty", "C,E,G", "empty");
    scale("Whole", "", "C,D,E,F#,G#,A#", "");
    formats::SaveChordfile(document, path);
}

// A library whose player sleeps on the rig's virtual clock, and the window as
// far as a page sees it.
struct ClockedLibrary : SoundRig {
    ChordLibrary library{{.settingsFile = false, .openMidiDevice = false, .clock = &clock}};
    FakeHost host{library};
};

// A loaded library whose player sounds into a recorder. The recorder stamps
// messages on a clock that stands still: tests compare what was sent, not when.
struct LibraryRig : SoundRig {
    TempDir dir;
    ChordLibrary library{{.settingsFile = false, .openMidiDevice = true}};
    FakeHost host{library};

    LibraryRig() {
        library.LoadLanguage(model::kBuiltInLanguage);
        writeChordfile(dir.file("test.gtr"));
        library.LoadChordfile(dir.file("test.gtr"));
        // Strums take real time on the player's clock; keep them short.
        library.Settings.Chordspeed = 1;
        library.Settings.Chorddecay = 1;
    }
};

} // namespace strumvale::test

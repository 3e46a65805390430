#pragma once

#include "library/chord_library.h"
#include "model/tuning_notes.h"
#include "songs/song_window.h"
#include "songs/song_window_host.h"
#include "sound/live_pattern.h"
#include "support/fake_drums.h"
#include "support/modal_seams.h"
#include "support/sound_rig.h"
#include "uikit/text.h"

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

namespace strumvale::test {

// The main window as the song window sees it, with the library's player
// sounding into a recorder on a virtual clock and every question answered by
// the test.
class SongHost final : public songs::SongWindowHost {
public:
    explicit SongHost(ChordLibrary& library) : library_(library) {}

    ChordLibrary& library() override { return library_; }
    QString translate(std::string_view key) const override {
        return uikit::toQString(library_.Translate(key));
    }
    std::string songTuningNotes() override { return tuning; }
    sound::LivePattern& drummerPattern() override { return drums; }
    bool drummerPatternLoaded() override { return drumsLoaded; }
    bool refuseWhilePlaying(const QString& caption) override {
        if (!library_.ChordPlayer.isPlaying())
            return false;
        refusals.push_back(caption);
        return true;
    }
    bool replacePlaylist(const model::Playlist& playlist) override {
        if (!acceptPlaylist)
            return false;
        playlists.push_back(playlist);
        return true;
    }

    void practiseChords(const std::vector<std::string>& chords) override {
        practised.push_back(chords);
    }

    std::string tuning{model::kStandardTuningNotes};
    std::vector<std::vector<std::string>> practised;
    FakeDrums drums;
    bool drumsLoaded = false;
    bool acceptPlaylist = true;
    std::vector<model::Playlist> playlists;
    QStringList refusals;

private:
    ChordLibrary& library_;
};

struct SongWindowRig : SoundRig, ModalSeams {
    ChordLibrary library{{.settingsFile = false, .openMidiDevice = false, .clock = &clock}};
    SongHost host{library};
    std::unique_ptr<songs::SongWindow> window;

    SongWindowRig() {
        library.LoadLanguage(model::kBuiltInLanguage);
        library.Reset();
        library.Chords.Add(model::Chord("C", "C", "x 3 2 0 1 0"));
        library.Chords.Add(model::Chord("G", "G", "3 2 0 0 0 3"));
        library.ChordPlayer.setup(0, 0, 0, 127);
        library.Settings.Chordspeed = 10;
        library.Settings.Chorddecay = 500;
        window = std::make_unique<songs::SongWindow>(host);
    }
    ~SongWindowRig() { window.reset(); }
};

} // namespace strumvale::test

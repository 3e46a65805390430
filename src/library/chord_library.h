#pragma once

#include "formats/chordfile.h"
#include "formats/language_file.h"
#include "formats/settings_file.h"
#include "model/chord_document.h"
#include "model/playlist.h"
#include "sound/chord_player.h"

#include <string>
#include <string_view>

namespace strumvale {

// The program's single document together with everything shared around it:
// the settings, the language table and the chord player. Pages and dialogs
// reach all shared state through it.
class ChordLibrary : public model::ChordDocument {
public:
    struct Options {
        // The program reads "settings.xml" at start and writes it at exit;
        // tools and tests use the defaults and leave the file alone.
        bool settingsFile = false;
        // The program opens the MIDI output device of the settings at start;
        // tools and tests open none.
        bool openMidiDevice = false;
        // What timed sound sleeps on; the machine's steady clock when null.
        sound::Clock* clock = nullptr;
    };

    ChordLibrary() : ChordLibrary(Options()) {}
    explicit ChordLibrary(Options options);
    ChordLibrary(const ChordLibrary&) = delete;
    ChordLibrary& operator=(const ChordLibrary&) = delete;

    // Members in construction order; they are destroyed in reverse, so the
    // settings are written after the player has closed its device.
    formats::TranslationTable Translations;
    formats::TranslationTable BrowsedLanguageInfo;
    formats::PersistentSettings Settings;
    sound::ChordPlayer ChordPlayer;
    // Not part of the chordfile: opening one leaves it as it is.
    model::Playlist Playlist;
    // The path (or the built-in name) of the table in Translations: it can
    // differ from the stored choice, as the locale picks one when none is stored.
    std::string LanguageInUse;

    // The player with the strum delay, hold time and instrument the settings
    // ask for, as everything that strums chords uses it.
    sound::ChordPlayer& StrummingPlayer() {
        ChordPlayer.setStrumDelay(Settings.Chordspeed);
        ChordPlayer.setHoldTime(Settings.Chorddecay);
        ChordPlayer.setInstrument(Settings.Instrument);
        return ChordPlayer;
    }

    bool LoadChordfile(const std::string& path) { return formats::LoadChordfile(*this, path); }
    void SaveChordfile(const std::string& path) const { formats::SaveChordfile(*this, path); }
    std::string StatisticsText() const { return formats::StatisticsText(*this); }

    bool LoadLanguage(const std::string& path) {
        if (!formats::LoadLanguage(Translations, path))
            return false;
        LanguageInUse = path;
        return true;
    }
    std::string Translate(std::string_view key) const {
        return formats::Translate(Translations, key);
    }
    bool ReadLanguageInfo(const std::string& path) {
        return formats::ReadLanguageInfo(BrowsedLanguageInfo, path);
    }
    std::string LanguageInfoField(std::string_view field) const {
        return formats::LanguageInfoField(BrowsedLanguageInfo, field, Translations);
    }
};

} // namespace strumvale

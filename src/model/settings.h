#pragma once

#include <cstdint>
#include <string>

namespace strumvale::model {

inline constexpr const char* kBuiltInLanguage = "English (Built-in)";
inline constexpr const char* kDefaultChordfileSetting = "Default";
inline constexpr std::int32_t kDefaultSongFontSize = 12;
// The A that tuner and ear tune to (the program's "A3"), in Hz, and how far
// a player may move it: from a baroque A to well above the sharpest orchestra.
inline constexpr std::int32_t kDefaultReferencePitch = 440;
inline constexpr std::int32_t kLowestReferencePitch = 415;
// The main window's sizes, in per cent of the size its layout was drawn for.
inline constexpr std::int32_t kWindowSizes[] = {100, 125, 150, 200};
inline constexpr std::int32_t kHighestReferencePitch = 466;

// A colour as the settings keep it: red in the low byte, then green, then blue.
constexpr std::uint32_t rgbColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
    return (static_cast<std::uint32_t>(red) & 0xFF) |
           ((static_cast<std::uint32_t>(green) & 0xFF) << 8) |
           ((static_cast<std::uint32_t>(blue) & 0xFF) << 16);
}

// The program's settings. Values are kept as stored; the parts that use them
// bring them into range.
struct Settings {
    std::int32_t Clrdots1 = 92, Clrdots2 = 128, Clrdots3 = 224;
    std::int32_t Clrintervaltext1 = 0, Clrintervaltext2 = 251, Clrintervaltext3 = 0;
    std::int32_t Clrnotetext1 = 232, Clrnotetext2 = 182, Clrnotetext3 = 114;
    // Where the settings file is written at exit; never stored in it.
    std::string ProgramDirectory;
    std::string Startupchordfile = kDefaultChordfileSetting;
    std::string Language = kBuiltInLanguage;
    std::int32_t Midioutdevice = 0;
    std::int32_t Midiindevice = 0;
    std::int32_t Instrument = 0; // position in the instrument list, not a program number
    std::int32_t Midichannel = 0;
    std::int32_t Chordspeed = 200;
    std::int32_t Chorddecay = 500;
    std::int32_t Volume = 127;
    bool Lefthanded = false;
    bool Upsidedownneck = false;
    bool Displaynotesforallfrets = false;
    bool Changechordtotuning = true;
    bool Whitebackgroundcolor = false;
    bool SettingsChanged = false; // not stored in the file
    bool Playchordsonchange = false;
    // Stored after every other key, and only when on, so that a file with
    // the defaults keeps its exact text.
    bool Playnoteswhileediting = false;
    // The song window's lyrics, in points; stored after the key above, and
    // only when not the default.
    std::int32_t Songfontsize = kDefaultSongFontSize;
    // Stored after the keys above, and only when not the default.
    std::int32_t Referencepitch = kDefaultReferencePitch;
    // The metronome's clicks (percussion rows), its volume in per cent, the
    // count-in bars before playing, subdivisions, the practice window's
    // tempo (beats a minute) and the drill's length in seconds; each stored
    // after the keys above, and only when not the default.
    std::int32_t Clickaccent = 41; // High Wood Block
    std::int32_t Clickbeat = 42;   // Low Wood Block
    std::int32_t Clickvolume = 100;
    std::int32_t Countinbars = 0;
    bool Clicksubdivision = false;
    std::int32_t Practicetempo = 80;
    std::int32_t Drillseconds = 60;
    // The windows' size in per cent, from the next start; stored after the
    // keys above, and only when not 100.
    std::int32_t Windowsize = 100;

    // Every field to its default; the program directory becomes the current one.
    void SetDefaults();

    // The reference pitch in force, kept within its range whatever a file held.
    double referencePitch() const {
        return Referencepitch < kLowestReferencePitch    ? kLowestReferencePitch
               : Referencepitch > kHighestReferencePitch ? kHighestReferencePitch
                                                         : Referencepitch;
    }

    // The size in force: one of kWindowSizes, 100 for anything else a file held.
    std::int32_t windowSize() const {
        for (std::int32_t size : kWindowSizes)
            if (Windowsize == size)
                return size;
        return 100;
    }

    std::uint32_t dotsColor() const { return rgbColor(Clrdots1, Clrdots2, Clrdots3); }
    std::uint32_t intervalTextColor() const {
        return rgbColor(Clrintervaltext1, Clrintervaltext2, Clrintervaltext3);
    }
    std::uint32_t noteTextColor() const {
        return rgbColor(Clrnotetext1, Clrnotetext2, Clrnotetext3);
    }
};

} // namespace strumvale::model

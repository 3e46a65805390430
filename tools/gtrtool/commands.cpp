#include "command.h"

namespace gtrtool {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"pack", "SOURCE TARGET", "store SOURCE's bytes as the one entry of the archive TARGET",
         runPack},
        {"unpack", "FILE", "write the bytes of FILE's first entry to standard output", runUnpack},
        {"info", "FILE", "print the chordfile's author, homepage, information and statistics",
         runInfo},
        {"chords", "FILE [--key KEY | --search TEXT]",
         "print root note, name and tab of the chords (of KEY, or found by TEXT)", runChords},
        {"scales", "FILE", "print name, intervals, notes and description of every scale",
         runScales},
        {"tunings", "FILE", "print name and notes of every tuning", runTunings},
        {"patterns", "FILE", "print name, tempo, instruments, volumes and grid of every pattern",
         runPatterns},
        {"resave", "FILE OUT", "read the chordfile FILE and save it as OUT", runResave},
        {"translate", "LANGUAGE KEY...",
         "print the text of every KEY in LANGUAGE (a .lng file or \"English (Built-in)\")",
         runTranslate},
        {"devices", "", "list the MIDI output devices (out N: NAME), then the input devices",
         runDevices},
        {"strum",
         "FILE NAME [--tuning TUNING] [--device N] [--channel C] [--instrument POS] "
         "[--volume V] [--speed MS] [--decay MS]",
         "strum the chord NAME on MIDI output device N and wait until it has sounded; with "
         "--tuning (a tuning of FILE, or six notes such as D1,A1,D2,G2,B2,E3) the chord is "
         "moved to that tuning's strings, as the window plays it",
         runStrum},
        {"drum", "FILE NAME [--device N] [--loops K]",
         "play the drum pattern NAME K times on MIDI output device N", runDrum},
        {"name", "TAB [--tuning NOTES]",
         "print the names of the chord the fingering TAB sounds, best first", runName},
        {"voicings", "NAME [--tuning NOTES] [--limit K] [--max-fret N]",
         "print fingerings of the chord NAME, best first (defaults: 20, fret 12)", runVoicings},
        {"song", "FILE [--song N] [--transpose N] [--capo N] [--format text|chordpro]",
         "print song N of the ChordPro FILE as a chord sheet in plain text (chords above the "
         "words they stand over), or written back as ChordPro; moved by N semitones, or "
         "shown in the shapes for a capo at fret N",
         runSong},
        {"sheet", "FILE OUT.pdf [--chordfile GTR]",
         "print the sheet of a chordfile (.gtr) or a playlist song (.cho, .chopro) to a PDF "
         "file; a song's chords without a define are looked up in GTR",
         runSheet},
        {"pitch", "FILE.wav [--a4 HZ]",
         "print the frequency, note and cents of the note the recording holds "
         "(FREQ<TAB>NOTE<TAB>CENTS), with A4 at HZ (415 to 466, 440 by default); exit 1 "
         "when it holds none",
         runPitch},
        {"hear", "FILE.wav [--expect TAB] [--tuning NOTES] [--a4 HZ]",
         "print the chord names of the strum the recording holds, best first, then "
         "notes<TAB> and the notes heard; with --expect, right or wrong, then each string's "
         "STRING<TAB>NOTE<TAB>FINDING, string 6 first (in NOTES, standard tuning by default, "
         "A4 at HZ, 440 by default); exit 1 when it holds no strum",
         runHear},
        {"practice-log", "[FILE]",
         "print the chord-change drill's results (the user's log unless FILE is given), one "
         "a line: DATE<TAB>CHORDS<TAB>CHANGES A MINUTE<TAB>TEMPO (0 without the metronome); "
         "exit 1 when the log is missing or records in it are damaged",
         runPracticeLog},
    };
    return all;
}

} // namespace gtrtool

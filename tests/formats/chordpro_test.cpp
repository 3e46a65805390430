#include "formats/chordpro.h"
#include "platform/file_error.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

using namespace strumvale;
using namespace strumvale::formats;
using model::Chord;
using model::Playlist;
using test::TempDir;

namespace {

const std::string kZw = "\xE2\x80\x8B"; // U+200B as UTF-8

Playlist playlistOf(const std::vector<Chord>& entries, std::string lyrics = {}) {
    Playlist playlist;
    for (const Chord& entry : entries)
        EXPECT_TRUE(playlist.append(entry));
    playlist.Lyrics = std::move(lyrics);
    return playlist;
}

// A lookup that knows the given chords by their exact names, as the window's is.
ChordLookup lookupIn(std::span<const Chord> chords) {
    return [chords](const std::string& name) -> std::optional<Chord> {
        for (const Chord& chord : chords) {
            if (chord.Name == name)
                return chord;
        }
        return std::nullopt;
    };
}

Playlist read(std::string_view bytes, std::span<const Chord> library = {}) {
    return readChordPro(bytes, ChordProSources{lookupIn(library)});
}

// Entries as "name=tab", separators as "|".
std::vector<std::string> chordsOf(const Playlist& playlist) {
    std::vector<std::string> chords;
    for (const Chord& entry : playlist.entries())
        chords.push_back(Playlist::isSeparator(entry) ? "|" : entry.Name + "=" + entry.Tab);
    return chords;
}

std::vector<std::string> namesOf(const Playlist& playlist) {
    std::vector<std::string> names;
    for (const Chord& entry : playlist.entries())
        names.push_back(Playlist::isSeparator(entry) ? "|" : entry.Name);
    return names;
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string utf16(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A playlist with a separator first, in a run and last, a chord met twice, two
// chords sharing a name, and lyrics that other programs would read as markup.
Playlist mixedPlaylist() {
    return playlistOf({Playlist::separator(), Chord("C", "C", "x 3 2 0 1 0"),
                       Chord("A", "A [barre]", "5 7 7 6 5 5"), Playlist::separator(),
                       Playlist::separator(), Chord("E", "E - Drop D", "0 7 9 9 0 0"),
                       Chord("C", "C", "x 3 2 0 1 0"), Chord("C", "C", "x 15 14 12 13 12"),
                       Chord("G", "G/B & D", "x 2 0 0 3 3"), Playlist::separator()},
                      "#1 hit\n  {not a directive}\nends in \\\n\nCaf\xE9");
}

} // namespace

TEST(ChordProWriter, WritesEntriesDefinesSectionsAndEscapedLyrics) {
    const std::string separator = "# strumvale-entry: SEPARATOR |  | %7C %7C %7C %7C %7C %7C\n";
    EXPECT_EQ(writeChordPro(mixedPlaylist(), "Set list"),
              "{title: Set list}\n"
              "# strumvale-playlist: 1\n" +
                  separator +
                  "# strumvale-entry: C | C | x 3 2 0 1 0\n"
                  "# strumvale-entry: A [barre] | A | 5 7 7 6 5 5\n" +
                  separator + separator +
                  "# strumvale-entry: E - Drop D | E | 0 7 9 9 0 0\n"
                  "# strumvale-entry: C | C | x 3 2 0 1 0\n"
                  "# strumvale-entry: C | C | x 15 14 12 13 12\n"
                  "# strumvale-entry: G/B & D | G | x 2 0 0 3 3\n" +
                  separator +
                  "{define: C base-fret 1 frets x 3 2 0 1 0}\n"
                  "{define: A__barre_ base-fret 5 frets 1 3 3 2 1 1}\n"
                  "{define: E_-_Drop_D base-fret 7 frets 0 1 3 3 0 0}\n"
                  "{define: C_2 base-fret 12 frets x 4 3 1 2 1}\n"
                  "{define: G/B___D base-fret 1 frets x 2 0 0 3 3}\n"
                  "\n"
                  "[C] [A__barre_]\n"
                  "\n"
                  "[E_-_Drop_D] [C] [C_2] [G/B___D]\n"
                  "\n"
                  "# strumvale-lyrics: 5\n" +
                  kZw + "#1 hit\n  \xEF\xBD\x9Bnot a directive\xEF\xBD\x9D\nends in \\" + kZw +
                  "\n\nCaf\xC3\xA9\n");

    // Braces in a title would end its directive early.
    EXPECT_TRUE(writeChordPro(Playlist(), "a {b}").starts_with("{title: a (b)}\n"));
}

TEST(ChordPro, OwnFilesReadBackExactly) {
    std::vector<Playlist> playlists = {
        mixedPlaylist(),
        playlistOf({Playlist::separator(), Playlist::separator(), Chord("D", "D", "x x 0 2 3 2"),
                    Playlist::separator(), Playlist::separator(), Playlist::separator(),
                    Chord("D", "D", "x x 0 2 3 2"), Playlist::separator(), Playlist::separator()}),
        playlistOf({Chord("C", "C\xE9 \x80 \x96 \x81", "x 3 2 0 1 0"),
                    Chord("", " |50%| ", "not a tab"), Chord("B", "Bm7 - Open G", "x x x x x x"),
                    Chord("A", "", "")},
                   "\xC4rger \x93quoted\x94 \x80\n\n  # indented\n{soc}\n\\\n#\\\n"
                   "# strumvale-playlist: 1\n# strumvale-lyrics: 0\nCR LF\r\nlone\rCR\f\r\n\t\n"
                   "[Am] chords? {c: no} ] [ } {"),
        playlistOf({}, ""),
        playlistOf({}, "\n"),
    };
    Playlist full;
    for (int i = 0; !full.full(); ++i)
        full.append(i % 3 == 2 ? Playlist::separator()
                               : Chord("E", "E", i % 2 ? "0 2 2 1 0 0" : "12 x 14 x x 0"));
    playlists.push_back(full);

    for (const Playlist& playlist : playlists) {
        const std::string text = writeChordPro(playlist, "t");
        for (const std::string& form :
             {text, replaced(text, "\n", "\r\n"), "\xEF\xBB\xBF" + text}) {
            EXPECT_EQ(read(form), playlist) << form;
        }
    }

    // An editor that trims the spaces at line ends loses nothing.
    std::string trimmed;
    for (const std::string_view line : {"# strumvale-playlist: 1", "# strumvale-entry: A |  | ",
                                        "# strumvale-entry: %20 | A |  ", "# strumvale-lyrics: 0"})
        trimmed += std::string(line.substr(0, line.find_last_not_of(' ') + 1)) + "\n";
    EXPECT_EQ(read(trimmed).entries(),
              (std::vector<Chord>{Chord("", "A", ""), Chord("A", " ", "")}));

    // Control characters that no text file holds become spaces rather than
    // making the saved file unreadable.
    const Playlist pasted = playlistOf({}, "pasted\x0B"
                                           "break\x1B");
    EXPECT_EQ(read(writeChordPro(pasted, "t")).Lyrics, "pasted break ");

    TempDir dir;
    const std::string path = dir.file("Sunday set.chordpro");
    savePlaylist(mixedPlaylist(), path);
    savePlaylist(playlists[2], path);
    EXPECT_TRUE(fileBytes(path).starts_with("{title: Sunday set}\n"));
    const Playlist loaded = loadPlaylist(path, {});
    EXPECT_EQ(loaded.entries(), playlists[2].entries());
    EXPECT_EQ(loaded.Lyrics, playlists[2].Lyrics);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Sunday set.chordpro"});
}

TEST(ChordPro, EntriesKeepTheTuningTheyWereMadeIn) {
    Playlist playlist;
    playlist.append(Chord("G", "G", "3 2 0 0 0 3"));
    playlist.append(Chord("G", "G - Drop D", "5 2 0 0 0 3"), "D1,A1,D2,G2,B2,E3");
    playlist.append(Playlist::separator(), "D1,A1,D2,G2,B2,E3");
    // A hand-written tuning may hold anything the entry line uses itself.
    playlist.append(Chord("E", "E - odd", "0 2 2 1 0 0"), "E1,A1|,D2, G2,%,E3 ");
    const std::string text = writeChordPro(playlist, "Tunings");
    EXPECT_NE(text.find("# strumvale-entry: G | G | 3 2 0 0 0 3\n"), std::string::npos)
        << "a standard entry is written as before: " << text;
    EXPECT_NE(text.find("# strumvale-entry: G - Drop D | G | 5 2 0 0 0 3 | D1,A1,D2,G2,B2,E3\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("# strumvale-entry: SEPARATOR |  | %7C %7C %7C %7C %7C %7C\n"),
              std::string::npos)
        << "a separator has no tuning: " << text;
    const Playlist back = read(text);
    EXPECT_EQ(back, playlist);
    EXPECT_EQ(back.tuningNotes(1), "D1,A1,D2,G2,B2,E3");
    EXPECT_EQ(back.tuningNotes(3), "E1,A1|,D2, G2,%,E3 ");

    // A file from before entries had tunings plays them in standard tuning.
    const Playlist older = read("# strumvale-playlist: 1\n"
                                "# strumvale-entry: G - Drop D | G | 5 2 0 0 0 3\n"
                                "# strumvale-lyrics: 0\n");
    EXPECT_EQ(older.tuningNotes(0), "E1,A1,D2,G2,B2,E3");

    // More fields than that are no entry of ours.
    try {
        read("# strumvale-playlist: 1\n# strumvale-entry: G | G | 3 2 0 0 0 3 | a | b\n");
        ADD_FAILURE() << "five fields were read";
    } catch (const ChordProError& error) {
        EXPECT_EQ(error.kind(), ChordProError::Kind::BadLine);
        EXPECT_EQ(error.line(), 2);
    }
}

TEST(ChordProReader, ShortAndLongDirectivesEndSectionsAlike) {
    const std::string song = "{t: Road song}\n{st: Someone}\n# [Bb] is no chord here\n"
                             "[C]Hel[G]lo\n[Am] [F]\n"
                             "{sov}\n[D]Two\n{eov}\n{soc}\n[E]Three\n{eoc}\n{chorus}\n[A]Four\n"
                             "{c: Bridge}\n[B]Five\n{ci: soft}\n[Bm]Six\n{cb: loud}\n[C7]Seven\n"
                             "{highlight: x}\n[Cm]Eight\n{sob}\n[Dm]Nine\n{eob}\n"
                             "{sot}\n[G7] e|-3-|\n{eot}\n[Em]Ten\n{sog}\n| [Z] . . |\n{eog}\n"
                             "[F7]Eleven [*riff]\n{ns}\n[Gm]Twelve\n";
    std::string longForms = song;
    for (auto [shortForm, longForm] : std::initializer_list<std::pair<const char*, const char*>>{
             {"{t:", "{title:"},
             {"{st:", "{subtitle:"},
             {"{sov}", "{start_of_verse: Verse 2}"},
             {"{eov}", "{end_of_verse}"},
             {"{soc}", "{start_of_chorus: label=\"Chorus\"}"},
             {"{eoc}", "{end_of_chorus}"},
             {"{c:", "{comment:"},
             {"{ci:", "{comment_italic:"},
             {"{cb:", "{comment_box:"},
             {"{sob}", "{start_of_bridge}"},
             {"{eob}", "{end_of_bridge}"},
             {"{sot}", "{start_of_tab: Solo}"},
             {"{eot}", "{end_of_tab}"},
             {"{sog}", "{start_of_grid: 4x4}"},
             {"{eog}", "{end_of_grid}"},
             {"{ns}", "{new_song}"}})
        longForms = replaced(longForms, shortForm, longForm);
    ASSERT_EQ(longForms.find("{eoc}"), std::string::npos);

    const std::vector<std::string> expected = {"C", "G",  "Am", "F",  "|",  "D",  "|",  "E", "|",
                                               "A", "|",  "B",  "|",  "Bm", "|",  "C7", "|", "Cm",
                                               "|", "Dm", "|",  "Em", "|",  "F7", "|",  "Gm"};
    EXPECT_EQ(namesOf(read(song)), expected);
    EXPECT_EQ(namesOf(read(longForms)), expected);
    EXPECT_EQ(read(song).Lyrics, read(longForms).Lyrics);

    // Several boundaries in a row give one separator, and none leads or trails.
    EXPECT_EQ(namesOf(read("\n{soc}\n\n[C]x\n\n{eoc}\n{c: x}\n{sot}\n{eot}\n\n[D]y\n\n{sov}\n")),
              (std::vector<std::string>{"C", "|", "D"}));
    EXPECT_EQ(namesOf(read("{title: none}\nJust words\n")), std::vector<std::string>{});

    // A section for another instrument is left out whole; old Mac line ends
    // are line ends.
    const Playlist mac = read("[C]One\r{start_of_chorus-ukulele}\r[Q]Uke\r{end_of_chorus-ukulele}"
                              "\r[D]Two\r");
    EXPECT_EQ(namesOf(mac), (std::vector<std::string>{"C", "|", "D"}));
    EXPECT_EQ(mac.Lyrics, "One\nTwo");
}

TEST(ChordProReader, ChordsComeFromDefinesThenTheLookupThenAreMuted) {
    // The lookup is asked in the bytes records hold, and only for what the
    // song leaves undefined.
    std::vector<std::string> asked;
    const ChordLookup lookup = [&](const std::string& name) -> std::optional<Chord> {
        asked.push_back(name);
        if (name == "Am\xE4")
            return Chord("A", name, "x 0 2 2 1 0");
        return std::nullopt;
    };
    const Playlist playlist =
        readChordPro("{define: G base-fret 1 frets 3 2 0 0 0 3}\n[G]a [Am\xC3\xA4]b [Q7]c\n",
                     ChordProSources{lookup});
    EXPECT_EQ(chordsOf(playlist),
              (std::vector<std::string>{"G=3 2 0 0 0 3", "Am\xE4=x 0 2 2 1 0", "Q7=x x x x x x"}));
    EXPECT_EQ(asked, (std::vector<std::string>{"Am\xE4", "Q7"}));
    // Without a lookup an undefined chord is muted too.
    EXPECT_EQ(chordsOf(readChordPro("[C]x\n", {})), std::vector<std::string>{"C=x x x x x x"});
}

TEST(ChordProReader, StopsAtTheCapacityWithoutATrailingSeparator) {
    std::string oneEach, twoEach, oneSection;
    for (int n = 1; n <= 15; ++n)
        oneEach += "[N" + std::to_string(n) + "]\n\n";
    for (int n = 1; n <= 10; ++n)
        twoEach += "[a" + std::to_string(n) + "] [b" + std::to_string(n) + "]\n{c: x}\n";
    for (int n = 1; n <= 27; ++n)
        oneSection += "[N" + std::to_string(n) + "]";
    oneSection += "\n\n[more]\n";

    const Playlist fullAtLast = read(oneEach);
    ASSERT_EQ(fullAtLast.count(), Playlist::kCapacity);
    EXPECT_EQ(fullAtLast.entries().back().Name, "N14");

    // Room for one more chord but not for the separator before it.
    const Playlist stopped = read(twoEach);
    ASSERT_EQ(stopped.count(), 26);
    EXPECT_EQ(stopped.entries().back().Name, "b9");

    const Playlist oneRun = read(oneSection);
    ASSERT_EQ(oneRun.count(), Playlist::kCapacity);
    EXPECT_EQ(oneRun.entries().back().Name, "N27");
}

TEST(ChordProReader, LyricsKeepVersesWithoutChordsDirectivesOrComments) {
    const Playlist playlist = read("{title: x}\n\n  \n[C]Twin[G]kle, twinkle\n[Am]  [F]\n"
                                   "little star \\\n   how I wonder\n\n# a comment\n\n\n"
                                   "{c: Chorus}\n[*Riff]Up a[C]bove\n{sot}\nnot [X] lyrics\n{eot}\n"
                                   "\n[G]so \\\n  [D]high\n{soc}\n{eoc}\n\n");
    EXPECT_EQ(playlist.Lyrics, "Twinkle, twinkle\nlittle star how I wonder\n\nUp above\n\nso high");
    EXPECT_EQ(namesOf(playlist),
              (std::vector<std::string>{"C", "G", "Am", "F", "|", "C", "|", "G", "D"}));
    EXPECT_EQ(read("[C]\n[G]\n").Lyrics, "");
}

TEST(ChordProReader, ReadsEveryEncodingAndLineEnd) {
    const std::string utf8 = "{title: Caf\xC3\xA9}\n[C]Caf\xC3\xA9 \xE2\x82\xAC"
                             "5 \xE2\x80\x93 ok \xE2\x86\x92\n[Am]\xC3\xBC\n";
    const std::u16string text = u"{title: Caf\u00E9}\n[C]Caf\u00E9 \u20AC5 \u2013 ok \u2192\n"
                                u"[Am]\u00FC\n";
    for (const std::string& form : {utf8, "\xEF\xBB\xBF" + utf8, replaced(utf8, "\n", "\r\n"),
                                    utf16(text, false), utf16(text, true),
                                    std::string("{title: Caf\xE9}\r\n[C]Caf\xE9 \x80"
                                                "5 \x96 ok ?\r\n[Am]\xFC")}) {
        const Playlist playlist = read(form);
        EXPECT_EQ(namesOf(playlist), (std::vector<std::string>{"C", "Am"})) << form;
        EXPECT_EQ(playlist.Lyrics, "Caf\xE9 \x80"
                                   "5 \x96 ok ?\n\xFC")
            << form;
    }
}

TEST(ChordProReader, AWindows1252TextThatLooksLikeOverlongUtf8IsReadAsWindows1252) {
    // "l\xE0\x93\x94" is "là“”"; as UTF-8 it would be an overlong form,
    // which no UTF-8 writer makes, and would turn into question marks.
    EXPECT_EQ(read("[C]l\xE0\x93\x94 ok\n").Lyrics, "l\xE0\x93\x94 ok");
    EXPECT_EQ(read("[C]\xED\xA0\x80\n").Lyrics, "\xED\xA0\x80") << "a surrogate is no UTF-8 either";
}

TEST(ChordProReader, BadFilesAreRefusedWithTheirKindAndLine) {
    using Kind = ChordProError::Kind;
    const std::string own = "{title: t}\n# strumvale-playlist: 1\n";
    std::string tooMany = own;
    for (int i = 0; i <= Playlist::kCapacity; ++i)
        tooMany += "# strumvale-entry: C | C | x 3 2 0 1 0\n";
    const struct {
        std::string bytes;
        Kind kind;
        int line;
    } cases[] = {
        {std::string("[C]a\0b\n", 7), Kind::NotText, 0},
        {"[C]a\x01\n", Kind::NotText, 0},
        {"\xFF\xFE\x41", Kind::NotText, 0},
        {utf16(std::u16string(u"a\0b", 3), false), Kind::NotText, 0},
        {std::string(kMaxChordProBytes + 1, 'a'), Kind::TooLarge, 0},
        {"{title: x}\n{c: open\n", Kind::BadLine, 2},
        {"{title: x}\r\n\r\n{soc\r\n", Kind::BadLine, 3},
        {"joined \\\nline\n{t: x\n", Kind::BadLine, 3},
        {"{define: G base-fret 0 frets 3 2 0 0 0 3}", Kind::BadLine, 1},
        {"\n{define: G base-fret x frets 3 2 0 0 0 3}", Kind::BadLine, 2},
        {"{define: G base-fret 1 frets 3 2 0 0 0}", Kind::BadLine, 1},
        {"{define: G base-fret 1 frets 3 2 0 0 0 3.5}", Kind::BadLine, 1},
        {"{define: G base-fret 1 frets 3 2 0 0 0 q}", Kind::BadLine, 1},
        {"{define: G 1 3 2 0}", Kind::BadLine, 1},
        {own + "# strumvale-entry: C | C\n", Kind::BadLine, 3},
        {own + "# strumvale-entry: C%G1 | C | x\n", Kind::BadLine, 3},
        {own + "# strumvale-entry: C | C | x%4\n", Kind::BadLine, 3},
        {own + "# strumvale-lyrics: 3\nonly one\n", Kind::BadLine, 3},
        {own + "# strumvale-lyrics: -1\n", Kind::BadLine, 3},
        {tooMany, Kind::BadLine, 3 + Playlist::kCapacity},
    };
    for (const auto& bad : cases) {
        try {
            read(bad.bytes);
            ADD_FAILURE() << "read: " << bad.bytes.substr(0, 80);
        } catch (const ChordProError& error) {
            EXPECT_EQ(error.kind(), bad.kind) << bad.bytes.substr(0, 80);
            EXPECT_EQ(error.line(), bad.line) << bad.bytes.substr(0, 80);
        }
    }
    EXPECT_EQ(read(std::string(kMaxChordProBytes, 'a')).Lyrics.size(), kMaxChordProBytes);
}

TEST(ChordProReader, AChordDefinedPastTheLastFretIsRefusedWhereItIsDefined) {
    // A published high voicing: frets 10 to 14 of the neck, which shows 12.
    for (const char* define :
         {"{define: A/C# base-fret 10 frets x 1 3 3 5 x}",
          "{chord: A/C# base-fret 10 frets x 1 3 3 5 x}", "{define: A/C# 10 x 1 3 3 5 x}"}) {
        try {
            read(std::string("{title: High}\n") + define + "\n[A/C#]high\n");
            ADD_FAILURE() << define << " was read";
        } catch (const ChordProError& error) {
            EXPECT_EQ(error.kind(), ChordProError::Kind::BeyondTheNeck) << define;
            EXPECT_EQ(error.line(), 2);
            EXPECT_STREQ(error.what(),
                         "line 2: this chord reaches fret 14, beyond the 12 the neck shows");
        }
    }
    // Up to the last fret it is a chord like any other.
    const Playlist top = read("{define: E base-fret 9 frets 4 x 4 x x 4}\n[E]top\n");
    ASSERT_EQ(top.count(), 1);
    EXPECT_EQ(top.entries()[0].Tab, "12 x 12 x x 12");
}

TEST(ChordProFiles, FailedLoadsAndSavesChangeNothingOnDisk) {
    TempDir dir;
    const std::string bad = dir.file("bad.cho");
    const std::string badBytes = "{title: x}\n[C]x\n{define: C base-fret 1 frets 1 2}\n";
    std::ofstream(bad, std::ios::binary) << badBytes;

    try {
        loadPlaylist(bad, {});
        ADD_FAILURE() << "a bad file loaded";
    } catch (const ChordProError& error) {
        EXPECT_EQ(error.kind(), ChordProError::Kind::BadLine);
        EXPECT_EQ(error.line(), 3);
    }
    EXPECT_EQ(fileBytes(bad), badBytes);
    EXPECT_THROW(loadPlaylist(dir.file("missing.cho"), {}), platform::FileError);
    EXPECT_THROW(savePlaylist(mixedPlaylist(), dir.file("no folder/set.cho")), platform::FileError);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"bad.cho"});

    const std::string large = dir.file("large.cho");
    std::ofstream(large, std::ios::binary) << std::string(kMaxChordProBytes + 1, 'a');
    try {
        loadPlaylist(large, {});
        ADD_FAILURE() << "a large file loaded";
    } catch (const ChordProError& error) {
        EXPECT_EQ(error.kind(), ChordProError::Kind::TooLarge);
    }
}

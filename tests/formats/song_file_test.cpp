#include "formats/song_file.h"
#include "formats/song_sheet_text.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

using namespace strumvale;
using formats::readSongs;
using formats::writeSong;
using model::SongLine;

namespace {

// A sheet as songbook sites write it: short and long directives, a chorus
// recalled, a bridge, comments, a tab block, a define, a directive for
// another instrument, one nobody knows, and a remark.
const char* const kVarvisa = "\xEF\xBB\xBF{t:Vårvisa}\r\n"
                             "{artist: Trad.}\r\n"
                             "{key: G}\r\n"
                             "{capo: 2}\r\n"
                             "{tempo: 96}\r\n"
                             "{time: 3/4}\r\n"
                             "{meta: arranger Åsa Öberg}\r\n"
                             "# transcribed by ear\r\n"
                             "\r\n"
                             "{start_of_verse: Vers 1}\r\n"
                             "[G]Vintern rasat [D7]ut bland våra [G]fjällar,\r\n"
                             "drivan [C]smälter [G/B]bort [Am]vid [D]bäckens [G]strand\r\n"
                             "{end_of_verse}\r\n"
                             "\r\n"
                             "{soc: Refräng}\r\n"
                             "[C]Łąka, řeka, [G]поле 🎸 [D]sjung!\r\n"
                             "[Em] [C] [D]\r\n"
                             "{eoc}\r\n"
                             "{c: Key change!}\r\n"
                             "{chorus}\r\n"
                             "{start_of_bridge}\r\n"
                             "[Bm]Bro[Em]ar och [A7sus4]allt\r\n"
                             "{end_of_bridge}\r\n"
                             "{start_of_tab}\r\n"
                             "e|--0--[x]--|\r\n"
                             "{end_of_tab}\r\n"
                             "{define: A7sus4 base-fret 1 frets x 0 2 0 3 0}\r\n"
                             "{start_of_verse-ukulele}\r\n"
                             "[F]Only for ukulele\r\n"
                             "{end_of_verse-ukulele}\r\n"
                             "{x_unknown_thing:  keep   me }\r\n"
                             "{chorus: Sista refrängen}\r\n";

std::vector<std::string> lyricTexts(const model::Song& song) {
    std::vector<std::string> texts;
    for (const auto& section : model::sheetOf(song)) {
        for (const SongLine* line : section.lines) {
            if (line->kind == SongLine::Kind::Lyrics)
                texts.push_back(formats::lyricLineText(*line));
        }
    }
    return texts;
}

} // namespace

TEST(SongFile, ASongFromASongbookKeepsItsMetadataSectionsAndChordPlaces) {
    const auto songs = readSongs(kVarvisa);
    ASSERT_EQ(songs.size(), 1u);
    const model::Song& song = songs[0];
    EXPECT_EQ(song.meta("title"), "Vårvisa");
    EXPECT_EQ(song.meta("artist"), "Trad.");
    EXPECT_EQ(song.meta("key"), "G");
    EXPECT_EQ(song.meta("capo"), "2");
    EXPECT_EQ(song.meta("tempo"), "96");
    EXPECT_EQ(song.meta("time"), "3/4");
    EXPECT_EQ(song.meta("arranger"), "Åsa Öberg");
    EXPECT_FALSE(song.meta("album"));

    const auto sheet = model::sheetOf(song);
    std::vector<std::string> kinds;
    for (const auto& section : sheet)
        kinds.push_back(section.kind + ":" + section.label + (section.recalled ? "*" : ""));
    // The ukulele's verse is no section of ours, and none of its lines shows.
    EXPECT_EQ(kinds, (std::vector<std::string>{":", "verse:Vers 1", ":", "chorus:Refräng", ":",
                                               "chorus:Refräng*", "bridge:", "tab:", ":",
                                               "chorus:Sista refrängen*"}));
    // The chords stand over the syllables they were written before, in UTF-8.
    const SongLine* first = sheet[1].lines[0];
    EXPECT_EQ(first->text, "Vintern rasat ut bland våra fjällar,");
    ASSERT_EQ(first->chords.size(), 3u);
    EXPECT_EQ(first->text.substr(first->chords[1].at, 2), "ut");
    EXPECT_EQ(first->text.substr(first->chords[2].at, 3), "fj\xC3");
    // Chords inside a word and a line of chords alone.
    EXPECT_EQ(lyricTexts(song)[6], "[Bm]Bro[Em]ar och [A7sus4]allt");
    EXPECT_EQ(sheet[3].lines[1]->text, "  ");
    // The chorus recalled twice plays three times; the ukulele verse is not ours.
    const auto chords = model::chordSequence(song);
    EXPECT_EQ(std::count(chords.begin(), chords.end(), "Em"), 4);
    EXPECT_EQ(chords.size(), 3u + 5u + 3 * 6u + 3u);
    EXPECT_EQ(std::count(chords.begin(), chords.end(), "F"), 0) << "the ukulele's verse";
    for (const auto& section : sheet) {
        for (const SongLine* line : section.lines)
            EXPECT_EQ(line->text.find("ukulele"), std::string::npos);
    }
}

TEST(SongFile, WritingBackChangesOnlyTheSpacingInsideDirectives) {
    const auto songs = readSongs(kVarvisa);
    const std::string written = writeSong(songs[0]);
    // Line by line against the original without its BOM and CRs.
    std::string expected = std::string(kVarvisa).substr(3);
    expected.erase(std::remove(expected.begin(), expected.end(), '\r'), expected.end());
    for (auto [from, to] : {std::pair<const char*, const char*>{"{t:Vårvisa}", "{t: Vårvisa}"},
                            {"{artist: Trad.}", "{artist: Trad.}"}}) {
        expected.replace(expected.find(from), std::string(from).size(), to);
    }
    EXPECT_EQ(written, expected);
    // What we wrote reads back as the same song.
    EXPECT_EQ(readSongs(written), songs);
}

TEST(SongFile, ASongbookKeepsEverySongAndBadFilesSayWhere) {
    const std::string book = "{title: One}\n[C]a\n{ns}\n{title: Two}\n[G]b\n{new_song}\n"
                             "{title: Three}\n";
    const auto songs = readSongs(book);
    ASSERT_EQ(songs.size(), 3u);
    EXPECT_EQ(songs[1].meta("title"), "Two");
    EXPECT_EQ(readSongs(formats::writeSongs(songs)), songs);
    EXPECT_EQ(readSongs("{ns}\n{title: Only}\n").size(), 1u);

    try {
        readSongs("{title: Fine}\n{comment: never closes\n[C]words\n");
        FAIL() << "a directive that does not end on its line";
    } catch (const formats::ChordProError& error) {
        EXPECT_EQ(error.line(), 2);
    }
    // Cut off in the middle of its last directive: everything before it stays.
    const auto cut = readSongs("{title: Cut}\n[Am]half a li");
    EXPECT_EQ(cut[0].meta("title"), "Cut");
    const auto cutDirective = readSongs("{title: Cut}\n[Am]words\n{comment: cut o");
    EXPECT_EQ(cutDirective[0].lines.size(), 3u);
    EXPECT_EQ(readSongs(formats::writeSongs(cutDirective)), cutDirective)
        << "written back as it was, and read again although a line end follows now";
    EXPECT_THROW(readSongs(std::string("\0\0binary", 8)), formats::ChordProError);
    // A file that says it is UTF-8 but is not, in one byte: that character
    // shows as the replacement mark, the rest as written, and it reads back.
    const auto broken = readSongs("\xEF\xBB\xBF{title: V\xC3\xA5r \xAC}\n[C]ja\n");
    EXPECT_EQ(broken[0].meta("title"), "V\xC3\xA5r \xEF\xBF\xBD");
    EXPECT_EQ(readSongs(formats::writeSongs(broken)), broken);
    EXPECT_EQ(readSongs("\xEF\xBB\xBF\xEF\xBB\xBF{title: Twice}\n")[0].meta("title"), "Twice");
    EXPECT_THROW(readSongs("{define: X base-fret 20 frets 1 1 1 1 1 1}\n"), formats::ChordProError);
}

TEST(SongFile, AThreeHundredLineSongRoundTrips) {
    std::string text = "{title: Long}\n";
    for (int i = 0; i < 300; ++i)
        text += (i % 10 == 0 ? "\n{c: part " + std::to_string(i / 10) + "}\n" : "") +
                std::string("[Am]line [F]number [C/G]") + std::to_string(i) + " [G]end\n";
    const auto songs = readSongs(text);
    EXPECT_EQ(writeSong(songs[0]), text);
    EXPECT_EQ(model::chordSequence(songs[0]).size(), 1200u);
}

TEST(SongSheetText, ChordsStandOverTheirCharactersAndCrowdedOnesJoinTheWordWithHyphens) {
    using formats::chordAndLyricRows;
    EXPECT_EQ(chordAndLyricRows(formats::lyricLineOf("Vin[D7]ter på [Em]fjäl[G]len")),
              (std::pair<std::string, std::string>{"   D7     Em  G", "Vinter på fjällen"}));
    EXPECT_EQ(chordAndLyricRows(formats::lyricLineOf("[Cmaj7]a[F]b")),
              (std::pair<std::string, std::string>{"Cmaj7 F", "a-----b"}));
    EXPECT_EQ(chordAndLyricRows(formats::lyricLineOf("[Cmaj7]a [F]b")),
              (std::pair<std::string, std::string>{"Cmaj7 F", "a     b"}));
    EXPECT_EQ(chordAndLyricRows(formats::lyricLineOf("[Em] [C] [D]")),
              (std::pair<std::string, std::string>{"Em C D", ""}));
}

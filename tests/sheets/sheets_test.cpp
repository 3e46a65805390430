#include "library/chord_library.h"
#include "sheets/sheets.h"
#include "support/pdf_text.h"
#include "support/temp_dir.h"

#include <QFile>
#include <QPdfWriter>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <utility>

namespace strumvale::test {
namespace {

QString english(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<int>(key.size()));
}

// Every word a PDF reader finds, with the edges of its box that tests look at.
struct Word {
    std::string text;
    double top;
    double right;
    double bottom;
};
// pdftotext -bbox writes <word xMin="…" yMin="…" xMax="…" yMax="…">text</word>.
double attribute(const std::string& tag, const char* name) {
    const std::size_t at = tag.find(std::string(name) + "=\"");
    return at == std::string::npos ? -1 : std::stod(tag.substr(at + std::strlen(name) + 2));
}
std::vector<Word> wordsOf(const std::string& path) {
    const std::string boxes = pdfWordBoxes(path);
    std::vector<Word> words;
    for (std::size_t at = boxes.find("<word "); at != std::string::npos;
         at = boxes.find("<word ", at + 1)) {
        const std::size_t close = boxes.find('>', at);
        const std::size_t end = boxes.find("</word>", close);
        if (close == std::string::npos || end == std::string::npos)
            break;
        const std::string tag = boxes.substr(at, close - at);
        words.push_back({boxes.substr(close + 1, end - close - 1), attribute(tag, "yMin"),
                         attribute(tag, "xMax"), attribute(tag, "yMax")});
    }
    return words;
}

// Where name stands as a whole word ("C1" is not found in "C12").
std::size_t wordAt(const std::string& text, const std::string& name) {
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const std::size_t after = at + name.size();
        if (after == text.size() || !std::isalnum(static_cast<unsigned char>(text[after])))
            return at;
    }
    return std::string::npos;
}

class SheetsTest : public ::testing::Test {
protected:
    std::string pdf(const std::string& name) const { return dir.file(name); }

    template <typename Print> bool printTo(const std::string& path, Print print) {
        QPdfWriter writer(QString::fromStdString(path));
        return print(writer);
    }

    TempDir dir;
};

TEST_F(SheetsTest, AChordfileSheetHoldsItsTitleChordsByKeyAndScalesOnNumberedPages) {
    ChordLibrary library;
    library.FileName = "/songs/Campfire Songs.gtr";
    library.Author = "Ann Author";
    library.Homepage = "example.org/campfire";
    library.Info = "Chords for the fire.\r\nSecond line.";
    const char* keys[] = {"C", "D", "E", "F", "G", "A", "B"};
    // Listed in the library out of key order; the sheet groups them by key.
    for (int i = 0; i < 70; ++i) {
        const char* key = keys[(i * 3) % 7];
        library.Chords.Add(
            model::Chord(key, std::string(key) + "shape" + std::to_string(i), "x 3 2 0 1 0"));
    }
    model::Scale blues;
    blues.Name = "Blues";
    blues.setIntervals("1 b3 4 b5 5 b7");
    blues.setNotes("C D# F F# G A#");
    blues.Description = "Minor pentatonic plus one;Blues and rock.";
    library.Scales.Add(blues);

    ASSERT_TRUE(printTo(pdf("book.pdf"), [&](QPdfWriter& writer) {
        return sheets::printChordfileSheet(writer, library, english);
    }));
    const std::string text = pdfText(pdf("book.pdf"));
    for (const char* expected :
         {"Campfire Songs", "Author: Ann Author", "Homepage: example.org/campfire",
          "Chords for the fire.", "Second line.", "Key C", "Key B", "Scales", "Blues",
          "Intervals: 1,b3,4,b5,5,b7", "Notes: C,D#,F,F#,G,A#",
          "Description: Minor pentatonic plus one", "Blues and rock."})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;

    // Every chord is there: the C's before the D's and so on, each key's in
    // library order, the scales last.
    std::vector<std::size_t> at;
    for (const char* key : keys) {
        for (int i = 0; i < 70; ++i) {
            if (keys[(i * 3) % 7] != key)
                continue;
            const std::size_t found = wordAt(text, std::string(key) + "shape" + std::to_string(i));
            ASSERT_NE(found, std::string::npos) << key << i;
            at.push_back(found);
        }
    }
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    EXPECT_LT(text.find("Key C"), text.find("Key D"));
    EXPECT_LT(text.find("Key A"), text.find("Key B"));
    EXPECT_LT(text.find("Key B"), text.find("Blues"));

    // Seventy diagrams need several pages, each numbered out of all of them.
    const int pages = pdfPageCount(pdf("book.pdf"));
    EXPECT_GE(pages, 3);
    const std::string unspaced = withoutBlanks(text);
    for (int page = 1; page <= pages; ++page) {
        const std::string footer = std::to_string(page) + "/" + std::to_string(pages);
        EXPECT_NE(unspaced.find(footer), std::string::npos) << footer;
    }
}

TEST_F(SheetsTest, APlaylistSheetWrapsItsStaffAndShowsDiagramsAndLyrics) {
    model::Playlist playlist;
    playlist.append(model::Playlist::separator());
    for (int i = 0; i < 23; ++i) {
        playlist.append(model::Chord("G", "Gmaj7sus" + std::to_string(i), "3 x 0 2 0 2"));
        if (i == 11)
            playlist.append(model::Playlist::separator());
    }
    playlist.append(model::Chord("C", "C - Drop D (D-A-D-G-B-E)", "x 3 2 0 1 0"));
    playlist.append(model::Chord("C", "C - Drop D (D-A-D-G-B-E)", "x 3 2 0 1 0"));
    ASSERT_EQ(playlist.count(), model::Playlist::kCapacity);
    playlist.Lyrics = "First verse line\n\nSecond verse line";

    ASSERT_TRUE(printTo(pdf("song.pdf"), [&](QPdfWriter& writer) {
        return sheets::printPlaylistSheet(writer, playlist, "Long Song", english);
    }));
    const std::vector<Word> words = wordsOf(pdf("song.pdf"));
    ASSERT_FALSE(words.empty());
    auto first = [&](const std::string& text) {
        return std::find_if(words.begin(), words.end(),
                            [&](const Word& word) { return word.text == text; });
    };
    // All 27 columns are printed: none is cut off at the edge of the paper,
    // and the staff goes on below instead.
    const double pageWidth = 595.3; // A4 in points
    for (int i = 0; i < 23; ++i) {
        const auto name = first("Gmaj7sus" + std::to_string(i));
        ASSERT_NE(name, words.end()) << i;
        EXPECT_LT(name->right, pageWidth);
    }
    EXPECT_GT(first("Gmaj7sus22")->top, first("Gmaj7sus0")->top + 30)
        << "the later columns are on a staff further down";
    // Separators are bar lines, not text; the chord handed over from another
    // tuning keeps its whole name.
    EXPECT_EQ(first("|"), words.end());
    const std::string text = pdfText(pdf("song.pdf"));
    EXPECT_NE(text.find("C - Drop D (D-A-D-G-B-E)"), std::string::npos);
    EXPECT_NE(text.find("Long Song"), std::string::npos);
    EXPECT_NE(text.find("Chords"), std::string::npos);
    EXPECT_NE(text.find("First verse line"), std::string::npos);
    EXPECT_NE(text.find("Second verse line"), std::string::npos);
    // The diagrams come once per chord used, after the staff: one more name each.
    EXPECT_EQ(std::count_if(words.begin(), words.end(),
                            [](const Word& word) { return word.text == "Drop"; }),
              3);
    EXPECT_EQ(std::count_if(words.begin(), words.end(),
                            [](const Word& word) { return word.text == "Gmaj7sus5"; }),
              2);
}

TEST_F(SheetsTest, ChordNamesStandClearOfTheTopStringsMarks) {
    // The first string's mark is boxed in white across its line; a name that
    // reached into that box was cut along its foot.
    model::Playlist playlist;
    playlist.append(model::Chord("G", "Gypsy", "x x x x x 7"));
    playlist.append(model::Chord("A", "Aqj", "x x x x x 9"), "D1,A1,D2,G2,B2,E3");
    ASSERT_TRUE(printTo(pdf("names.pdf"), [&](QPdfWriter& writer) {
        return sheets::printPlaylistSheet(writer, playlist, "Names", english);
    }));
    const std::vector<Word> words = wordsOf(pdf("names.pdf"));
    // The staff comes before the diagrams, so its words are the highest of each.
    auto highest = [&](const std::string& text) {
        std::optional<Word> found;
        for (const Word& word : words) {
            if (word.text == text && (!found || word.top < found->top))
                found = word;
        }
        return found;
    };
    for (const auto& [name, mark] : {std::pair{"Gypsy", "7"}, std::pair{"Aqj", "9"}}) {
        const std::optional<Word> nameWord = highest(name), markWord = highest(mark);
        ASSERT_TRUE(nameWord && markWord) << name;
        EXPECT_LE(nameWord->bottom, markWord->top) << name << " reaches into its mark's box";
    }
}

TEST_F(SheetsTest, ATabTheNeckCannotHoldGetsItsTextButNoDiagram) {
    // Two sheets alike but for one fret: 12, which the neck shows, and 13.
    const auto inkOf = [&](const char* tab, const std::string& name) {
        model::Playlist playlist;
        playlist.append(model::Chord("E", "E high", tab));
        EXPECT_TRUE(printTo(pdf(name + ".pdf"), [&](QPdfWriter& writer) {
            return sheets::printPlaylistSheet(writer, playlist, "Ink", english);
        }));
        EXPECT_NE(withoutBlanks(pdfText(pdf(name + ".pdf"))).find(withoutBlanks(tab)),
                  std::string::npos)
            << "the tab's text is printed";
        // Dark pixels of the first page, as a reader sees it.
        const std::string pgm =
            commandOutput(std::string(STRUMVALE_PDFTOPPM) + " -gray -r 40 -f 1 -l 1 '" +
                          pdf(name + ".pdf") + "' 2>/dev/null");
        // "P5\nW H\n255\n" and then a byte a pixel.
        std::size_t header = 0;
        for (int lines = 0; lines < 3 && header < pgm.size(); ++header)
            lines += pgm[header] == '\n' ? 1 : 0;
        return std::count_if(pgm.begin() + static_cast<std::ptrdiff_t>(header), pgm.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 128; });
    };
    const auto playable = inkOf("x x x x x 12", "twelve");
    const auto beyond = inkOf("x x x x x 13", "thirteen");
    // The grid alone is six strings and five fret lines.
    EXPECT_GT(playable, beyond + 100) << "the diagram of the fret-13 chord was drawn";
}

TEST_F(SheetsTest, AnEmptyPlaylistPrintsItsTitleAndAnEmptyStaff) {
    ASSERT_TRUE(printTo(pdf("empty.pdf"), [&](QPdfWriter& writer) {
        return sheets::printPlaylistSheet(writer, model::Playlist(), "Nothing Yet", english);
    }));
    const std::string text = pdfText(pdf("empty.pdf"));
    EXPECT_NE(text.find("Nothing Yet"), std::string::npos);
    EXPECT_EQ(text.find("Chords"), std::string::npos);
    EXPECT_NE(withoutBlanks(text).find("1/1"), std::string::npos);
}

TEST_F(SheetsTest, ADeviceThatCannotBeWrittenFailsAndLeavesNoFile) {
    ChordLibrary library;
    const std::string path = dir.file("missing folder/book.pdf");
    EXPECT_FALSE(printTo(path, [&](QPdfWriter& writer) {
        return sheets::printChordfileSheet(writer, library, english);
    }));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

} // namespace
} // namespace strumvale::test

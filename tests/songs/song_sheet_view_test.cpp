#include "formats/song_file.h"
#include "songs/song_sheet_view.h"
#include "support/dark_palette.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

// As a song site writes a verse: chords before words, one inside a word, two
// crowded on one syllable, a line of chords alone, and a chorus set apart.
const char* const kSong = "{title: Vårvisa}\n"
                          "{sov}\n"
                          "[G]Vintern rasat [C]ut bland [G]våra fjällar\n"
                          "[Em]drivans blom[Am]mor [D7]smält och [G]runnit bort\n"
                          "{eov}\n"
                          "{soc}\n"
                          "[C]Him[D]len ler [G/B]över [Am7]Łódź\n"
                          "[C]  [D]  [G]\n"
                          "{eoc}\n";

sheets::Translate asWritten() {
    return [](std::string_view key) { return QString::fromLatin1(key.data(), key.size()); };
}

// Which columns of the row hold ink (a dark pixel) anywhere in its height.
std::vector<bool> inkColumns(const QImage& image, const QRect& row) {
    std::vector<bool> ink(static_cast<std::size_t>(image.width()), false);
    for (int x = 0; x < image.width(); ++x) {
        for (int y = std::max(0, row.top()); y <= std::min(image.height() - 1, row.bottom()); ++y) {
            if (qGray(image.pixel(x, y)) < 140) {
                ink[static_cast<std::size_t>(x)] = true;
                break;
            }
        }
    }
    return ink;
}

// Some run of ink starts within a couple of pixels of x.
bool inkStartsNear(const std::vector<bool>& ink, int x) {
    for (int at = std::max(1, x - 2); at <= x + 2 && at < int(ink.size()); ++at) {
        if (ink[std::size_t(at)] && !ink[std::size_t(at - 1)])
            return true;
    }
    return false;
}

class SongSheetViewTest : public ::testing::Test {
protected:
    SongSheetViewTest() {
        view.resize(700, 400);
        view.showSong(formats::readSongs(kSong).front(), asWritten(), 12);
        view.resize(700, view.minimumHeight());
    }
    QImage rendered() {
        QImage image(view.size(), QImage::Format_RGB32);
        view.render(&image);
        return image;
    }

    songs::SongSheetView view;
};

TEST_F(SongSheetViewTest, EveryChordStandsOverTheSyllableItWasWrittenBefore) {
    ASSERT_EQ(view.chordCount(), 14);
    const QImage image = rendered();
    // Lines 0 and 1 of the verse, then the chorus's words and chords.
    struct Placed {
        int chord;
        int line;
    };
    for (const Placed placed :
         {Placed{0, 0}, Placed{1, 0}, Placed{2, 0}, Placed{3, 1}, Placed{4, 1}, Placed{5, 1},
          Placed{6, 1}, Placed{7, 2}, Placed{8, 2}, Placed{9, 2}, Placed{10, 2}}) {
        const QRect chord = view.chordRect(placed.chord);
        const QRect line = view.lineRect(placed.line);
        ASSERT_TRUE(line.contains(chord.topLeft())) << "chord " << placed.chord;
        // The name is drawn where it is said to be, and the syllable under it
        // begins at the same place.
        EXPECT_TRUE(inkStartsNear(inkColumns(image, chord), chord.left()))
            << "chord " << placed.chord;
        const QRect words(line.left(), chord.bottom() + 1, line.width(),
                          line.bottom() - chord.bottom());
        EXPECT_TRUE(inkStartsNear(inkColumns(image, words), chord.left()))
            << "the syllable under chord " << placed.chord;
    }
    // Chords crowded on a short syllable push the words apart: "Him" and
    // "len" no longer touch, and the names do not overlap.
    EXPECT_GE(view.chordRect(8).left(), view.chordRect(7).right());
    // The chorus is set apart by its indent.
    EXPECT_GT(view.chordRect(7).left(), view.chordRect(0).left() + 10);
    // Chords alone on a line stand in a row, in order.
    EXPECT_LT(view.chordRect(11).right(), view.chordRect(12).left());
    EXPECT_LT(view.chordRect(12).right(), view.chordRect(13).left());
}

TEST_F(SongSheetViewTest, TheSoundingChordIsMarkedAndOnlyIt) {
    const QRect chord = view.chordRect(4);
    const auto marked = [&](const QImage& image, const QRect& box) {
        int count = 0;
        for (int x = box.left(); x <= box.right(); ++x)
            count += image.pixelColor(x, box.center().y()) == songs::SongSheetView::markColour();
        return count;
    };
    EXPECT_EQ(marked(rendered(), chord), 0);
    view.markChord(4);
    const QImage image = rendered();
    EXPECT_GT(marked(image, chord), 0);
    EXPECT_EQ(marked(image, view.chordRect(3)), 0);
    view.markChord(99);
    EXPECT_FALSE(view.markedChord()) << "no such chord: nothing marked";
}

// On a dark palette the sheet is the palette's, not a white page: every chord
// name and syllable light on it, the sounding chord's mark and a loop's band
// still behind readable names.
TEST_F(SongSheetViewTest, OnADarkPaletteTheSheetReadsLightOnDark) {
    view.setPalette(darkPalette());
    view.markChord(4);
    view.setLoopLines(std::pair{2, 3});
    const QImage image = rendered();
    const QColor paper = darkPalette().color(QPalette::Base);
    ASSERT_EQ(image.pixelColor(2, 2), paper);
    const QColor mark =
        image.pixelColor(view.chordRect(4).left() - 2, view.chordRect(4).center().y());
    EXPECT_NE(mark, paper) << "the sounding chord is marked";
    for (int chord = 0; chord < view.chordCount(); ++chord) {
        const QRect box = view.chordRect(chord);
        const QColor under = chord == 4 ? mark : image.pixelColor(box.left() - 2, box.top() + 1);
        EXPECT_GE(bestContrastIn(image, box, under), kTextContrast) << "chord " << chord;
    }
    for (int line = 0; line < 4; ++line) {
        const QRect box = view.lineRect(line);
        const QColor under = image.pixelColor(box.left() - 2, box.center().y());
        EXPECT_EQ(under == paper, line < 2) << "the looped lines are shaded";
        EXPECT_GE(bestContrastIn(image, box, under), kTextContrast) << "line " << line;
    }
}

TEST_F(SongSheetViewTest, LargerLyricsMakeALongerSheetWithTheSameChords) {
    const int height = view.minimumHeight();
    const int width = view.chordRect(2).left();
    view.setLyricPoints(18);
    EXPECT_GT(view.minimumHeight(), height * 4 / 3);
    EXPECT_GT(view.chordRect(2).left(), width);
    EXPECT_EQ(view.chordCount(), 14);
}

TEST_F(SongSheetViewTest, AScreenReaderReadsEachLyricLineWithItsChords) {
    QAccessibleInterface* sheet = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->role(), QAccessible::Document);
    ASSERT_EQ(sheet->childCount(), 4);
    EXPECT_EQ(sheet->child(0)->text(QAccessible::Name),
              QString::fromUtf8("[G]Vintern rasat [C]ut bland [G]våra fjällar"));
    EXPECT_EQ(sheet->child(2)->text(QAccessible::Name),
              QString::fromUtf8("[C]Him[D]len ler [G/B]över [Am7]Łódź"));
    EXPECT_EQ(sheet->indexOfChild(sheet->child(3)), 3);
    EXPECT_EQ(sheet->child(3)->parent(), sheet);
    // Another song: the same children read its lines.
    view.showSong(formats::readSongs("[A]One line\n").front(), asWritten(), 12);
    EXPECT_EQ(sheet->childCount(), 1);
    EXPECT_EQ(sheet->child(0)->text(QAccessible::Name), "[A]One line");
}

} // namespace
} // namespace strumvale::test

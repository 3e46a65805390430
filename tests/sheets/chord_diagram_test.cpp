#include "sheets/chord_diagram.h"
#include "sheets/diagram_painter.h"

#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using sheets::ChordDiagram;
using Mark = ChordDiagram::Mark;

TEST(ChordDiagramTest, ABarreChordHighUpTheNeckStartsAtItsBaseFret) {
    const ChordDiagram diagram = sheets::chordDiagram("10 12 12 11 10 10");
    EXPECT_EQ(diagram.baseFret, 10);
    EXPECT_EQ(diagram.rowCount, 4);
    EXPECT_EQ(diagram.rows, (std::array<int, 6>{1, 3, 3, 2, 1, 1}));
    ASSERT_TRUE(diagram.barre);
    EXPECT_EQ(*diagram.barre, (ChordDiagram::Barre{1, 0, 5}));

    // Strings 10 apart, rows 10 apart, from (100, 200).
    const sheets::DiagramLayout layout = sheets::layoutDiagram(diagram, QRectF(100, 200, 50, 40));
    // The barre covers strings 6, 2 and 1; the other fingers are dots in their rows.
    EXPECT_FALSE(layout.dots[0]);
    EXPECT_FALSE(layout.dots[4]);
    EXPECT_FALSE(layout.dots[5]);
    EXPECT_EQ(layout.dots[1], QPointF(110, 225));
    EXPECT_EQ(layout.dots[2], QPointF(120, 225));
    EXPECT_EQ(layout.dots[3], QPointF(130, 215));
    ASSERT_TRUE(layout.barre);
    EXPECT_LT(layout.barre->left(), 100);
    EXPECT_GT(layout.barre->right(), 150);
    EXPECT_TRUE(layout.barre->contains(QPointF(125, 205)));
    EXPECT_FALSE(layout.barre->contains(QPointF(125, 215)));
    // The base fret is named beside row 1, outside the grid.
    ASSERT_TRUE(layout.baseFretLabel);
    EXPECT_LE(layout.baseFretLabel->right(), 100);
    EXPECT_TRUE(layout.baseFretLabel->contains(QPointF(layout.baseFretLabel->center().x(), 205)));
}

TEST(ChordDiagramTest, OpenChordsShowTheNutWithOpenAndMutedMarks) {
    const ChordDiagram c = sheets::chordDiagram("x 3 2 0 1 0");
    EXPECT_EQ(c.baseFret, 1);
    EXPECT_EQ(c.rowCount, 4);
    EXPECT_EQ(c.marks, (std::array<Mark, 6>{Mark::Muted, Mark::Fretted, Mark::Fretted, Mark::Open,
                                            Mark::Fretted, Mark::Open}));
    EXPECT_EQ(c.rows, (std::array<int, 6>{0, 3, 2, 0, 1, 0}));
    EXPECT_FALSE(c.barre);
    const sheets::DiagramLayout layout = sheets::layoutDiagram(c, QRectF(0, 0, 50, 40));
    EXPECT_FALSE(layout.baseFretLabel);
    EXPECT_LT(layout.markCentres[0].y(), 0) << "marks sit above the grid";

    // Three strings on one fret are three fingers, not a barre.
    EXPECT_FALSE(sheets::chordDiagram("x x 0 2 3 2").barre);
    // Muted or open strings under the lowest fret break a barre.
    EXPECT_FALSE(sheets::chordDiagram("x 0 2 2 2 0").barre);
    EXPECT_TRUE(sheets::chordDiagram("x 2 4 4 3 2").barre);
}

TEST(ChordDiagramTest, WideAndOddFingeringsStillDraw) {
    // An open string with a high fret: the span starts at the fret, the open string stays open.
    const ChordDiagram high = sheets::chordDiagram("0 x x x 15 0");
    EXPECT_EQ(high.baseFret, 15);
    EXPECT_EQ(high.marks[0], Mark::Open);
    EXPECT_EQ(high.rows[4], 1);
    // A stretch wider than four frets gets as many rows as it needs.
    const ChordDiagram wide = sheets::chordDiagram("3 x x x x 12");
    EXPECT_EQ(wide.baseFret, 3);
    EXPECT_EQ(wide.rowCount, 10);
    EXPECT_EQ(wide.rows[5], 10);
    // Tokens that are no fret show as muted; a separator is all muted.
    EXPECT_EQ(sheets::chordDiagram("03 3 2 0 1 0").marks[0], Mark::Muted);
    const ChordDiagram bars = sheets::chordDiagram("| | | | | |");
    EXPECT_EQ(bars.marks, (std::array<Mark, 6>{Mark::Muted, Mark::Muted, Mark::Muted, Mark::Muted,
                                               Mark::Muted, Mark::Muted}));
    EXPECT_FALSE(bars.barre);
}

} // namespace
} // namespace strumvale::test

#include "fretboard/fretboard_geometry.h"
#include "fretboard/fretboard_style.h"
#include "fretboard/fretboard_view.h"
#include "fretboard/render.h"
#include "model/settings.h"

#include <gtest/gtest.h>
#include <vector>

namespace strumvale::fretboard {
namespace {

const std::vector<Orientation> kOrientations = {
    {false, false}, {true, false}, {false, true}, {true, true}};

std::string named(Orientation o) {
    return std::string(o.leftHanded ? "left-handed" : "right-handed") +
           (o.upsideDown ? ", upside down" : "");
}

// Every pixel of a cell, as drawn, is a click on that cell's string and fret:
// what the user sees under the pointer is what the click edits.
TEST(FretboardGeometry, EveryPixelOfACellIsAClickOnItsStringAndFret) {
    for (const Orientation orientation : kOrientations) {
        SCOPED_TRACE(named(orientation));
        const FretboardGeometry neck(orientation);
        for (int s = 1; s <= 6; ++s) {
            for (int f = 0; f <= 12; ++f) {
                const QRect cell = neck.cell(s, f);
                EXPECT_TRUE(cell.contains(neck.centre(s, f)));
                for (int y = cell.top(); y <= cell.bottom(); ++y) {
                    for (int x = cell.left(); x <= cell.right(); ++x) {
                        const auto clicked = neck.positionAt({x, y});
                        ASSERT_TRUE(clicked) << x << "," << y;
                        ASSERT_EQ(*clicked, (FretPosition{s, f})) << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(FretboardGeometry, ClicksBesideTheCellsEditNothing) {
    for (const Orientation orientation : kOrientations) {
        SCOPED_TRACE(named(orientation));
        const FretboardGeometry neck(orientation);
        int cells = 0;
        for (int y = -1; y < FretboardView::kHeight; ++y) {
            for (int x = -1; x <= FretboardView::kWidth; ++x) {
                if (const auto clicked = neck.positionAt({x, y})) {
                    EXPECT_TRUE(neck.cell(clicked->stringNumber, clicked->fret).contains(x, y));
                    ++cells;
                }
            }
        }
        // Only the cells' pixels are clicks at all.
        const QRect one = neck.cell(1, 0);
        EXPECT_EQ(cells, 6 * 13 * one.width() * one.height());
    }
}

TEST(FretboardGeometry, LeftHandedMirrorsTheFretsAndUpsideDownTheStrings) {
    const FretboardGeometry right;
    const FretboardGeometry left({.leftHanded = true});
    const FretboardGeometry upside({.upsideDown = true});
    const int mirror = right.centre(1, 0).x() + left.centre(1, 0).x();
    for (int f = 0; f <= 12; ++f) {
        EXPECT_EQ(right.centre(1, f).x() + left.centre(1, f).x(), mirror) << f;
        EXPECT_EQ(right.cell(3, f).left() + left.cell(3, f).right() + 1, mirror) << f;
        if (f > 0) {
            EXPECT_GT(right.centre(1, f).x(), right.centre(1, f - 1).x());
            EXPECT_LT(left.centre(1, f).x(), left.centre(1, f - 1).x());
        }
    }
    for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(upside.centre(s, 4), right.centre(7 - s, 4)) << s;
        EXPECT_EQ(upside.stringOnRow(upside.rowOfString(s)), s);
    }
    EXPECT_LT(right.centre(1, 0).y(), right.centre(2, 0).y()) << "string 1 on top";
}

TEST(FretboardGeometry, AnInsetIsMirroredWithItsCell) {
    const QMargins inset(1, 2, 5, 3);
    const FretboardGeometry right;
    const FretboardGeometry left({.leftHanded = true});
    const QRect shrunk = right.cell(2, 7, inset);
    EXPECT_EQ(shrunk.left() - right.cell(2, 7).left(), 1);
    EXPECT_EQ(right.cell(2, 7).right() - shrunk.right(), 5);
    const QRect mirrored = left.cell(2, 7, inset);
    EXPECT_EQ(mirrored.left() - left.cell(2, 7).left(), 5);
    EXPECT_EQ(left.cell(2, 7).right() - mirrored.right(), 1);
    EXPECT_EQ(mirrored.top(), shrunk.top());
    EXPECT_EQ(mirrored.size(), shrunk.size());
}

TEST(FretboardStyleOfSettings, TakesTheOrientationNotesBackgroundAndColours) {
    model::Settings settings;
    EXPECT_EQ(fretboardStyle(settings), FretboardStyle{})
        << "a view draws as the default settings until it is styled";

    settings.Lefthanded = true;
    settings.Upsidedownneck = true;
    settings.Displaynotesforallfrets = true;
    settings.Whitebackgroundcolor = true;
    settings.Clrdots1 = 1;
    settings.Clrdots2 = 2;
    settings.Clrdots3 = 3;
    settings.Clrintervaltext1 = 40;
    settings.Clrintervaltext2 = 50;
    settings.Clrintervaltext3 = 60;
    settings.Clrnotetext1 = 255;
    settings.Clrnotetext2 = 0;
    settings.Clrnotetext3 = 128;
    const FretboardStyle style = fretboardStyle(settings);
    EXPECT_TRUE(style.orientation.leftHanded);
    EXPECT_TRUE(style.orientation.upsideDown);
    EXPECT_TRUE(style.allFrets);
    EXPECT_TRUE(style.whiteBackground);
    EXPECT_EQ(style.dotsColour, QColor(1, 2, 3));
    EXPECT_EQ(style.intervalTextColour, QColor(40, 50, 60));
    EXPECT_EQ(style.noteTextColour, QColor(255, 0, 128));
}

TEST(FretboardStyleOfSettings, TheViewDrawsTheStyleItIsGiven) {
    FretboardView view;
    view.setTuning(model::Tuning::standard());
    view.setChord({"E", "E", "0 x x x x x"});
    FretboardStyle style;
    style.dotsColour = Qt::red;
    style.orientation.leftHanded = true;
    view.setStyle(style);
    EXPECT_EQ(view.style(), style);
    EXPECT_TRUE(view.leftHanded());
    const QImage image = testing::renderClient(view, view.width(), view.height());
    EXPECT_EQ(image.pixelColor(view.fretboardGeometry().centre(6, 0)), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(FretboardGeometry().centre(6, 0)), QColor(Qt::red));
}

} // namespace
} // namespace strumvale::fretboard

#include "fretboard/render.h"
#include "fretboard/staff_view.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace strumvale::fretboard {
namespace {

using testing::colorAt;
using testing::countPixels;

QImage render(StaffView& view) {
    return testing::renderClient(view, StaffView::kWidth, StaffView::kHeight);
}

// The marks of column i, string 1 first.
QStringList column(const StaffView& view, int i) {
    QStringList texts;
    for (const DrawnLabel& label : view.drawnLabels()) {
        if (label.box.left() == 10 + 20 * i) {
            texts << label.text;
        }
    }
    return texts;
}

TEST(StaffView, EmptyShowsOnlyTheStaff) {
    StaffView view;
    const QImage image = render(view);
    EXPECT_TRUE(view.drawnLabels().empty());
    for (int y : {10, 23, 36, 49, 62, 75}) {
        EXPECT_EQ(colorAt(image, 300, y), "#000000") << y;
        EXPECT_EQ(colorAt(image, 300, y + 1), "#fbfbfb") << y;
    }
    EXPECT_EQ(colorAt(image, 10, 40), "#000000");
    EXPECT_EQ(colorAt(image, 550, 40), "#000000");
    EXPECT_EQ(colorAt(image, 551, 40), "#fbfbfb");
    EXPECT_EQ(colorAt(image, 550, 80), "#fbfbfb");
}

TEST(StaffView, ColumnsShowTheTabTopToBottom) {
    StaffView view;
    view.appendChord({"E", "Em", "0 2 2 1 0 0"});
    view.appendChord({"C", "C", "x 3 2 0 1 0"});
    view.appendChord(model::Playlist::separator());
    const QImage image = render(view);

    EXPECT_EQ(column(view, 0), QString("0 0 1 2 2 0").split(' '));
    EXPECT_EQ(column(view, 1), QString("0 1 0 2 3 x").split(' '));
    EXPECT_EQ(column(view, 2), QString("| | | | | |").split(' '));
    EXPECT_EQ(view.drawnLabels()[0].box.center().x(), 19); // centred on x = 20
    // Each mark sits on its line and breaks it.
    for (int i = 0; i < 3; ++i) {
        for (int s = 0; s < 6; ++s) {
            const QRect around(14 + 20 * i, 8 + 13 * s, 13, 5);
            EXPECT_GT(countPixels(image, around, Qt::white), 0) << i << "," << s;
        }
    }
    EXPECT_EQ(colorAt(image, 100, 10), "#000000") << "no column there";
}

TEST(StaffView, TheSoundingColumnStandsOnABandThatOnlyItHas) {
    StaffView view;
    view.appendChord({"C", "C", "x 3 2 0 1 0"});
    view.appendChord(model::Playlist::separator());
    view.setPlayingColumn(1);
    QImage image = render(view);
    const std::string band = colorAt(image, 35, 5);
    EXPECT_NE(band, "#fbfbfb");
    EXPECT_EQ(colorAt(image, 35, 82), band) << "the band reaches below the sixth line";
    EXPECT_EQ(colorAt(image, 15, 5), "#fbfbfb") << "the first column is not sounding";
    EXPECT_EQ(colorAt(image, 55, 5), "#fbfbfb");
    // Its marks keep their lines broken, on the band's colour now.
    EXPECT_EQ(countPixels(image, QRect(34, 8, 13, 5), Qt::white), 0);

    view.setPlayingColumn(-1);
    image = render(view);
    EXPECT_EQ(colorAt(image, 35, 5), "#fbfbfb");
}

TEST(StaffView, TwentySevenColumnsFillTheStaff) {
    StaffView view;
    for (int i = 0; i < StaffView::kColumns; ++i) {
        view.appendChord({"A", "A", "x 0 2 2 2 0"});
    }
    const QImage image = render(view);
    const DrawnLabel& last = view.drawnLabels().back();
    EXPECT_EQ(last.box.left(), 530);
    EXPECT_EQ(last.box.right() + 1, 550);
    EXPECT_EQ(last.text, "x"); // string 6 of the last column
    EXPECT_GT(countPixels(image, QRect(534, 73, 13, 5), Qt::white), 0);
    EXPECT_EQ(colorAt(image, 550, 40), "#000000");
}

TEST(StaffView, TheArrayHoldsCopiesThePageEdits) {
    StaffView view;
    model::Chord chord("A", "A", "x 0 2 2 2 0");
    view.appendChord(chord);
    chord.Tab = "x x x x x x";
    EXPECT_EQ(view.chord(0).Tab, "x 0 2 2 2 0");

    view.insertChord(0, model::Playlist::separator());
    view.setChord(1, {"D", "D", "x x 0 2 3 2"});
    EXPECT_EQ(view.chord(0).Name, "SEPARATOR");
    EXPECT_EQ(view.chord(1).Tab, "x x 0 2 3 2");
    EXPECT_THROW(view.removeChord(5), std::out_of_range);
    EXPECT_THROW(view.insertChord(-1, chord), std::out_of_range);
    EXPECT_THROW(view.chord(2), std::out_of_range);
    view.clearChords();
    EXPECT_EQ(view.chordCount(), 0);
}

TEST(StaffView, DescriptionNamesTheChordsInOrderWithTheirParts) {
    StaffView view;
    EXPECT_EQ(view.accessibleDescription(), "");
    view.appendChord({"E", "Em", "0 2 2 1 0 0"});
    view.appendChord({"C", "C - Drop D", "x 3 2 0 1 0"});
    view.appendChord(model::Playlist::separator());
    view.appendChord({"G", "G", "3 2 0 0 0 3"});
    EXPECT_EQ(view.accessibleDescription(), "Em, C - Drop D | G");

    view.insertChord(0, model::Playlist::separator());
    view.removeChord(3);
    view.setChord(1, {"A", "Am", "x 0 2 2 1 0"});
    EXPECT_EQ(view.accessibleDescription(), "| Am, C - Drop D, G");

    view.setChords({{"D", "D", "x x 0 2 3 2"}});
    EXPECT_EQ(view.accessibleDescription(), "D");
    view.clearChords();
    EXPECT_EQ(view.accessibleDescription(), "");
}

} // namespace
} // namespace strumvale::fretboard

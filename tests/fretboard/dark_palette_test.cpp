#include "fretboard/fretboard_view.h"
#include "fretboard/render.h"
#include "fretboard/staff_view.h"
#include "support/dark_palette.h"

#include <gtest/gtest.h>

namespace strumvale::fretboard {
namespace {

using test::bestContrastIn;
using test::kGraphicsContrast;
using test::kTextContrast;

// Under a dark desktop palette the neck is drawn on its background in light
// lines and numbers; the user's dots keep their colour and, coloured like the
// background, still show their outline.
TEST(FretboardDarkPalette, LinesNumbersAndOutlinesStandOutFromTheBackground) {
    FretboardView view;
    view.setPalette(test::darkPalette());
    view.setTuning(model::Tuning::standard());
    FretboardStyle style;
    style.dotsColour = QColor(35, 38, 41); // the background's own colour
    view.setStyle(style);
    view.setChord(model::Chord("C", "C", "x 3 2 0 1 0"));
    const QImage image = testing::renderClient(view, FretboardView::kWidth, FretboardView::kHeight);
    const QColor background = test::darkPalette().color(QPalette::Window);
    ASSERT_EQ(image.pixelColor(2, 2), background) << "the desktop's background, not white";

    const FretboardGeometry geometry = view.fretboardGeometry();
    for (int string = 1; string <= 6; ++string) {
        const QPoint onString(geometry.columnCentre(7),
                              geometry.rowCentre(geometry.rowOfString(string)));
        EXPECT_GE(bestContrastIn(image, QRect(onString, QSize(1, 2)), background),
                  kGraphicsContrast)
            << "string " << string;
    }
    const QRect wire(geometry.placeX(FretboardGeometry::kColumnWidth * 6) - 1,
                     geometry.rowCentre(3), 3, 1);
    EXPECT_GE(bestContrastIn(image, wire, background), kGraphicsContrast) << "a fret's wire";
    for (const DrawnLabel& label : view.drawnLabels()) {
        if (label.kind != DrawnLabel::Kind::FretNumber)
            continue;
        EXPECT_GE(bestContrastIn(image, label.box, background), kTextContrast)
            << "fret number " << label.text.toStdString();
    }
    // String 5 at fret 3: a dot the colour of the background, outlined.
    const QRect dot = geometry.cell(5, 3).adjusted(10, 0, -10, 0);
    EXPECT_GE(bestContrastIn(image, dot, background), kGraphicsContrast);

    // With the White background asked for, the light colours stay.
    style.whiteBackground = true;
    view.setStyle(style);
    const QImage white = testing::renderClient(view, FretboardView::kWidth, FretboardView::kHeight);
    EXPECT_EQ(white.pixelColor(geometry.columnCentre(7), geometry.rowCentre(6)), QColor(Qt::black));
}

// What the neck cannot show is said in red that reads on the dark background,
// not on a white patch.
TEST(FretboardDarkPalette, TheMessageReadsOnTheDarkBackground) {
    FretboardView view;
    view.setPalette(test::darkPalette());
    view.setTuning(model::Tuning::standard());
    view.setChord(model::Chord("C", "C", "x 3 2 0 1 25"));
    const QImage image = testing::renderClient(view, FretboardView::kWidth, FretboardView::kHeight);
    const QColor background = test::darkPalette().color(QPalette::Window);
    bool said = false;
    for (const DrawnLabel& label : view.drawnLabels()) {
        if (label.kind != DrawnLabel::Kind::Message)
            continue;
        said = true;
        EXPECT_GE(bestContrastIn(image, label.box, background), kTextContrast);
        EXPECT_NE(image.pixelColor(label.box.topLeft() + QPoint(1, 1)), QColor(Qt::white));
    }
    EXPECT_TRUE(said) << "a fret past the neck's end is not drawn";
}

// A note colour the user chose that vanishes into the dark background keeps
// its colour and gains an outline that reads; one that reads is left alone.
TEST(FretboardDarkPalette, NoteNamesInTheBackgroundsColourAreOutlined) {
    FretboardView view;
    view.setPalette(test::darkPalette());
    view.setTuning(model::Tuning::standard());
    view.setNoteLabels(true);
    const QColor background = test::darkPalette().color(QPalette::Window);
    FretboardStyle style;
    style.noteTextColour = background;
    view.setStyle(style);
    view.setChord(model::Chord("C", "C", "x 3 2 0 1 0"));
    const auto noteContrasts = [&] {
        const QImage image =
            testing::renderClient(view, FretboardView::kWidth, FretboardView::kHeight);
        std::vector<double> contrasts;
        for (const DrawnLabel& label : view.drawnLabels())
            if (label.kind == DrawnLabel::Kind::Note)
                contrasts.push_back(bestContrastIn(image, label.box, background));
        return contrasts;
    };
    const std::vector<double> outlined = noteContrasts();
    ASSERT_EQ(outlined.size(), 5u) << "the five notes the chord sounds";
    for (double contrast : outlined)
        EXPECT_GE(contrast, kTextContrast);

    // The ink's pixels where the names stand: the strings under them, and
    // an outline if there is one.
    const auto inkUnderNames = [&] {
        const QImage image =
            testing::renderClient(view, FretboardView::kWidth, FretboardView::kHeight);
        int count = 0;
        for (const DrawnLabel& label : view.drawnLabels())
            if (label.kind == DrawnLabel::Kind::Note)
                for (int y = label.box.top(); y <= label.box.bottom(); ++y)
                    for (int x = label.box.left(); x <= label.box.right(); ++x)
                        count += image.pixelColor(x, y) ==
                                 test::darkPalette().color(QPalette::WindowText);
        return count;
    };
    const int withOutline = inkUnderNames();
    style.noteTextColour = QColor(232, 182, 114);
    view.setStyle(style);
    EXPECT_LT(inkUnderNames(), withOutline) << "a readable colour needs no outline";
}

// The playlist's staff on a dark palette: its lines and every fret number
// light on the palette's background, the sounding column's band still behind
// readable numbers; a White page background brings back the light strip.
TEST(StaffDarkPalette, LinesAndMarksStandOutAndTheSoundingColumnStaysReadable) {
    StaffView view;
    view.setPalette(test::darkPalette());
    view.appendChord({"C", "C", "x 3 2 0 1 0"});
    view.appendChord({"G", "G", "3 2 0 0 0 3"});
    view.setPlayingColumn(1);
    const QImage image = testing::renderClient(view, StaffView::kWidth, StaffView::kHeight);
    const QColor background = test::darkPalette().color(QPalette::Window);
    ASSERT_EQ(image.pixelColor(300, 5), background) << "not the light strip";
    for (int y : {10, 23, 36, 49, 62, 75})
        EXPECT_GE(bestContrastIn(image, QRect(300, y, 1, 1), background), kGraphicsContrast) << y;
    const QColor band = image.pixelColor(32, 5);
    EXPECT_NE(band, background) << "the sounding column is marked";
    for (const DrawnLabel& label : view.drawnLabels()) {
        if (label.kind != DrawnLabel::Kind::Tab)
            continue;
        const bool sounding = label.box.left() == 30;
        EXPECT_GE(bestContrastIn(image, label.box, sounding ? band : background), kTextContrast)
            << label.text.toStdString() << (sounding ? " on the band" : "");
    }

    QPalette white = test::darkPalette();
    white.setColor(QPalette::Window, QColor(251, 251, 251));
    view.setPalette(white);
    const QImage light = testing::renderClient(view, StaffView::kWidth, StaffView::kHeight);
    EXPECT_EQ(light.pixelColor(300, 10), QColor(Qt::black));
    EXPECT_EQ(light.pixelColor(300, 11), QColor(251, 251, 251));
    EXPECT_EQ(light.pixelColor(32, 5), QColor(255, 224, 140));
}

} // namespace
} // namespace strumvale::fretboard

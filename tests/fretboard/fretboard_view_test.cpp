#include "fretboard/fretboard_view.h"
#include "fretboard/render.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace strumvale::fretboard {
namespace {

using testing::colorAt;
using testing::countPixels;
using testing::labelsOf;
using testing::textsAtTop;
using Kind = DrawnLabel::Kind;

const std::string kDots = "#5c80e0";
const std::string kBlack = "#000000";
const std::string kBackground = "#fbfbfb";

struct Fixture : ::testing::Test {
    FretboardView view;
    FretboardStyle style;

    Fixture() {
        style.whiteBackground = true;
        view.setStyle(style);
        view.setChordMode(true);
        view.setTuning(model::Tuning::standard());
    }
    void restyle() { view.setStyle(style); }
    QImage render() {
        return testing::renderClient(view, FretboardView::kWidth, FretboardView::kHeight);
    }
    // Where the view, as it is turned, draws string s at fret f.
    QPoint at(int stringNumber, int fret) const {
        return view.fretboardGeometry().centre(stringNumber, fret);
    }
    void release(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(point),
                          view.mapToGlobal(QPointF(point)), button, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &event);
    }
};

// A 15 x 15 marker centred at a point: filled, outlined in black at its top
// and bottom rows, nothing above or below.
void expectMarker(const QImage& image, QPoint centre) {
    const int cx = centre.x();
    const int cy = centre.y();
    SCOPED_TRACE(::testing::Message() << "marker at " << cx << "," << cy);
    EXPECT_EQ(colorAt(image, cx, cy), kDots);
    EXPECT_EQ(colorAt(image, cx, cy - 7), kBlack);
    EXPECT_EQ(colorAt(image, cx, cy + 7), kBlack);
    EXPECT_EQ(colorAt(image, cx, cy - 8), kBackground);
    EXPECT_EQ(colorAt(image, cx, cy + 8), kBackground);
}

using FretboardChord = Fixture;

TEST_F(FretboardChord, MarkersSitOnTheirStringsAndFrets) {
    EXPECT_TRUE(view.setChord({"E", "Em", "0 2 2 1 0 0"}));
    const QImage image = render();
    expectMarker(image, at(1, 0)); // left of the nut
    expectMarker(image, at(2, 0));
    expectMarker(image, at(3, 1));
    expectMarker(image, at(4, 2));
    expectMarker(image, at(5, 2));
    expectMarker(image, at(6, 0));
    // The open markers span x 13..27 exactly.
    EXPECT_EQ(colorAt(image, 13, 30), kBlack);
    EXPECT_EQ(colorAt(image, 12, 30), kBackground);
    EXPECT_EQ(colorAt(image, 27, 30), kBlack);
    EXPECT_EQ(colorAt(image, 28, 30), kBackground);
    // Nothing where the chord has no finger.
    EXPECT_NE(colorAt(image, at(1, 1).x(), at(1, 1).y()), kDots);
    EXPECT_NE(colorAt(image, at(3, 2).x(), at(3, 2).y()), kDots);
    EXPECT_TRUE(labelsOf(view.drawnLabels(), Kind::Message).empty());
}

TEST_F(FretboardChord, UpsideDownPutsStringSixOnTop) {
    style.orientation.upsideDown = true;
    restyle();
    view.setTuning({"Drop D", "D1,A1,D2,G2,B2,E3"});
    view.setChord({"E", "Em", "0 2 2 1 0 0"});
    const QImage image = render();
    EXPECT_EQ(at(6, 0), QPoint(20, 30)) << "string 6 on the top row";
    EXPECT_EQ(at(1, 0), QPoint(20, 130));
    expectMarker(image, at(6, 0));
    expectMarker(image, at(5, 2));
    expectMarker(image, at(4, 2));
    expectMarker(image, at(3, 1));
    expectMarker(image, at(2, 0));
    expectMarker(image, at(1, 0));
    EXPECT_NE(colorAt(image, at(4, 1).x(), at(4, 1).y()), kDots);

    // String 6 ("D") is named on the top row, string 1 at the bottom.
    const auto names = labelsOf(view.drawnLabels(), Kind::StringName);
    EXPECT_EQ(textsAtTop(names, 22), QStringList{"D"});
    EXPECT_EQ(textsAtTop(names, 122), QStringList{"E"});
    EXPECT_EQ(textsAtTop(names, 42), QStringList{"A"});
}

TEST_F(FretboardChord, LeftHandedMirrorsMarkersAndNames) {
    style.orientation.leftHanded = true;
    restyle();
    view.setTuning({"Drop D", "D1,A1,D2,G2,B2,E3"});
    view.setChord({"E", "Em", "0 2 2 1 0 0"});
    const QImage image = render();
    EXPECT_EQ(at(1, 0), QPoint(540, 30)) << "open, right of the nut at x 520";
    expectMarker(image, at(1, 0));
    expectMarker(image, at(3, 1));
    expectMarker(image, at(4, 2));
    expectMarker(image, at(6, 0));
    EXPECT_EQ(colorAt(image, 532, 30), kBlack);
    EXPECT_EQ(colorAt(image, 531, 30), kBackground);
    EXPECT_EQ(colorAt(image, 546, 30), kBlack);
    EXPECT_EQ(colorAt(image, 547, 30), kBackground);
    EXPECT_EQ(countPixels(image, QRect(0, 20, 30, 120), QColor(92, 128, 224)) > 0, true)
        << "the string names move to the left";
    EXPECT_NE(colorAt(image, 20, 30), kDots);

    const auto names = labelsOf(view.drawnLabels(), Kind::StringName);
    ASSERT_EQ(names.size(), 6u);
    for (const DrawnLabel& name : names) {
        EXPECT_EQ(name.box.left(), 7);
    }
    EXPECT_EQ(textsAtTop(names, 122), QStringList{"D"});
    EXPECT_EQ(textsAtTop(labelsOf(view.drawnLabels(), Kind::FretNumber), 4).first(), "12");
}

TEST_F(FretboardChord, MutedEmptyAndInvalidTabs) {
    const QRect neck(0, 0, FretboardView::kWidth, FretboardView::kHeight);
    const QRect messageBox(43, 112, 357, 38);

    EXPECT_TRUE(view.setChord({"A", "", "x x x x x x"}));
    QImage image = render();
    EXPECT_EQ(countPixels(image, QRect(0, 20, 530, 126), QColor(92, 128, 224)), 0);
    EXPECT_EQ(countPixels(image, neck, Qt::red), 0);
    EXPECT_EQ(labelsOf(view.drawnLabels(), Kind::StringName).size(), 6u);
    EXPECT_EQ(labelsOf(view.drawnLabels(), Kind::FretNumber).size(), 13u);

    EXPECT_TRUE(view.setChord({"A", "", ""}));
    image = render();
    EXPECT_EQ(countPixels(image, QRect(0, 20, 530, 126), QColor(92, 128, 224)), 0);
    EXPECT_EQ(countPixels(image, neck, Qt::red), 0);

    // Five tokens read as six muted strings.
    EXPECT_TRUE(view.setChord({"A", "", "x x x x x"}));
    render();
    EXPECT_TRUE(labelsOf(view.drawnLabels(), Kind::Message).empty());

    view.setMessage("Kan inte visa detta.");
    EXPECT_FALSE(view.setChord({"A", "", "x x x x x 13"}));
    image = render();
    const auto message = labelsOf(view.drawnLabels(), Kind::Message);
    ASSERT_EQ(message.size(), 1u);
    EXPECT_EQ(message[0].text, "Kan inte visa detta.");
    EXPECT_GT(countPixels(image, messageBox, Qt::red), 0);
    EXPECT_GT(countPixels(image, messageBox, Qt::white), 0) << "opaque white behind the text";
    EXPECT_EQ(
        countPixels(image, neck.adjusted(0, 0, 0, -neck.height() + messageBox.top()), Qt::red), 0);
    EXPECT_EQ(countPixels(image, QRect(0, 20, 530, 126), QColor(92, 128, 224)), 0);
    // The neck and names are still there.
    EXPECT_EQ(colorAt(image, 80, 60), kBlack);
    EXPECT_EQ(labelsOf(view.drawnLabels(), Kind::StringName).size(), 6u);
}

TEST_F(FretboardChord, NoteLabelsWidenMarkersAndNameTheFingeredNotes) {
    view.setChord({"E", "Em", "0 2 2 1 0 0"});
    view.setNoteLabels(true);
    QImage image = render();
    // Rounded rectangles x 3..35 instead of 15-pixel ellipses.
    EXPECT_EQ(colorAt(image, 5, 30), kDots);
    EXPECT_EQ(colorAt(image, 3, 30), kBlack);
    EXPECT_EQ(colorAt(image, 2, 30), kBackground);
    EXPECT_EQ(colorAt(image, 85, 90), kDots);

    const auto notes = labelsOf(view.drawnLabels(), Kind::Note);
    ASSERT_EQ(notes.size(), 6u);
    const QStringList expected = {"E3", "B2", "G#2", "E2", "B1", "E1"};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(textsAtTop(notes, 23 + 20 * row), QStringList{expected[row]}) << row;
    }

    style.allFrets = true;
    restyle();
    image = render();
    const auto all = labelsOf(view.drawnLabels(), Kind::Note);
    EXPECT_EQ(all.size(), 78u);
    EXPECT_EQ(textsAtTop(all, 123),
              QString("E1 F1 F#1 G1 G#1 A1 A#1 B1 C2 C#2 D2 D#2 E2").split(' '));
    EXPECT_GT(countPixels(image, QRect(400, 20, 120, 120), QColor(232, 182, 114)), 0);

    style.orientation.leftHanded = true;
    restyle();
    render();
    const auto mirrored = labelsOf(view.drawnLabels(), Kind::Note);
    EXPECT_EQ(textsAtTop(mirrored, 122).first(), "E2") << "fret 12 is now leftmost";
}

TEST_F(FretboardChord, TuningsOutsideTheTableSkipOnlyThatString) {
    view.setTuning({"Odd", "E1,A1,D2,G2,B2,Q9"});
    view.setNoteLabels(true);
    style.allFrets = true;
    restyle();
    view.setChord({"E", "Em", "0 2 2 1 0 0"});
    render();
    EXPECT_EQ(labelsOf(view.drawnLabels(), Kind::Note).size(), 65u);
}

using FretboardScale = Fixture;

TEST_F(FretboardScale, MajorScaleMovedToD) {
    model::Scale major;
    major.setNotes("C,D,E,F,G,A,B");
    major.setIntervals("1,2,3,4,5,6,7");
    view.setChordMode(false);
    EXPECT_TRUE(view.setScale(major, 2));
    const QImage image = render();

    // String 6 (bottom line): D major holds E F# G A B C# D E at these frets.
    // Left of the interval's text, and the box's outline three pixels into the cell.
    const auto fill = [this](int f) { return at(6, f) - QPoint(10, 0); };
    const auto outline = [this](int f) {
        return QPoint(view.fretboardGeometry().cell(6, f).left() + 3, at(6, f).y());
    };
    for (int f : {0, 2, 3, 5, 7, 9, 10, 12}) {
        EXPECT_EQ(colorAt(image, fill(f).x(), fill(f).y()), kDots) << "fret " << f;
        EXPECT_EQ(colorAt(image, outline(f).x(), outline(f).y()), kBlack) << "fret " << f;
    }
    for (int f : {1, 4, 6, 8, 11}) {
        EXPECT_NE(colorAt(image, fill(f).x(), fill(f).y()), kDots) << "fret " << f;
    }
    const auto intervals = labelsOf(view.drawnLabels(), Kind::Interval);
    EXPECT_EQ(textsAtTop(intervals, 123), QString("2 3 4 5 6 7 1 2").split(' '));
    // String 1 (top line): E F# G A B C# D E as well.
    EXPECT_EQ(textsAtTop(intervals, 23), QString("2 3 4 5 6 7 1 2").split(' '));
    EXPECT_GT(countPixels(image, QRect(0, 20, 530, 120), QColor(0, 251, 0)), 0);

    view.setIntervalLabels(false);
    view.setNoteLabels(true);
    render();
    EXPECT_TRUE(labelsOf(view.drawnLabels(), Kind::Interval).empty());
    EXPECT_EQ(textsAtTop(labelsOf(view.drawnLabels(), Kind::Note), 123),
              QString("E1 F#1 G1 A1 B1 C#2 D2 E2").split(' '));
}

TEST_F(FretboardScale, FlatNamesShowTheMessage) {
    model::Scale minor;
    minor.setNotes("C,D,Eb,F,G");
    minor.setIntervals("1,2,b3,4,5");
    view.setChordMode(false);
    view.setNoteLabels(true);
    view.setScale(minor, 0);
    const QImage image = render();
    EXPECT_EQ(labelsOf(view.drawnLabels(), Kind::Message).size(), 1u);
    EXPECT_TRUE(labelsOf(view.drawnLabels(), Kind::Interval).empty());
    EXPECT_TRUE(labelsOf(view.drawnLabels(), Kind::Note).empty());
    EXPECT_EQ(countPixels(image, QRect(0, 20, 530, 126), QColor(92, 128, 224)), 0);
}

TEST_F(FretboardScale, ShortLabelListLabelsOnlyTheNotesItCovers) {
    model::Scale triad;
    triad.setNotes("C,E,G");
    triad.setIntervals("1");
    view.setChordMode(false);
    view.setScale(triad, 0);
    const QImage image = render();
    const QPoint open6 = at(6, 0) - QPoint(10, 0);
    EXPECT_EQ(colorAt(image, open6.x(), open6.y()), kDots) << "E open on string 6";
    EXPECT_EQ(textsAtTop(labelsOf(view.drawnLabels(), Kind::Interval), 123),
              QStringList{"1"}); // C at fret 8 only
}

using FretboardEditing = Fixture;

TEST_F(FretboardEditing, ClickingAFretTogglesItOnce) {
    QSignalSpy spy(&view, &FretboardView::edited);
    view.setEditing(true);
    view.setChord({"A", "", "x x x x x x"});

    const FretboardGeometry neck = view.fretboardGeometry();
    EXPECT_EQ(at(1, 3), QPoint(140, 30)) << "column 3, row 1";
    release(at(1, 3));
    EXPECT_EQ(view.chord().Tab, "x x x x x 3");
    EXPECT_EQ(spy.count(), 1);
    release(at(1, 3) + QPoint(10, 5)); // elsewhere in the same cell
    EXPECT_EQ(view.chord().Tab, "x x x x x x");
    EXPECT_EQ(spy.count(), 2);

    release(QPoint(at(1, 3).x(), neck.cell(1, 3).top() - 1));     // row 0: the fret numbers
    release(QPoint(at(6, 3).x(), neck.cell(6, 3).bottom() + 1));  // below the last string's row
    release(QPoint(neck.cell(1, 12).right() + 1, at(1, 12).y())); // beyond fret 12
    release(QPoint(-5, at(1, 0).y()));                            // dragged off the left edge
    release(at(1, 3), Qt::RightButton);
    EXPECT_EQ(view.chord().Tab, "x x x x x x");
    EXPECT_EQ(spy.count(), 2);

    view.setEditing(false);
    release(at(1, 3));
    EXPECT_EQ(view.chord().Tab, "x x x x x x");
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(FretboardEditing, OrientationDecidesStringAndFret) {
    QSignalSpy spy(&view, &FretboardView::edited);
    view.setEditing(true);
    style.orientation = {.leftHanded = true, .upsideDown = true};
    restyle();
    view.setChord({"A", "", "x x x x x x"});

    // Left-handed, column 13 is the open string; upside down, row 1 is string 6.
    EXPECT_EQ(at(6, 0), QPoint(540, 30));
    release(at(6, 0));
    EXPECT_EQ(view.chord().Tab, "0 x x x x x");
    const QRect twelfth = view.fretboardGeometry().cell(6, 12);
    release(QPoint(twelfth.left() - 1, at(6, 12).y())); // column 0 lies beyond fret 12
    EXPECT_EQ(view.chord().Tab, "0 x x x x x");
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(FretboardEditing, ScaleClicksRemoveOrAddPitchClasses) {
    QSignalSpy spy(&view, &FretboardView::edited);
    model::Scale triad;
    triad.setNotes("C,E,G");
    triad.setIntervals("1,3,5");
    view.setChordMode(false);
    view.setEditing(true);
    view.setScale(triad, 5); // the stored lists stay in C whatever the key

    release(at(1, 0)); // E
    EXPECT_EQ(view.scale().Notes(), "C,G");
    EXPECT_EQ(view.scale().Intervals(), "1,5");
    release(at(6, 2)); // F#
    EXPECT_EQ(view.scale().Notes(), "C,G,F#");
    EXPECT_EQ(view.scale().Intervals(), "1,5,*");
    EXPECT_EQ(view.scale().Name, "New Scale");
    EXPECT_EQ(spy.count(), 2);
}

// What a screen reader reads in place of the picture.
using FretboardDescription = Fixture;

TEST_F(FretboardDescription, ChordIsItsTabAndTheNotesItsStringsSoundInTheTuning) {
    view.setChord({"D", "D", "x x 0 2 3 2"});
    EXPECT_EQ(view.accessibleDescription(), "x x 0 2 3 2: D2 A2 D3 F#3");
    view.setTuning({"Drop D", "D1,A1,D2,G2,B2,E3"});
    view.setChord({"D", "D", "0 0 0 2 3 2"});
    EXPECT_EQ(view.accessibleDescription(), "0 0 0 2 3 2: D1 A1 D2 A2 D3 F#3");
    view.setTuning(model::Tuning::standard());
    EXPECT_EQ(view.accessibleDescription(), "0 0 0 2 3 2: E1 A1 D2 A2 D3 F#3")
        << "the notes follow the tuning";

    view.setChord({"A", "", "x x x x x x"});
    EXPECT_EQ(view.accessibleDescription(), "x x x x x x");
    view.setChord({"A", "", ""});
    EXPECT_EQ(view.accessibleDescription(), "");
    // What cannot be drawn reads as the message drawn instead, in its language.
    view.setMessage("Kan inte visa detta.");
    view.setChord({"A", "", "x x x x x 13"});
    EXPECT_EQ(view.accessibleDescription(), "Kan inte visa detta.");
    view.setMessage("Sorry.");
    EXPECT_EQ(view.accessibleDescription(), "Sorry.");
}

TEST_F(FretboardDescription, StringsOutsideTheNoteTableNameNoNote) {
    view.setTuning({"Odd", "E1,A1,D2,G2,B2,Q9"});
    view.setChord({"C", "C", "x 3 2 0 1 0"});
    EXPECT_EQ(view.accessibleDescription(), "x 3 2 0 1 0: C2 E2 G2 C3");
}

TEST_F(FretboardDescription, ScaleIsItsNotesInTheKeyShown) {
    model::Scale major;
    major.setNotes("C,D,E,F,G,A,B");
    major.setIntervals("1,2,3,4,5,6,7");
    view.setChord({"C", "C", "x 3 2 0 1 0"});
    view.setScale(major, 2);
    EXPECT_EQ(view.accessibleDescription(), "x 3 2 0 1 0: C2 E2 G2 C3 E3")
        << "the chord is what chord mode shows";
    view.setChordMode(false);
    EXPECT_EQ(view.accessibleDescription(), "D E F# G A B C#");
    view.setScale(major, 11);
    EXPECT_EQ(view.accessibleDescription(), "B C# D# E F# G# A#");

    model::Scale minor;
    minor.setNotes("C,D,Eb,F,G");
    view.setMessage("Sorry.");
    view.setScale(minor, 0);
    EXPECT_EQ(view.accessibleDescription(), "Sorry.");
}

TEST_F(FretboardDescription, EditingClicksAreDescribedAtOnce) {
    view.setEditing(true);
    view.setChord({"A", "", "x x x x x x"});
    release(at(1, 3));
    EXPECT_EQ(view.accessibleDescription(), "x x x x x 3: G3");

    model::Scale triad;
    triad.setNotes("C,E,G");
    view.setChordMode(false);
    view.setScale(triad, 0);
    release(at(1, 0)); // E
    EXPECT_EQ(view.accessibleDescription(), "C G");
}

} // namespace
} // namespace strumvale::fretboard

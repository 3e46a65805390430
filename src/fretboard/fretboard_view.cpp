#include "fretboard/fretboard_view.h"

#include "fretboard/view_descriptions.h"
#include "model/fingering.h"
#include "model/notes.h"
#include "uikit/arrow_keys.h"
#include "uikit/contrast.h"
#include "uikit/pixel_font.h"
#include "uikit/text.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>

namespace strumvale::fretboard {

namespace {

using model::kHighestFret;
using model::kStringCount;

const QColor kStringNameColor(92, 128, 224);
const QColor kBackground(251, 251, 251);
const QColor kMessageColor(255, 0, 0);
const QColor kMessageBackground(255, 255, 255);

// Rectangles are given as the drawing defines them: left/top inclusive,
// right/bottom exclusive.
QRect area(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// A 1-pixel outline in Qt covers one pixel more than the rectangle's size, so
// outlined shapes shrink by one to end where the drawing says.
QRect outlined(const QRect& r) {
    return r.adjusted(0, 0, -1, -1);
}

// A text box centred horizontally on x, wide enough for "A#-1".
QRect centredOn(int x, int top) {
    return area(x - 20, top, x + 20, top + 16);
}

// A chord's marker within its cell: a 15-pixel dot, or a box wide enough for
// a note name; a scale's interval is written inside its box.
const QMargins kDotInset(13, 3, 12, 2);
const QMargins kBoxInset(3, 3, 4, 2);
const QMargins kIntervalInset(6, 3, 6, 2);

// The first table entry of a string whose 13 frets all lie inside the table.
std::optional<int> openEntry(const model::Tuning& tuning, int stringNumber) {
    const auto entry = model::noteIndex(model::tuningNote(tuning.Notes, stringNumber));
    if (!entry || *entry + kHighestFret >= model::kNoteCount) {
        return std::nullopt;
    }
    return entry;
}

std::string joinItems(const std::vector<std::string>& items) {
    std::string joined;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            joined += ',';
        }
        joined += items[i];
    }
    return joined;
}

} // namespace

FretboardView::FretboardView(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    uikit::usePixelFont(*this);
    // Reached with Tab; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    describe();
}

QColor FretboardView::background() const {
    return style_.whiteBackground ? kBackground : palette().color(QPalette::Window);
}

QColor FretboardView::ink() const {
    return uikit::inkOn(background(), palette());
}

void FretboardView::setPositionFormat(const QString& format) {
    positionFormat_ = format;
    describe();
}

void FretboardView::setMutedFormat(const QString& format) {
    mutedFormat_ = format;
    describe();
}

bool FretboardView::readsChord() const {
    return chordMode_ && !editing_;
}

int FretboardView::chordFret(int stringNumber) const {
    return model::fretOf(
        model::splitTab(chord_.Tab)[static_cast<std::size_t>(kStringCount - stringNumber)]);
}

bool FretboardView::setChord(const model::Chord& chord) {
    chord_ = chord;
    describe();
    update();
    return model::isValidTab(chord_.Tab);
}

bool FretboardView::setScale(const model::Scale& scale, int keyOffset) {
    scale_ = scale;
    keyOffset_ = keyOffset;
    describe();
    update();
    return true;
}

void FretboardView::setTuning(const model::Tuning& tuning) {
    tuning_ = tuning;
    describe();
    update();
}

void FretboardView::setNoteLabels(bool on) {
    noteLabels_ = on;
    update();
}

void FretboardView::setMessage(const QString& message) {
    message_ = message;
    describe();
}

void FretboardView::setStyle(const FretboardStyle& style) {
    if (style == style_) {
        return;
    }
    style_ = style;
    update();
}

void FretboardView::setChordMode(bool on) {
    chordMode_ = on;
    describe();
}

void FretboardView::describe() {
    if (cursorTold_) {
        if (readsChord() && chordFret(cursor_.stringNumber) < 0) {
            setAccessibleDescription(mutedFormat_.arg(cursor_.stringNumber));
            return;
        }
        const std::optional<int> open = openEntry(tuning_, cursor_.stringNumber);
        const QString note =
            open ? uikit::toQString(model::stripOctave(model::noteTable()[*open + cursor_.fret]))
                 : QString();
        setAccessibleDescription(
            positionFormat_.arg(cursor_.stringNumber).arg(cursor_.fret).arg(note));
        return;
    }
    const std::optional<std::string> shown =
        chordMode_ ? describeChord(chord_.Tab, tuning_.Notes) : describeScale(scale_, keyOffset_);
    // What cannot be drawn is described as the message drawn in its place.
    setAccessibleDescription(shown ? uikit::toQString(*shown) : message_);
}

std::vector<std::string> FretboardView::displayTokens() const {
    const model::TabTokens tokens = model::splitTab(chord_.Tab);
    std::vector<std::string> shown(tokens.begin(), tokens.end());
    if (!style_.orientation.upsideDown) {
        std::reverse(shown.begin(), shown.end());
    }
    return shown;
}

void FretboardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter);
}

void FretboardView::paint(QPainter& painter) {
    labels_.clear();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font());
    painter.fillRect(area(0, 0, kWidth, kHeight), background());

    drawStringNames(painter);
    drawNeck(painter);

    std::vector<std::string> pitchClasses;
    const bool drawn = chordMode_ ? drawChord(painter) : drawScale(painter, pitchClasses);
    if (noteLabels_ && drawn) {
        drawNoteLabels(painter, pitchClasses);
    }
    if (hasFocus())
        drawCursor(painter);
    painter.restore();
}

// A dotted frame round the cell, in the text's colour: seen on either background.
void FretboardView::drawCursor(QPainter& painter) {
    QPen pen(ink());
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        fretboardGeometry().cell(cursor_.stringNumber, cursor_.fret).adjusted(1, 1, -2, -2));
}

void FretboardView::setStringMarks(const std::array<QColor, 6>& marks) {
    if (marks == stringMarks_)
        return;
    stringMarks_ = marks;
    update();
}

void FretboardView::drawText(QPainter& painter, DrawnLabel::Kind kind, const QRect& box, int flags,
                             const QString& text) {
    painter.drawText(box, flags | Qt::TextDontClip, text);
    labels_.push_back({kind, box, text});
}

void FretboardView::drawStringNames(QPainter& painter) {
    // Beyond the strings' ends; left-handed not quite mirrored, two pixels in.
    const bool leftHanded = style_.orientation.leftHanded;
    const int left = leftHanded ? 7 : 535;
    const int right = leftHanded ? 27 : 555;
    const FretboardGeometry geometry = fretboardGeometry();
    for (int row = kStringCount; row >= 1; --row) {
        const int stringNumber = geometry.stringOnRow(row);
        const std::string name = model::stripOctave(model::tuningNote(tuning_.Notes, stringNumber));
        const int top = geometry.cell(stringNumber, 0).top() + 2;
        const QColor& mark = stringMarks_[static_cast<std::size_t>(kStringCount - stringNumber)];
        painter.setPen(uikit::legibleOn(mark.isValid() ? mark : kStringNameColor, background(),
                                        uikit::kTextContrast));
        drawText(painter, DrawnLabel::Kind::StringName, area(left, top, right, top + 20),
                 Qt::AlignLeft | Qt::AlignTop, uikit::toQString(name));
    }
}

void FretboardView::drawNeck(QPainter& painter) {
    const FretboardGeometry geometry = fretboardGeometry();
    painter.setPen(ink());
    for (int f = 0; f <= kHighestFret; ++f) {
        drawText(painter, DrawnLabel::Kind::FretNumber, centredOn(geometry.columnCentre(f), 4),
                 Qt::AlignHCenter | Qt::AlignTop, QString::number(f));
    }

    QPen pen(ink());
    pen.setCapStyle(Qt::FlatCap);
    // The strings run from the nut, the wire after the open strings' column,
    // to just past fret 12's wire.
    const int nut = geometry.placeX(FretboardGeometry::kColumnWidth);
    const int stringsEnd =
        geometry.placeX(FretboardGeometry::kColumnWidth * (kHighestFret + 1) + 10);
    const int stringStart = std::min(nut, stringsEnd);
    const int stringEnd = std::max(nut, stringsEnd);
    for (int row = 1; row <= kStringCount; ++row) {
        // The lower-sounding strings are always the thicker ones.
        const bool lowString = geometry.stringOnRow(row) > kStringCount / 2;
        const QColor& mark =
            stringMarks_[static_cast<std::size_t>(kStringCount - geometry.stringOnRow(row))];
        QPen string = pen;
        string.setWidth((lowString ? 2 : 1) + (mark.isValid() ? 1 : 0));
        string.setColor(mark.isValid()
                            ? uikit::legibleOn(mark, background(), uikit::kGraphicsContrast)
                            : pen.color());
        painter.setPen(string);
        const int y = geometry.rowCentre(row);
        painter.drawLine(stringStart, y, stringEnd - 1, y);
    }

    // The wires reach from just under the first string to just over the last.
    const int wireTop = geometry.rowCentre(1) + 1;
    const int wireBottom = geometry.rowCentre(kStringCount) - 2;
    pen.setWidth(2);
    painter.setPen(pen);
    for (int m = 0; m <= kHighestFret; ++m) {
        const int x = geometry.placeX(FretboardGeometry::kColumnWidth * (m + 1));
        painter.drawLine(x, wireTop, x, wireBottom);
    }
    pen.setWidth(3);
    painter.setPen(pen);
    painter.drawLine(nut, wireTop, nut, wireBottom);

    painter.setPen(QPen(ink(), 1));
    painter.setBrush(ink());
    const std::array<QRect, 6> dots = {area(135, 75, 145, 85), area(215, 75, 225, 85),
                                       area(295, 75, 305, 85), area(375, 75, 385, 85),
                                       area(495, 55, 505, 65), area(495, 95, 505, 105)};
    for (const QRect& dot : dots) {
        painter.drawEllipse(outlined(geometry.place(dot)));
    }
    painter.setBrush(Qt::NoBrush);
}

bool FretboardView::drawChord(QPainter& painter) {
    if (chord_.Tab.empty()) {
        return false;
    }
    if (!model::isValidTab(chord_.Tab)) {
        drawMessage(painter);
        return false;
    }
    painter.setPen(QPen(ink(), 1));
    painter.setBrush(style_.dotsColour);
    const FretboardGeometry geometry = fretboardGeometry();
    const std::vector<std::string> tokens = displayTokens();
    for (int row = 1; row <= kStringCount; ++row) {
        const int f = model::fretOf(tokens[static_cast<std::size_t>(row - 1)]);
        if (f < 0) {
            continue;
        }
        const int stringNumber = geometry.stringOnRow(row);
        if (noteLabels_) {
            painter.drawRoundedRect(outlined(geometry.cell(stringNumber, f, kBoxInset)), 5, 5);
        } else {
            painter.drawEllipse(outlined(geometry.cell(stringNumber, f, kDotInset)));
        }
    }
    painter.setBrush(Qt::NoBrush);
    return true;
}

bool FretboardView::drawScale(QPainter& painter, std::vector<std::string>& pitchClasses) {
    pitchClasses = scale_.noteList();
    const std::vector<std::string> intervals = scale_.intervalList();
    if (!std::all_of(pitchClasses.begin(), pitchClasses.end(),
                     [](const std::string& pc) { return isSharpPitchClass(pc); })) {
        drawMessage(painter);
        return false;
    }
    // An offset outside 0..11 would move past the end of the pitch-class sequence.
    pitchClasses = model::transposePitchClasses(pitchClasses, ((keyOffset_ % 12) + 12) % 12);

    // From the bottom row up, as the labels have always been drawn.
    const FretboardGeometry geometry = fretboardGeometry();
    for (int row = kStringCount; row >= 1; --row) {
        const int stringNumber = geometry.stringOnRow(row);
        const auto open = openEntry(tuning_, stringNumber);
        if (!open) {
            continue;
        }
        for (int f = 0; f <= kHighestFret; ++f) {
            const std::string note = model::stripOctave(model::noteTable()[*open + f]);
            for (std::size_t m = 0; m < pitchClasses.size(); ++m) {
                if (note != pitchClasses[m]) {
                    continue;
                }
                painter.setPen(QPen(ink(), 1));
                painter.setBrush(style_.dotsColour);
                painter.drawRoundedRect(outlined(geometry.cell(stringNumber, f, kBoxInset)), 5, 5);
                painter.setBrush(Qt::NoBrush);
                if (intervalLabels_ && m < intervals.size()) {
                    painter.setPen(style_.intervalTextColour);
                    drawText(painter, DrawnLabel::Kind::Interval,
                             geometry.cell(stringNumber, f, kIntervalInset), Qt::AlignCenter,
                             uikit::toQString(intervals[m]));
                }
            }
        }
    }
    return true;
}

void FretboardView::drawNoteLabels(QPainter& painter,
                                   const std::vector<std::string>& pitchClasses) {
    // The user's colour stays; where it would vanish into a dark background
    // each name is outlined in the ink first.
    const QColor colour = style_.noteTextColour;
    const bool outlined = uikit::isDark(background()) &&
                          uikit::contrastRatio(colour, background()) < uikit::kTextContrast;
    const QColor outline = ink();
    const FretboardGeometry geometry = fretboardGeometry();
    const std::vector<std::string> tokens = displayTokens();
    for (int row = 1; row <= kStringCount; ++row) {
        const int stringNumber = geometry.stringOnRow(row);
        const auto open = openEntry(tuning_, stringNumber);
        if (!open) {
            continue;
        }
        // Left-handed, the names sit a pixel higher in their cells.
        const int top =
            geometry.cell(stringNumber, 0).top() + (style_.orientation.leftHanded ? 2 : 3);
        for (int f = 0; f <= kHighestFret; ++f) {
            const std::string_view name = model::noteTable()[*open + f];
            bool shown = style_.allFrets;
            if (!shown && chordMode_) {
                shown = model::fretOf(tokens[static_cast<std::size_t>(row - 1)]) == f;
            } else if (!shown) {
                shown = std::find(pitchClasses.begin(), pitchClasses.end(),
                                  model::stripOctave(name)) != pitchClasses.end();
            }
            if (!shown)
                continue;
            const QRect box = centredOn(geometry.columnCentre(f), top);
            const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip;
            if (outlined) {
                painter.setPen(outline);
                for (const QPoint step : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
                    painter.drawText(box.translated(step), flags, uikit::toQString(name));
            }
            painter.setPen(colour);
            drawText(painter, DrawnLabel::Kind::Note, box, Qt::AlignHCenter | Qt::AlignTop,
                     uikit::toQString(name));
        }
    }
}

void FretboardView::drawMessage(QPainter& painter) {
    const QRect box = area(43, 112, 400, 150);
    const int flags = Qt::AlignLeft | Qt::AlignTop;
    // Red on a white box, or on a dark background red light enough to read.
    const QColor under = uikit::isDark(background()) ? background() : kMessageBackground;
    painter.fillRect(painter.boundingRect(box, flags, message_).intersected(box), under);
    painter.setPen(uikit::legibleOn(kMessageColor, under, uikit::kTextContrast));
    painter.drawText(box, flags, message_);
    labels_.push_back({DrawnLabel::Kind::Message, box, message_});
}

void FretboardView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (!editing_) {
        return;
    }
    const std::optional<FretPosition> clicked =
        fretboardGeometry().positionAt(event->position().toPoint());
    if (!clicked) {
        return;
    }
    clickAt(*clicked);
}

void FretboardView::clickAt(const FretPosition& place) {
    emit fretClicked(place.stringNumber, place.fret);
    if (chordMode_) {
        editChord(place.stringNumber, place.fret);
    } else {
        editScale(place.stringNumber, place.fret);
    }
    describe();
    update();
    emit edited();
}

void FretboardView::setStringFret(int stringNumber, const std::string& fret) {
    model::TabTokens tokens = model::splitTab(chord_.Tab);
    tokens[static_cast<std::size_t>(kStringCount - stringNumber)] = fret;
    chord_.Tab = model::joinTab(tokens);
    describe();
    update();
    emit edited();
}

// Arrows move as the neck is drawn: across the frets as they lie on the
// screen, down the strings' rows.
void FretboardView::moveCursor(int across, int down) {
    const FretboardGeometry geometry = fretboardGeometry();
    const int step = style_.orientation.leftHanded ? -across : across;
    cursor_.fret = std::clamp(cursor_.fret + step, 0, kHighestFret);
    const int row = std::clamp(geometry.rowOfString(cursor_.stringNumber) + down, 1, kStringCount);
    cursor_.stringNumber = geometry.stringOnRow(row);
    // A chord shown, not edited, is read string by string: a step to a
    // string lands on the fret the chord holds there.
    if (readsChord() && down != 0 && chordFret(cursor_.stringNumber) >= 0)
        cursor_.fret = chordFret(cursor_.stringNumber);
    cursorTold_ = true;
    describe();
    update();
}

void FretboardView::keyPressEvent(QKeyEvent* event) {
    const bool chordEdit = editing_ && chordMode_;
    if (const std::optional<QPoint> step = uikit::arrowStep(event->key())) {
        moveCursor(step->x(), step->y());
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (editing_) {
            clickAt(cursor_);
            return;
        }
        break;
    case Qt::Key_X:
    case Qt::Key_Delete:
        if (chordEdit) {
            setStringFret(cursor_.stringNumber, "x");
            return;
        }
        break;
    case Qt::Key_0:
        if (chordEdit) {
            emit fretClicked(cursor_.stringNumber, 0);
            setStringFret(cursor_.stringNumber, "0");
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void FretboardView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void FretboardView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    cursorTold_ = false;
    describe();
    update();
}

void FretboardView::editChord(int stringNumber, int fret) {
    model::TabTokens tokens = model::splitTab(chord_.Tab);
    std::string& token = tokens[static_cast<std::size_t>(kStringCount - stringNumber)];
    token = model::fretOf(token) == fret ? "x" : std::to_string(fret);
    chord_.Tab = model::joinTab(tokens);
}

void FretboardView::editScale(int stringNumber, int fret) {
    // Editing always happens on the standard tuning, strings 1 to 6.
    static constexpr std::array<int, kStringCount> kStandardOpen = {48, 43, 39, 34, 29, 24};
    const std::string clicked = model::stripOctave(
        model::noteTable()[kStandardOpen[static_cast<std::size_t>(stringNumber - 1)] + fret]);

    std::vector<std::string> notes = scale_.noteList();
    std::vector<std::string> intervals = scale_.intervalList();
    bool removed = false;
    for (std::size_t i = notes.size(); i-- > 0;) {
        if (notes[i] != clicked) {
            continue;
        }
        notes.erase(notes.begin() + static_cast<std::ptrdiff_t>(i));
        if (i < intervals.size()) {
            intervals.erase(intervals.begin() + static_cast<std::ptrdiff_t>(i));
        }
        removed = true;
    }
    if (!removed) {
        notes.push_back(clicked);
        intervals.push_back("*");
    }
    scale_.setNotes(joinItems(notes));
    scale_.setIntervals(joinItems(intervals));
}

} // namespace strumvale::fretboard

#include "fretboard/fretboard_view.h"

#include "fretboard/view_descriptions.h"
#include "model/fingering.h"
#include "model/notes.h"
#include "uikit/pixel_font.h"
#include "uikit/text.h"

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
    describe();
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

void FretboardView::setChordMode(bool on) {
    chordMode_ = on;
    describe();
}

void FretboardView::describe() {
    const std::optional<std::string> shown =
        chordMode_ ? describeChord(chord_.Tab, tuning_.Notes) : describeScale(scale_, keyOffset_);
    // What cannot be drawn is described as the message drawn in its place.
    setAccessibleDescription(shown ? uikit::toQString(*shown) : message_);
}

std::vector<std::string> FretboardView::displayTokens() const {
    const model::TabTokens tokens = model::splitTab(chord_.Tab);
    std::vector<std::string> shown(tokens.begin(), tokens.end());
    if (!upsideDown_) {
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
    painter.fillRect(area(0, 0, kWidth, kHeight),
                     whiteBackground_ ? kBackground : palette().color(QPalette::Window));

    drawStringNames(painter);
    drawNeck(painter);

    std::vector<std::string> pitchClasses;
    const bool drawn = chordMode_ ? drawChord(painter) : drawScale(painter, pitchClasses);
    if (noteLabels_ && drawn) {
        drawNoteLabels(painter, pitchClasses);
    }
    painter.restore();
}

void FretboardView::drawText(QPainter& painter, DrawnLabel::Kind kind, const QRect& box, int flags,
                             const QString& text) {
    painter.drawText(box, flags | Qt::TextDontClip, text);
    labels_.push_back({kind, box, text});
}

void FretboardView::drawStringNames(QPainter& painter) {
    painter.setPen(kStringNameColor);
    const int left = leftHanded_ ? 7 : 535;
    const int right = leftHanded_ ? 27 : 555;
    for (int k = 0; k < kStringCount; ++k) {
        const int stringNumber = upsideDown_ ? k + 1 : 6 - k;
        const std::string name = model::stripOctave(model::tuningNote(tuning_.Notes, stringNumber));
        drawText(painter, DrawnLabel::Kind::StringName,
                 area(left, 122 - 20 * k, right, 142 - 20 * k), Qt::AlignLeft | Qt::AlignTop,
                 uikit::toQString(name));
    }
}

void FretboardView::drawNeck(QPainter& painter) {
    painter.setPen(Qt::black);
    for (int f = 0; f <= kHighestFret; ++f) {
        drawText(painter, DrawnLabel::Kind::FretNumber, centredOn(mirrorX(20 + 40 * f), 4),
                 Qt::AlignHCenter | Qt::AlignTop, QString::number(f));
    }

    QPen pen(Qt::black);
    pen.setCapStyle(Qt::FlatCap);
    const int stringStart = std::min(mirrorX(40), mirrorX(530));
    const int stringEnd = std::max(mirrorX(40), mirrorX(530));
    for (int row = 0; row < kStringCount; ++row) {
        // The lower-sounding strings are always the thicker ones.
        const bool lowString = (row >= 3) != upsideDown_;
        pen.setWidth(lowString ? 2 : 1);
        painter.setPen(pen);
        const int y = 30 + 20 * row;
        painter.drawLine(stringStart, y, stringEnd - 1, y);
    }

    pen.setWidth(2);
    painter.setPen(pen);
    for (int m = 0; m <= kHighestFret; ++m) {
        const int x = mirrorX(40 + 40 * m);
        painter.drawLine(x, 31, x, 128);
    }
    pen.setWidth(3);
    painter.setPen(pen);
    painter.drawLine(mirrorX(40), 31, mirrorX(40), 128);

    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    const std::array<QRect, 6> dots = {area(135, 75, 145, 85), area(215, 75, 225, 85),
                                       area(295, 75, 305, 85), area(375, 75, 385, 85),
                                       area(495, 55, 505, 65), area(495, 95, 505, 105)};
    for (const QRect& dot : dots) {
        const QRect shown = leftHanded_ ? area(560 - (dot.right() + 1), dot.top(), 560 - dot.left(),
                                               dot.bottom() + 1)
                                        : dot;
        painter.drawEllipse(outlined(shown));
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
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(dotsColor_);
    const std::vector<std::string> tokens = displayTokens();
    for (int k = 0; k < kStringCount; ++k) {
        const int f = model::fretOf(tokens[static_cast<std::size_t>(k)]);
        if (f < 0) {
            continue;
        }
        const int top = 23 + 20 * k;
        const int bottom = 38 + 20 * k;
        if (noteLabels_) {
            const QRect box = leftHanded_ ? area(524 - 40 * f, top, 557 - 40 * f, bottom)
                                          : area(40 * f + 3, top, 40 * f + 36, bottom);
            painter.drawRoundedRect(outlined(box), 5, 5);
        } else {
            const QRect box = leftHanded_ ? area(532 - 40 * f, top, 547 - 40 * f, bottom)
                                          : area(40 * f + 13, top, 40 * f + 28, bottom);
            painter.drawEllipse(outlined(box));
        }
    }
    painter.setBrush(Qt::NoBrush);
    return true;
}

bool FretboardView::drawScale(QPainter& painter, std::vector<std::string>& pitchClasses) {
    pitchClasses = scale_.NoteList();
    const std::vector<std::string> intervals = scale_.IntervalList();
    if (!std::all_of(pitchClasses.begin(), pitchClasses.end(),
                     [](const std::string& pc) { return isSharpPitchClass(pc); })) {
        drawMessage(painter);
        return false;
    }
    // An offset outside 0..11 would move past the end of the pitch-class sequence.
    pitchClasses = model::transposePitchClasses(pitchClasses, ((keyOffset_ % 12) + 12) % 12);

    for (int k = 0; k < kStringCount; ++k) {
        const int stringNumber = upsideDown_ ? k + 1 : 6 - k;
        const auto open = openEntry(tuning_, stringNumber);
        if (!open) {
            continue;
        }
        const int top = 123 - 20 * k;
        const int bottom = 138 - 20 * k;
        for (int f = 0; f <= kHighestFret; ++f) {
            const std::string note = model::stripOctave(model::noteTable()[*open + f]);
            for (std::size_t m = 0; m < pitchClasses.size(); ++m) {
                if (note != pitchClasses[m]) {
                    continue;
                }
                painter.setPen(QPen(Qt::black, 1));
                painter.setBrush(dotsColor_);
                const QRect box = leftHanded_ ? area(524 - 40 * f, top, 557 - 40 * f, bottom)
                                              : area(3 + 40 * f, top, 36 + 40 * f, bottom);
                painter.drawRoundedRect(outlined(box), 5, 5);
                painter.setBrush(Qt::NoBrush);
                if (intervalLabels_ && m < intervals.size()) {
                    painter.setPen(intervalTextColor_);
                    const QRect label = leftHanded_ ? area(526 - 40 * f, top, 554 - 40 * f, bottom)
                                                    : area(6 + 40 * f, top, 34 + 40 * f, bottom);
                    drawText(painter, DrawnLabel::Kind::Interval, label, Qt::AlignCenter,
                             uikit::toQString(intervals[m]));
                }
            }
        }
    }
    return true;
}

void FretboardView::drawNoteLabels(QPainter& painter,
                                   const std::vector<std::string>& pitchClasses) {
    painter.setPen(noteTextColor_);
    const std::vector<std::string> tokens = displayTokens();
    for (int r = 0; r < kStringCount; ++r) {
        const auto open = openEntry(tuning_, stringOnRow(r + 1));
        if (!open) {
            continue;
        }
        const int top = leftHanded_ ? 22 + 20 * r : 23 + 20 * r;
        for (int f = 0; f <= kHighestFret; ++f) {
            const std::string_view name = model::noteTable()[*open + f];
            bool shown = allFrets_;
            if (!shown && chordMode_) {
                shown = model::fretOf(tokens[static_cast<std::size_t>(r)]) == f;
            } else if (!shown) {
                shown = std::find(pitchClasses.begin(), pitchClasses.end(),
                                  model::stripOctave(name)) != pitchClasses.end();
            }
            if (shown) {
                drawText(painter, DrawnLabel::Kind::Note, centredOn(mirrorX(20 + 40 * f), top),
                         Qt::AlignHCenter | Qt::AlignTop, uikit::toQString(name));
            }
        }
    }
}

void FretboardView::drawMessage(QPainter& painter) {
    const QRect box = area(43, 112, 400, 150);
    const int flags = Qt::AlignLeft | Qt::AlignTop;
    painter.fillRect(painter.boundingRect(box, flags, message_).intersected(box),
                     kMessageBackground);
    painter.setPen(kMessageColor);
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
    const QPoint at = event->position().toPoint();
    // A release dragged off the left or top edge must not divide to row or column 0.
    if (at.x() < 0 || at.y() < 0) {
        return;
    }
    const int column = at.x() / 40;
    const int row = at.y() / 20;
    if (row < 1 || row > kStringCount) {
        return;
    }
    const int fret = leftHanded_ ? 13 - column : column;
    if (fret < 0 || fret > kHighestFret) {
        return;
    }
    emit fretClicked(stringOnRow(row), fret);
    if (chordMode_) {
        editChord(stringOnRow(row), fret);
    } else {
        editScale(stringOnRow(row), fret);
    }
    describe();
    update();
    emit edited();
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

    std::vector<std::string> notes = scale_.NoteList();
    std::vector<std::string> intervals = scale_.IntervalList();
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
    scale_.SetNotes(joinItems(notes));
    scale_.SetIntervals(joinItems(intervals));
}

} // namespace strumvale::fretboard

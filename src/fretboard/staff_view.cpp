#include "fretboard/staff_view.h"

#include "fretboard/view_descriptions.h"
#include "model/fingering.h"
#include "uikit/contrast.h"
#include "uikit/text.h"

#include <QPainter>
#include <stdexcept>
#include <utility>

namespace strumvale::fretboard {

namespace {

const QColor kBackground(251, 251, 251);
const QColor kMarkBackground(255, 255, 255);
// The sounding column: a light band behind its lines and marks.
const QColor kPlayingBackground(255, 224, 140);

} // namespace

StaffView::StaffView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFixedSize(kWidth + 2 * frameWidth(), kHeight + 2 * frameWidth());
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont small = font();
    small.setPixelSize(11);
    // Text pixels in exactly the chosen colours, as on a bitmap font.
    small.setStyleStrategy(QFont::NoAntialias);
    setFont(small);
}

const model::Chord& StaffView::chord(int index) const {
    return chords_.at(static_cast<std::size_t>(index));
}

void StaffView::setChord(int index, const model::Chord& chord) {
    chords_.at(static_cast<std::size_t>(index)) = chord;
    describe();
}

void StaffView::setChords(std::vector<model::Chord> chords) {
    chords_ = std::move(chords);
    describe();
}

void StaffView::appendChord(const model::Chord& chord) {
    chords_.push_back(chord);
    describe();
}

void StaffView::insertChord(int index, const model::Chord& chord) {
    if (index < 0 || index > chordCount()) {
        throw std::out_of_range("StaffView::insertChord");
    }
    chords_.insert(chords_.begin() + index, chord);
    describe();
}

void StaffView::removeChord(int index) {
    if (index < 0 || index >= chordCount()) {
        throw std::out_of_range("StaffView::removeChord");
    }
    chords_.erase(chords_.begin() + index);
    describe();
}

void StaffView::clearChords() {
    chords_.clear();
    describe();
}

void StaffView::setPlayingColumn(int column) {
    if (column == playingColumn_)
        return;
    playingColumn_ = column;
    update();
}

void StaffView::describe() {
    setAccessibleDescription(uikit::toQString(describePlaylist(chords_)));
}

void StaffView::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QPoint origin = contentsRect().topLeft();
        painter.fillRect(rect(), background());
        painter.translate(origin);
        paint(painter);
    }
    QFrame::paintEvent(event);
}

// The staff's own light strip, unless the palette is dark (a white page
// background makes it light again): then the palette's own.
QColor StaffView::background() const {
    const QColor window = palette().color(QPalette::Window);
    return uikit::isDark(window) ? window : kBackground;
}

void StaffView::paint(QPainter& painter) {
    labels_.clear();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font());
    const QColor paper = background();
    const bool dark = uikit::isDark(paper);
    const QColor markBackground = dark ? paper : kMarkBackground;
    const QColor playingBackground = uikit::shadeOn(kPlayingBackground, paper, palette());
    painter.fillRect(QRect(0, 0, kWidth, kHeight), paper);
    const bool marking = playingColumn_ >= 0 && playingColumn_ < kColumns;
    if (marking) {
        const QRect band(10 + 20 * playingColumn_, 2, 20, 82);
        painter.fillRect(band, playingBackground);
        labels_.push_back({DrawnLabel::Kind::PlayingMark, band, QString()});
    }

    QPen pen(uikit::inkOn(paper, palette()), 1);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    for (int s = 0; s < model::kStringCount; ++s) {
        const int y = 10 + 13 * s;
        painter.drawLine(10, y, 549, y);
    }
    painter.drawLine(10, 10, 10, 75);
    painter.drawLine(550, 10, 550, 75);

    const int flags = Qt::AlignCenter | Qt::TextDontClip;
    for (std::size_t i = 0; i < chords_.size(); ++i) {
        const int left = 10 + 20 * static_cast<int>(i);
        for (int s = 1; s <= model::kStringCount; ++s) {
            const QString text = uikit::toQString(model::tabToken(chords_[i].Tab, s));
            const QRect box(left, 3 + 13 * (s - 1), 20, 17);
            // Opaque text: the staff line breaks behind each mark.
            painter.fillRect(painter.boundingRect(box, flags, text),
                             marking && static_cast<int>(i) == playingColumn_ ? playingBackground
                                                                              : markBackground);
            painter.drawText(box, flags, text);
            labels_.push_back({DrawnLabel::Kind::Tab, box, text});
        }
    }
    painter.restore();
}

} // namespace strumvale::fretboard

#include "songs/song_sheet_view.h"

#include "songs/sheet_accessibility.h"
#include "uikit/contrast.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace strumvale::songs {

SongSheetView::SongSheetView(QWidget* parent) : SheetColumnView(parent) {
    installSheetAccessibility();
    // Reached with Tab, so that a screen reader can be taken through the lines.
    setFocusPolicy(Qt::StrongFocus);
}

void SongSheetView::showSong(const model::Song& song, sheets::Translate translate,
                             qreal lyricPoints) {
    song_ = song;
    translate_ = std::move(translate);
    lyricPoints_ = lyricPoints;
    marked_.reset();
    setContent([this](sheets::SheetDocument& sheet) {
        drawn_ = sheets::addSongSections(sheet, song_, translate_, lyricPoints_);
    });
}

void SongSheetView::setLyricPoints(qreal points) {
    lyricPoints_ = points;
    rebuild();
}

void SongSheetView::built() {
    // A line wider than the window is scrolled to, not cut.
    setMinimumWidth(static_cast<int>(std::ceil(drawn_.width)) + 2 * kMargin);
    if (marked_ && *marked_ >= chordCount())
        marked_.reset();
}

void SongSheetView::markChord(std::optional<int> index) {
    if (index && (*index < 0 || *index >= chordCount()))
        index.reset();
    if (index == marked_)
        return;
    if (marked_)
        update(chordRect(*marked_).adjusted(-4, -4, 4, 4));
    marked_ = index;
    if (marked_)
        update(chordRect(*marked_).adjusted(-4, -4, 4, 4));
}

QRectF SongSheetView::columnBox(int index) const {
    if (index < 0 || index >= chordCount())
        return {};
    const sheets::DrawnChord& chord = drawn_.chords[static_cast<std::size_t>(index)];
    return chord.box.translated(0, sheet().blockTop(chord.block));
}

QRect SongSheetView::chordRect(int index) const {
    return columnBox(index).translated(origin()).toAlignedRect();
}

QString SongSheetView::spokenLine(int index) const {
    return index >= 0 && index < lineCount() ? drawn_.lines[static_cast<std::size_t>(index)].spoken
                                             : QString();
}

QRect SongSheetView::lineRect(int index) const {
    if (index < 0 || index >= lineCount())
        return {};
    const std::size_t block = drawn_.lines[static_cast<std::size_t>(index)].block;
    const qreal top = sheet().blockTop(block);
    return QRectF(0, top, sheet().width(), sheet().blockTop(block + 1) - top)
        .translated(origin())
        .toAlignedRect();
}

std::optional<int> SongSheetView::lineAt(const QPoint& point) const {
    for (int line = 0; line < lineCount(); ++line) {
        const QRect box = lineRect(line);
        if (point.y() >= box.top() && point.y() <= box.bottom())
            return line;
    }
    return std::nullopt;
}

void SongSheetView::setLoopLines(std::optional<std::pair<int, int>> lines) {
    if (lines && (lines->first < 0 || lines->first > lines->second))
        lines.reset();
    if (lines == loop_)
        return;
    loop_ = lines;
    update();
}

void SongSheetView::mousePressEvent(QMouseEvent* event) {
    SheetColumnView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (const std::optional<int> line = lineAt(event->position().toPoint()))
        emit lineClicked(*line, event->modifiers().testFlag(Qt::ShiftModifier));
}

void SongSheetView::paintUnder(QPainter& painter) {
    if (loop_ && loop_->second < lineCount()) {
        // Into the margin too, so that the band reads as a bracket of lines.
        const QRect first = lineRect(loop_->first);
        const QRect last = lineRect(loop_->second);
        const QRectF band = QRectF(QPointF(first.left(), first.top()),
                                   QPointF(first.right() + 1, last.bottom() + 1))
                                .translated(-origin())
                                .adjusted(-kMargin / 2.0, 0, 0, 0);
        painter.fillRect(band, uikit::shadeOn(loopColour(), paper(), palette()));
    }
    if (!marked_)
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(uikit::shadeOn(markColour(), paper(), palette()));
    painter.drawRoundedRect(columnBox(*marked_).adjusted(-3, 0, 3, 0), 3, 3);
    painter.restore();
}

} // namespace strumvale::songs

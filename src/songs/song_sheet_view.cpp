#include "songs/song_sheet_view.h"

#include "songs/sheet_accessibility.h"

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

void SongSheetView::paintUnder(QPainter& painter) {
    if (!marked_)
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(markColour());
    painter.drawRoundedRect(columnBox(*marked_).adjusted(-3, 0, 3, 0), 3, 3);
    painter.restore();
}

} // namespace strumvale::songs

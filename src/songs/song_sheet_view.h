#pragma once

#include "model/song.h"
#include "sheets/sheets.h"
#include "sheets/song_drawing.h"
#include "songs/sheet_column_view.h"

#include <QColor>
#include <optional>
#include <utility>

namespace strumvale::songs {

// The song's sections as the printed sheet draws them, at the reader's lyric
// size; the chord that sounds is marked. A screen reader reads it line by
// line, each lyric line with its chords.
class SongSheetView : public SheetColumnView {
    Q_OBJECT
public:
    explicit SongSheetView(QWidget* parent = nullptr);

    void showSong(const model::Song& song, sheets::Translate translate, qreal lyricPoints);
    void setLyricPoints(qreal points);
    qreal lyricPoints() const { return lyricPoints_; }

    // The chord of the song's order (0 first) that sounds; none marks none.
    void markChord(std::optional<int> index);
    std::optional<int> markedChord() const { return marked_; }
    // Where that chord's name is drawn, in the view; empty for no chord.
    QRect chordRect(int index) const;
    int chordCount() const { return static_cast<int>(drawn_.chords.size()); }

    int lineCount() const { return static_cast<int>(drawn_.lines.size()); }
    QString spokenLine(int index) const;
    QRect lineRect(int index) const;
    // The lyric line at a point of the view; none between lines.
    std::optional<int> lineAt(const QPoint& point) const;

    // The lines a loop spans (first to last, from 0), shaded once the sheet
    // has them; none shades none.
    void setLoopLines(std::optional<std::pair<int, int>> lines);
    std::optional<std::pair<int, int>> loopLines() const { return loop_; }

    static QColor markColour() { return {255, 214, 112}; }
    static QColor loopColour() { return {218, 232, 252}; }

signals:
    // A lyric line clicked; extend when Shift was held, to stretch a range to it.
    void lineClicked(int line, bool extend);

protected:
    void paintUnder(QPainter& painter) override;
    void built() override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF columnBox(int index) const;

    model::Song song_;
    sheets::Translate translate_;
    qreal lyricPoints_ = 12;
    sheets::DrawnSections drawn_;
    std::optional<int> marked_;
    std::optional<std::pair<int, int>> loop_;
};

} // namespace strumvale::songs

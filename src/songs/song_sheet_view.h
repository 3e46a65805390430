#pragma once

#include "model/song.h"
#include "sheets/sheets.h"
#include "sheets/song_drawing.h"
#include "songs/sheet_column_view.h"

#include <QColor>
#include <optional>

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

    static QColor markColour() { return {255, 214, 112}; }

protected:
    void paintUnder(QPainter& painter) override;
    void built() override;

private:
    QRectF columnBox(int index) const;

    model::Song song_;
    sheets::Translate translate_;
    qreal lyricPoints_ = 12;
    sheets::DrawnSections drawn_;
    std::optional<int> marked_;
};

} // namespace strumvale::songs

#pragma once

#include "fretboard/drawn_label.h"
#include "model/playlist.h"
#include "model/records.h"

#include <QFrame>
#include <vector>

class QPainter;

namespace strumvale::fretboard {

// Chords as tablature: six lines, string 1 on top, one 20-pixel column per chord.
// It holds its own copies; the owning page edits them and then redraws. Its
// accessible description names the chords in order.
class StaffView : public QFrame {
    Q_OBJECT

public:
    // The client area; the thin border lies around it.
    static constexpr int kWidth = 561;
    static constexpr int kHeight = 89;
    // Columns that fit between the closing lines: a whole playlist.
    static constexpr int kColumns = model::Playlist::kCapacity;

    explicit StaffView(QWidget* parent = nullptr);

    const std::vector<model::Chord>& chords() const { return chords_; }
    int chordCount() const { return static_cast<int>(chords_.size()); }
    const model::Chord& chord(int index) const;
    void setChord(int index, const model::Chord& chord);
    // Replaces them all at once, as one change to describe.
    void setChords(std::vector<model::Chord> chords);
    void appendChord(const model::Chord& chord);
    // index may equal chordCount(), which appends.
    void insertChord(int index, const model::Chord& chord);
    void removeChord(int index);
    void clearChords();

    // The column that sounds now, drawn on a light band; -1 for none.
    void setPlayingColumn(int column);
    int playingColumn() const { return playingColumn_; }

    // Draws the staff in client coordinates; the paint handler uses it.
    void paint(QPainter& painter);
    const std::vector<DrawnLabel>& drawnLabels() const { return labels_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();
    QColor background() const;

    std::vector<model::Chord> chords_;
    std::vector<DrawnLabel> labels_;
    int playingColumn_ = -1;
};

} // namespace strumvale::fretboard

#pragma once

#include "model/records.h"

#include <QColor>
#include <QWidget>
#include <array>
#include <atomic>
#include <cstdint>

namespace strumvale::pages {

// The drum pattern's sixteen steps across and eight tracks down, drawn at
// fixed pixel places; a click on a cell turns a hit into a rest and back.
// The cells may be read from the drum sequencer's thread while they change.
// Its accessible description lists the hits: "1: 1 5 9 13; 3: 5 13" has
// track 1 hit on steps 1, 5, 9 and 13 and track 3 on steps 5 and 13. With
// the keyboard focus, arrows move a cursor over the cells (told in the
// description as it moves) and Space toggles the cell, as a click does.
class PatternGridEditor : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSteps = model::DrumPattern::kSteps;
    static constexpr int kTracks = model::DrumPattern::kTracks;
    static constexpr int kCellCount = kSteps * kTracks;
    // Template 157: 374 x 106 dialog units.
    static constexpr int kWidth = 561;
    static constexpr int kHeight = 172;

    using Cells = std::array<std::uint8_t, kCellCount>;

    explicit PatternGridEditor(QWidget* parent = nullptr);

    // Step 1..16, track 1..8; anything else is no hit. Safe from any thread.
    bool hit(int step, int track) const;
    void toggle(int step, int track);
    Cells cells() const;
    // Replaces every cell and redraws.
    void setCells(const Cells& cells);

    // The track marked "N ->", 1..8.
    void setSelectedTrack(int track);
    int selectedTrack() const { return selectedTrack_; }
    // The step marked "^", 1..16; only its strip is redrawn.
    void setCurrentStep(int step);
    int currentStep() const { return currentStep_; }

    void setHitColour(const QColor& colour);
    QColor hitColour() const { return hitColour_; }
    void setWhiteBackground(bool on);

    // The cell under a point, or {0, 0} for a line or anywhere outside.
    static std::pair<int, int> cellAt(const QPoint& point);

    // How the cursor's cell is said: "Track %1, step %2", and a hit's word.
    void setPositionTexts(const QString& format, const QString& hitWord);
    // The cursor's step and track.
    std::pair<int, int> cursor() const { return {cursorStep_, cursorTrack_}; }

signals:
    void cellToggled(int step, int track);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QColor background() const;
    void describe();
    void clickCell(int step, int track);
    void moveCursor(int steps, int tracks);

    std::array<std::atomic<std::uint8_t>, kCellCount> cells_{};
    int selectedTrack_ = kTracks;
    int currentStep_ = 1;
    QColor hitColour_{92, 128, 224};
    bool whiteBackground_ = false;
    QString positionFormat_ = QStringLiteral("Track %1, step %2");
    QString hitWord_ = QStringLiteral("hit");
    int cursorStep_ = 1;
    int cursorTrack_ = 1;
    // The cursor is told once it has moved, until the focus leaves.
    bool cursorTold_ = false;
};

} // namespace strumvale::pages

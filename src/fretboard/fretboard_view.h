#pragma once

#include "fretboard/drawn_label.h"
#include "model/records.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QPainter;

namespace strumvale::fretboard {

// A six-string neck from the nut to fret 12 showing one chord or one scale, in
// fixed pixel coordinates (561 x 146); it never scales with the widget. Its
// accessible description says the same in words: the tab and its notes, or
// the scale's notes.
class FretboardView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 561;
    static constexpr int kHeight = 146;

    explicit FretboardView(QWidget* parent = nullptr);

    // Copies the chord and redraws; returns whether its tab is valid.
    bool setChord(const model::Chord& chord);
    // Copies the scale and the key offset (0..11) and redraws.
    bool setScale(const model::Scale& scale, int keyOffset);
    void setTuning(const model::Tuning& tuning);
    void setNoteLabels(bool on);
    void setMessage(const QString& message);

    // Switches between showing the chord and the scale; the owner redraws.
    void setChordMode(bool on);
    // Plain assignments: the owner redraws when needed.
    void setLeftHanded(bool on) { leftHanded_ = on; }
    void setUpsideDown(bool on) { upsideDown_ = on; }
    void setAllFrets(bool on) { allFrets_ = on; }
    void setEditing(bool on) { editing_ = on; }
    void setIntervalLabels(bool on) { intervalLabels_ = on; }
    void setWhiteBackground(bool on) { whiteBackground_ = on; }
    void setDotsColor(const QColor& color) { dotsColor_ = color; }
    void setIntervalTextColor(const QColor& color) { intervalTextColor_ = color; }
    void setNoteTextColor(const QColor& color) { noteTextColor_ = color; }

    model::Chord chord() const { return chord_; }
    model::Scale scale() const { return scale_; }
    model::Tuning tuning() const { return tuning_; }
    int keyOffset() const { return keyOffset_; }
    QString message() const { return message_; }
    bool chordMode() const { return chordMode_; }
    bool leftHanded() const { return leftHanded_; }
    bool upsideDown() const { return upsideDown_; }
    bool noteLabels() const { return noteLabels_; }
    bool allFrets() const { return allFrets_; }
    bool editing() const { return editing_; }
    bool intervalLabels() const { return intervalLabels_; }
    bool whiteBackground() const { return whiteBackground_; }
    QColor dotsColor() const { return dotsColor_; }
    QColor intervalTextColor() const { return intervalTextColor_; }
    QColor noteTextColor() const { return noteTextColor_; }

    // Draws the whole picture in client coordinates; the paint handler uses it.
    void paint(QPainter& painter);
    // The texts of the last paint, in drawing order.
    const std::vector<DrawnLabel>& drawnLabels() const { return labels_; }

signals:
    // A click on string 1..6 at fret 0..12, just before the edit it makes.
    void fretClicked(int stringNumber, int fret);
    // A click changed the chord or the scale.
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int mirrorX(int x) const { return leftHanded_ ? 560 - x : x; }
    // The string shown on display row 1..6 from the top.
    int stringOnRow(int row) const { return upsideDown_ ? 7 - row : row; }
    std::vector<std::string> displayTokens() const;
    void describe();
    void drawText(QPainter& painter, DrawnLabel::Kind kind, const QRect& box, int flags,
                  const QString& text);
    void drawStringNames(QPainter& painter);
    void drawNeck(QPainter& painter);
    bool drawChord(QPainter& painter);
    bool drawScale(QPainter& painter, std::vector<std::string>& pitchClasses);
    void drawNoteLabels(QPainter& painter, const std::vector<std::string>& pitchClasses);
    void drawMessage(QPainter& painter);
    void editChord(int stringNumber, int fret);
    void editScale(int stringNumber, int fret);

    model::Chord chord_;
    model::Scale scale_;
    model::Tuning tuning_{"", ""};
    int keyOffset_ = 0;
    bool chordMode_ = true;
    bool leftHanded_ = false;
    bool upsideDown_ = false;
    bool noteLabels_ = false;
    bool intervalLabels_ = true;
    bool allFrets_ = false;
    bool editing_ = false;
    bool whiteBackground_ = false;
    QColor dotsColor_{92, 128, 224};
    QColor intervalTextColor_{0, 251, 0};
    QColor noteTextColor_{232, 182, 114};
    QString message_ = QStringLiteral("Sorry, I can not display this.");
    std::vector<DrawnLabel> labels_;
};

} // namespace strumvale::fretboard

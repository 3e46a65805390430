#pragma once

#include "fretboard/drawn_label.h"
#include "fretboard/fretboard_geometry.h"
#include "fretboard/fretboard_style.h"
#include "model/records.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QPainter;

namespace strumvale::fretboard {

// A six-string neck from the nut to fret 12 showing one chord or one scale, in
// fixed pixel coordinates (561 x 146); it never scales with the widget. Its
// accessible description says the same in words: the tab and its notes, or
// the scale's notes. With the keyboard focus, arrows move a cursor over the
// strings and frets, told in the description; while editing, Space or Enter
// sets the fret there as a click does, X or Delete mutes the string and 0
// plays it open.
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
    // How the cursor's place is said: "String %1, fret %2, %3" (the note),
    // and, on a string the shown chord does not play, "String %1, muted".
    void setPositionFormat(const QString& format);
    void setMutedFormat(const QString& format);

    // Switches between showing the chord and the scale; the owner redraws.
    void setChordMode(bool on);
    // Plain assignments: the owner redraws when needed.
    void setEditing(bool on) { editing_ = on; }
    void setIntervalLabels(bool on) { intervalLabels_ = on; }
    // Colours each string (string 6 first) by what was heard on it, its name
    // too; an invalid colour leaves a string as drawn. Redraws.
    void setStringMarks(const std::array<QColor, 6>& marks);
    const std::array<QColor, 6>& stringMarks() const { return stringMarks_; }
    // Takes the style and redraws; does nothing when it is the style shown.
    void setStyle(const FretboardStyle& style);

    model::Chord chord() const { return chord_; }
    model::Scale scale() const { return scale_; }
    model::Tuning tuning() const { return tuning_; }
    int keyOffset() const { return keyOffset_; }
    QString message() const { return message_; }
    bool chordMode() const { return chordMode_; }
    bool noteLabels() const { return noteLabels_; }
    bool editing() const { return editing_; }
    bool intervalLabels() const { return intervalLabels_; }
    const FretboardStyle& style() const { return style_; }
    bool leftHanded() const { return style_.orientation.leftHanded; }
    bool upsideDown() const { return style_.orientation.upsideDown; }
    bool allFrets() const { return style_.allFrets; }
    bool whiteBackground() const { return style_.whiteBackground; }
    // Where strings and frets lie as the style turns the neck: the one place
    // both the drawing and the clicks read it from.
    FretboardGeometry fretboardGeometry() const { return FretboardGeometry(style_.orientation); }

    // Draws the whole picture in client coordinates; the paint handler uses it.
    void paint(QPainter& painter);
    // The texts of the last paint, in drawing order.
    const std::vector<DrawnLabel>& drawnLabels() const { return labels_; }
    // Where the keyboard's cursor stands.
    FretPosition cursor() const { return cursor_; }

signals:
    // A click on string 1..6 at fret 0..12, just before the edit it makes.
    void fretClicked(int stringNumber, int fret);
    // A click changed the chord or the scale.
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QColor background() const;
    // Lines, numbers and outlines: black, or light on a dark background.
    QColor ink() const;
    std::vector<std::string> displayTokens() const;
    // Arrows read a chord that is shown and not edited.
    bool readsChord() const;
    // The fret the shown chord holds on a string, -1 where it is muted.
    int chordFret(int stringNumber) const;
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
    // As a click on the place does: the fret sounds, then the edit.
    void clickAt(const FretPosition& place);
    // Sets a string's fret ("x" mutes it) in the chord shown.
    void setStringFret(int stringNumber, const std::string& fret);
    void moveCursor(int across, int down);
    void drawCursor(QPainter& painter);

    model::Chord chord_;
    model::Scale scale_;
    model::Tuning tuning_{"", ""};
    int keyOffset_ = 0;
    bool chordMode_ = true;
    bool noteLabels_ = false;
    bool intervalLabels_ = true;
    bool editing_ = false;
    FretboardStyle style_;
    QString message_ = QStringLiteral("Sorry, I can not display this.");
    std::vector<DrawnLabel> labels_;
    std::array<QColor, 6> stringMarks_{};
    QString positionFormat_ = QStringLiteral("String %1, fret %2, %3");
    QString mutedFormat_ = QStringLiteral("String %1, muted");
    FretPosition cursor_{6, 0};
    // The cursor is told once it has moved, until the focus leaves.
    bool cursorTold_ = false;
};

} // namespace strumvale::fretboard

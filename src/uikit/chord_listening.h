#pragma once

#include "sound/chord_listener.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QLabel;
class QTimer;
class QWidget;

namespace strumvale::uikit {

// Listening to the player's strums on a page that shows a chord: Listen
// switches it on, each strum heard is checked against the chord shown, and
// what each string did shows as string colours and a line of text, with a
// running count of the strums that were right.
class ChordListening : public QObject {
    Q_OBJECT
public:
    using Translate = std::function<QString(std::string_view key)>;

    // The check box takes the place given, in page pixels; findings and
    // problems are told in the label given.
    ChordListening(QWidget& page, const QRect& listenBox, QLabel& findings, Translate translate,
                   sound::Clock& clock = sound::steadyClock());
    ~ChordListening() override;

    void retranslate();
    // The fingering that strums are checked against, in the tuning's notes
    // ("E1,A1,..."); an empty or invalid tab checks nothing.
    void expect(const std::string& tab, const std::string& tuningNotes);
    // The program plays: it must not hear itself. Listening resumes once
    // isSounding reports silence.
    void programPlays(std::function<bool()> isSounding);
    void pageHidden();
    void pageShown();
    // The A4 that strums are heard against; listening starts afresh on it.
    void setA4(double a4);

    bool isListening() const { return listener_.isListening(); }
    QCheckBox& listenBox() const { return *listen_; }
    QLabel& findings() const { return *findings_; }
    int strumsHeard() const { return heard_; }
    int strumsRight() const { return right_; }

signals:
    // Each string's colour for the fretboard, string 6 first; invalid for none.
    void stringMarks(const std::array<QColor, 6>& marks);
    // A strum heard while no chord is expected: its notes, lowest first.
    void notesHeard(const std::vector<int>& notes);
    // A strum checked against the chord expected: right or not.
    void strumJudged(bool right);

private:
    void setListening(bool on);
    void startInput();
    void show(const sound::StrumHeard& strum);
    void showProblem(std::string_view key, const QString& detail = {});
    void clearFindings();
    QString findingText(const sound::StringFinding& finding) const;

    Translate translate_;
    QCheckBox* listen_ = nullptr;
    QLabel* findings_ = nullptr;
    QTimer* resume_ = nullptr;
    std::function<bool()> isSounding_;
    int heard_ = 0;
    int right_ = 0;
    bool heldWhileHidden_ = false;
    double a4_ = sound::kStandardA4;
    // Last: its thread ends before anything it reports to goes.
    sound::ChordListener listener_;
};

} // namespace strumvale::uikit

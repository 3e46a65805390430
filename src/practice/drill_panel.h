#pragma once

#include "library/change_drill.h"
#include "library/practice_log.h"

#include <QGroupBox>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QShortcut;
class QSpinBox;
class QTimer;

namespace strumvale::sound {
class Clock;
}

namespace strumvale::uikit {
class ChordListening;
}

namespace strumvale::practice {

class ChordDiagramView;
class ProgressPlot;

// The chord-change drill: chords picked in order, the chord to play and the
// next as large diagrams, a change counted at each press of Space (or, with
// Listen on, each time the next chord is heard played right) for a set time,
// the result kept in the practice log and each pair's progress plotted.
class DrillPanel : public QGroupBox {
    Q_OBJECT
public:
    using Translate = std::function<QString(std::string_view key)>;
    // The shape of a chord by name in standard tuning: its tab, or empty
    // when none is known.
    using ShapeOf = std::function<std::string(const std::string& name)>;

    DrillPanel(Translate translate, sound::Clock& clock, ShapeOf shapeOf,
               std::unique_ptr<library::PracticeLog> log, QWidget* parent = nullptr);
    ~DrillPanel() override;

    void retranslate();
    // The chords a drill may use, in the core's text, each once.
    void setChoices(const std::vector<std::string>& names);
    void setChords(const std::vector<std::string>& chords);
    std::vector<std::string> chords() const;
    void setLengthSeconds(int seconds);
    int lengthSeconds() const;
    bool clicksAlong() const;
    // The tempo logged with the result: the clicks' when they play along.
    void setLoggedTempo(int bpm) { tempoLogged_ = bpm; }

    // The clicks count in first: the drill starts when they are done.
    bool waitForCountIn();
    void showCountIn(int beatsLeft);
    // Starts the drill now; false (and says why) without two chords.
    bool start();
    void stop();
    bool isRunning() const;
    // A change made now; counted only while the drill runs.
    void countChange();
    // Looks at the clock: the time left, and the end once it is up.
    void refresh();

    const library::ChangeDrill* drill() const { return drill_.get(); }
    library::PracticeLog* log() const { return log_.get(); }
    QPushButton& startButton() const { return *start_; }
    QLabel& message() const { return *message_; }
    QLabel& counter() const { return *counter_; }
    ChordDiagramView& nowView() const { return *now_; }
    ChordDiagramView& nextView() const { return *next_; }
    ProgressPlot& plot() const { return *plot_; }
    QComboBox& suggestions() const { return *suggested_; }
    uikit::ChordListening& listening() const { return *listening_; }
    QLabel& hint() const { return *hint_; }

signals:
    // The drill wants to start or has ended: the window starts or stops the
    // clicks along with it.
    void startRequested();
    void ended();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void addChosen();
    void removeChosen();
    void useSuggestion();
    void showChords();
    void showCounter();
    void finish();
    void fillSuggestions();
    void showProgress();
    void tellLogState();
    void showCountingWay();

    Translate translate_;
    sound::Clock& clock_;
    ShapeOf shapeOf_;
    std::unique_ptr<library::PracticeLog> log_;
    std::unique_ptr<library::ChangeDrill> drill_;
    int tempoLogged_ = 0;
    bool countingIn_ = false;
    QLabel* chordsLabel_ = nullptr;
    QComboBox* choice_ = nullptr;
    QPushButton* add_ = nullptr;
    QListWidget* chosen_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLabel* suggestedLabel_ = nullptr;
    QComboBox* suggested_ = nullptr;
    QPushButton* use_ = nullptr;
    QLabel* lengthLabel_ = nullptr;
    QSpinBox* length_ = nullptr;
    QCheckBox* clicks_ = nullptr;
    QPushButton* start_ = nullptr;
    ChordDiagramView* now_ = nullptr;
    ChordDiagramView* next_ = nullptr;
    QLabel* counter_ = nullptr;
    QLabel* hint_ = nullptr;
    ProgressPlot* plot_ = nullptr;
    QLabel* message_ = nullptr;
    QTimer* ticker_ = nullptr;
    QShortcut* space_ = nullptr;
    QLabel* heard_ = nullptr;
    uikit::ChordListening* listening_ = nullptr;
};

} // namespace strumvale::practice

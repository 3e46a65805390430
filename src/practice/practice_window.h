#pragma once

#include "sound/play_along.h"

#include <QWidget>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace strumvale::practice {

class ClickControls;
class DrillPanel;
class PracticeHost;
class SpeedControls;

// Practice beside the main window: the metronome (with count-in and the
// speed trainer) alone, and the chord-change drill with its progress.
class PracticeWindow : public QWidget {
    Q_OBJECT
public:
    PracticeWindow(PracticeHost& host, QWidget* parent = nullptr);
    ~PracticeWindow() override;

    void retranslate();
    // The chords to choose from: the library's, the playlist's and the open
    // song's, each once; the settings the window keeps.
    void refresh();
    // Drills these chords next.
    void drill(const std::vector<std::string>& chords);

    bool isPlaying() const { return playAlong_.isPlaying(); }
    ClickControls& clicks() const { return *clicks_; }
    SpeedControls& speed() const { return *speed_; }
    DrillPanel& drillPanel() const { return *drill_; }
    QPushButton& playButton() const { return *play_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void playOrStop();
    // Starts the clicks; with a drill, it starts when they have counted in.
    bool startClicks(bool forDrill);
    void startDrill();
    void showControls();
    void storeSettings();
    QString translate(std::string_view key) const;

    PracticeHost& host_;
    QGroupBox* metronomeGroup_ = nullptr;
    ClickControls* clicks_ = nullptr;
    SpeedControls* speed_ = nullptr;
    QPushButton* play_ = nullptr;
    QCheckBox* drums_ = nullptr;
    DrillPanel* drill_ = nullptr;
    bool drillStartsAfterCountIn_ = false;
    // Last: its thread ends before anything it reports to goes.
    sound::PlayAlong playAlong_;
};

} // namespace strumvale::practice

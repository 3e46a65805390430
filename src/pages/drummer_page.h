#pragma once

#include "pages/page.h"
#include "sound/drum_sequencer.h"
#include "sound/play_along.h"

#include <array>
#include <atomic>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QLabel;
class QSpinBox;

namespace strumvale::practice {
class ClickAlong;
class TapButton;
} // namespace strumvale::practice

namespace strumvale::pages {

class PatternGridEditor;

// Plays the library's drum patterns through the drum sequencer, once or in a
// loop, with an instrument and a volume per track and a tempo; the pattern
// grid editor shows the sixteen steps of the eight tracks. With editing on,
// patterns are stored, removed and created.
//
// The sequencer reads the page live from its own thread: the grid's cells,
// the working copy's instruments and volumes, and the tempo as parsed when
// typed. Its reports come back as queued calls, and the page shows them: the
// step mark, and the caption of the play button.
class DrummerPage : public Page, private sound::PatternSource {
    Q_OBJECT
public:
    explicit DrummerPage(PageHost& host, QWidget* parent = nullptr);
    // Ends a playing pattern first; the sequencer reads what follows.
    ~DrummerPage() override;

    void retranslate() override;
    std::vector<QWidget*> tabOrder() const override;
    void refreshDrumPatterns();
    // The hits of the grid take the colour of the fretboard's dots.
    // The page and the grid follow the white-background setting.
    void takeSettings();

    PatternGridEditor& gridEditor() const { return *grid_; }
    // What the playlist plays along with: the grid, tracks and tempo as they
    // stand, read live from any thread.
    sound::LivePattern& livePattern() { return *this; }
    bool hasPattern() const;
    // The working copy's values of track 1..8.
    int trackInstrument(int track) const { return instruments_[track - 1]; }
    int trackVolume(int track) const { return volumes_[track - 1]; }

private:
    // The tempo edit's text becomes the tempo played, and the up-down's value.
    void takeTempo();
    void showBeats();
    void playWithClicks();
    // What the sequencer calls, on its thread.
    bool hit(int step, int track) override;
    int instrument(int track) override;
    int volume(int track) override;
    int tempo() override { return bpm_; }
    sound::DrumFlags& flags() override { return flags_; }
    // The sequencer's reports, each handed to this page's thread.
    sound::DrumReports sequencerReports();
    // The play button offers to stop while something plays.
    void showPlaying(bool playing);

    void selectPattern();
    void selectTrack();
    void setEditing(bool on);
    void playOrStop();
    void updatePattern();
    void removePattern();
    void newPattern();
    int selectedTrackIndex() const;

    PatternGridEditor* grid_ = nullptr;
    QComboBox* patternCombo_ = nullptr;
    QComboBox* instrumentCombo_ = nullptr;
    QListWidget* trackList_ = nullptr;
    QSlider* volume_ = nullptr;
    QLineEdit* tempo_ = nullptr;
    QSpinBox* tempoUpDown_ = nullptr;
    // The tempo counts the grid's steps; beats, four steps each, beside it.
    QLabel* beatsLabel_ = nullptr;
    // A count-in or the click: the pattern (or the click alone, with no
    // pattern) then plays through the play-along schedule.
    practice::ClickAlong* clickAlong_ = nullptr;
    practice::TapButton* tap_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPushButton* play_ = nullptr;
    QCheckBox* loop_ = nullptr;

    std::array<std::atomic<int>, 8> instruments_{};
    std::array<std::atomic<int>, 8> volumes_{};
    std::atomic<int> bpm_{120};
    sound::DrumFlags flags_;
    // Last: they are stopped before anything they read goes.
    sound::DrumSequencer sequencer_;
    sound::PlayAlong clickedPlay_;
};

} // namespace strumvale::pages

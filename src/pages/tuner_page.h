#pragma once

#include "pages/page.h"
#include "sound/tuner_player.h"

#include <QStringList>
#include <array>
#include <optional>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSlider;

namespace strumvale::uikit {
class ImageButton;
}

namespace strumvale::pages {

class TunerListening;

// Plays the open strings of a tuning to tune by ear, once or in a loop, draws
// the six strings with their labels, and edits the library's tunings.
class TunerPage : public Page {
    Q_OBJECT
public:
    static constexpr int kStrings = 6;

    explicit TunerPage(PageHost& host, QWidget* parent = nullptr);
    // Stops listening first: its reports come to the page.
    ~TunerPage() override;

    void retranslate() override;
    std::vector<QWidget*> tabOrder() const override;
    void refreshTunings();
    // The background follows the white-background setting.
    void takeSettings();

    // A string's note sounds; the main window refuses Settings and Exit then.
    bool isSounding() const { return tuner_.isPlaying(); }
    sound::TunerPlayer& tunerPlayer() { return tuner_; }
    // The labels above strings 6 to 1 as drawn.
    QStringList shownLabels() const;
    TunerListening& listening() const { return *listening_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void applySelectedTuning();
    void noteListChanged(int index);
    void setEditing(bool on);
    void setNumbers(bool on);
    void playString(int index);
    void noteEnded();
    // The selected tuning, unless there is none or it is the protected
    // standard one (then refusal is shown).
    std::optional<model::Tuning> changeableTuning(std::string_view refusal);
    void updateTuning();
    void removeTuning();
    void newTuning();
    void redrawLabels();
    void nameStrings();
    void message(std::string_view text);
    // The six notes the lists show, string 6 first, as a tuning keeps them.
    std::string selectedNotes() const;

    std::array<QComboBox*, kStrings> noteLists_{};
    std::array<uikit::ImageButton*, kStrings> stringButtons_{};
    QComboBox* tuningCombo_ = nullptr;
    QCheckBox* loop_ = nullptr;
    QSlider* noteLength_ = nullptr;
    QLineEdit* name_ = nullptr;
    TunerListening* listening_ = nullptr;
    QStringList labels_;
    bool numbers_ = false;
    // The button of the string that sounds, 0 for string 6; -1 when none.
    int soundingButton_ = -1;
    // Last: its worker ends before anything it reports to goes.
    sound::TunerPlayer tuner_;
};

} // namespace strumvale::pages

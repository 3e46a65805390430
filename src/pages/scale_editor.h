#pragma once

#include "model/records.h"
#include "pages/editor_part.h"
#include "sound/play_along.h"

#include <functional>

class QGroupBox;

namespace strumvale::pages {

// The Editor page's scales, always in C: notes clicked on the neck, their
// intervals and description in the information panel. Clicks and panel edits
// change only the view's copy; storing adds it as a new scale.
class ScaleEditor final : public EditorPart {
public:
    // followSettings brings the view to the settings before a scale is shown.
    ScaleEditor(const EditorControls& shared, std::function<void()> followSettings);

    bool isPlaying() const { return run_.isPlaying(); }

    // Its panel handlers go before the edits they are connected to.
    ~ScaleEditor() override;

    void caption() override;
    void activate() override;
    void deactivate() override;
    QStringList itemNames() const override;
    void showItem(int row) override;
    void takeViewEdit() override;
    void store(const std::string& name) override;
    void addNew() override;
    void remove(int row) override;
    void move(int row, int step) override;
    // The scale once upward from C.
    void play() override;

private:
    void fillPanel(const model::Scale& scale);
    void editIntervals(const QString& text);
    void editDescription(const QString& text);

    EditorControls shared_;
    std::function<void()> followSettings_;
    QGroupBox* panel_ = nullptr;
    QLabel* intervalsLabel_ = nullptr;
    QLabel* descriptionLabel_ = nullptr;
    // Under the two edits: where the chordfile's description was, a reminder.
    QLabel* reminderLine_ = nullptr;
    QLineEdit* intervalsEdit_ = nullptr;
    QLineEdit* descriptionEdit_ = nullptr;
    // The chordfile's description, hidden while scales are edited.
    QLineEdit* chordfileDescriptionEdit_ = nullptr;
    PanelHandlers panelHandlers_;
    // Last: stopped before anything it uses goes.
    sound::PlayAlong run_;
};

} // namespace strumvale::pages

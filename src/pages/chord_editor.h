#pragma once

#include "pages/editor_part.h"

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

class QGroupBox;

namespace strumvale::uikit {
class ChordListening;
class ProgressDialog;
} // namespace strumvale::uikit

namespace strumvale::pages {

// The Editor page's chords of one key: a fingering clicked on the neck, named
// and stored in place, and the chordfile's author, home page and description
// in the information panel.
//
// Edits act on the k-th chord counted from the first chord of the key, so the
// editor keeps each key's chords together before it edits them. With Listen
// on, a strummed chord is named as a clicked one is: a chord found by ear is
// entered by playing it.
class ChordEditor final : public EditorPart {
public:
    explicit ChordEditor(const EditorControls& shared);

    // The key whose chords the list shows and the edits act on.
    void setKey(std::string key) { key_ = std::move(key); }

    // Its panel handlers go before the edits they are connected to.
    ~ChordEditor() override;

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
    void play() override;

    uikit::ChordListening& listening() const { return *listening_; }
    // The program sounds a note or a chord: listening waits until it is quiet.
    void programPlays(std::function<bool()> isSounding);
    void pageShown();
    void pageHidden();

private:
    // What the clicked fingering sounds like: its best names, or nothing.
    void showNames();
    // What a strum heard sounds like: its best names and its notes.
    void showHeardNames(std::span<const int> notes);
    void showNamesLine(const std::vector<std::string>& names, const QString& notes);
    void clearNames();
    // Sorts the chords by key if the key's chords do not stand together, so
    // list index k and library position f + k name the same chord.
    void keepKeyTogether();
    void sortChords();
    void markModified();

    EditorControls shared_;
    std::string key_;
    QLabel* namesLine_ = nullptr;
    uikit::ChordListening* listening_ = nullptr;
    bool active_ = false;
    QGroupBox* panel_ = nullptr;
    QLabel* authorLabel_ = nullptr;
    QLabel* homepageLabel_ = nullptr;
    QLabel* descriptionLabel_ = nullptr;
    QLineEdit* authorEdit_ = nullptr;
    QLineEdit* homepageEdit_ = nullptr;
    QLineEdit* descriptionEdit_ = nullptr;
    uikit::ProgressDialog* sortProgress_ = nullptr;
    PanelHandlers panelHandlers_;
};

} // namespace strumvale::pages

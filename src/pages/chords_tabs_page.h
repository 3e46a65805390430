#pragma once

#include "model/records.h"
#include "model/value_list.h"
#include "pages/page.h"

#include <QColor>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace strumvale::fretboard {
class FretboardView;
}

namespace strumvale::uikit {
class ChordListening;
}

namespace strumvale::pages {

// Chords by root key or by search, their tabs and sounding notes, drawn on a
// fretboard in the chosen tuning; plays them and hands them to the playlist.
class ChordsTabsPage : public Page {
    Q_OBJECT
public:
    explicit ChordsTabsPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;
    std::vector<QWidget*> tabOrder() const override;
    void refreshChords();
    void refreshTunings();

    fretboard::FretboardView& fretboardView() const { return *view_; }
    uikit::ChordListening& listening() const { return *listening_; }
    QColor decorationColour() const { return decoration_; }
    // The tuning chosen in the combo, which chords elsewhere are shown in too.
    std::optional<model::Tuning> selectedTuning() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // While the page is hidden listening lets the input go.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void selectKey();
    void showChord();
    void selectTuning();
    void search();
    void copyTabToSearch();
    void showResult();
    void play();
    void addToList();

    // The chords the chord list shows: the search results or the selected key's.
    model::ValueList<model::Chord> currentChords() const;
    std::optional<model::Chord> selectedChord() const;
    // Moves the chord's tab to the view's tuning; rewrites the tab line when it changed.
    std::string tabForTuning(const model::Chord& chord);
    void showNotesLine();
    // The fretboard style and background of the settings.
    void takeSettings();

    fretboard::FretboardView* view_ = nullptr;
    uikit::ChordListening* listening_ = nullptr;
    QListWidget* keyList_ = nullptr;
    QListWidget* chordList_ = nullptr;
    QLabel* tabLine_ = nullptr;
    QLabel* notesLine_ = nullptr;
    QComboBox* tuningCombo_ = nullptr;
    QLineEdit* searchText_ = nullptr;
    QCheckBox* showResult_ = nullptr;
    QColor decoration_;
    // The results were made for the tuning selected when searching, not
    // taken from the library's standard-tuning chords: they are never moved.
    bool resultsInSelectedTuning_ = false;
};

} // namespace strumvale::pages

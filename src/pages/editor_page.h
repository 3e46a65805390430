#pragma once

#include "model/records.h"
#include "pages/page.h"
#include "sound/play_along.h"
#include "sound/tuner_player.h"

#include <QColor>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;

namespace strumvale::fretboard {
class FretboardView;
}

namespace strumvale::uikit {
class ProgressDialog;
}

namespace strumvale::pages {

// Edits the open library: the chords of a key (name and a fingering clicked on
// the neck), the scales (notes clicked on the neck, intervals, description),
// their order, and the chordfile's author, home page and description.
//
// Fret clicks change only the view's copy; Update stores it. Chord edits act
// on the k-th chord counted from the first chord of the key, so the page keeps
// each key's chords together before it edits them.
class EditorPage : public Page {
    Q_OBJECT
public:
    explicit EditorPage(PageHost& host, QWidget* parent = nullptr);

    void retranslate() override;
    // Another chordfile was opened or a new one started: the lists, the panel
    // and the view follow it as a key selection does.
    void refresh();
    // The orientation and background of the settings.
    void takeSettings();

    void setDotColour(const QColor& colour) override;
    void setIntervalTextColour(const QColor& colour) override;
    void setNoteTextColour(const QColor& colour) override;

    fretboard::FretboardView& fretboardView() const { return *view_; }
    bool isPlayingScale() const { return scaleRun_.isPlaying(); }

private:
    void selectKey();
    void selectItem();
    void fillItems();
    void showEmptyEntry();
    void showChordfilePanel();
    void showScalePanel();
    void captionPanel();
    void fillScalePanel(const model::Scale& scale);
    void takeViewEdit();
    // What the clicked fingering sounds like: its best names, or nothing.
    void showNames();

    void editAuthorOrIntervals(const QString& text);
    void editHomepageOrDescription(const QString& text);
    void editChordfileDescription(const QString& text);

    void storeEntry();
    void storeChord(const std::string& name);
    void addScale(const std::string& name);
    void newEntry();
    void removeEntry();
    void moveEntry(int step);
    void newChordfile();
    // The chord as clicked, strummed; or the scale once upward from C.
    void play();
    // With notes played while editing, the clicked string's note sounds.
    void soundClickedNote(int stringNumber, int fret);

    std::string selectedKey() const;
    // Sorts the chords by key if the selected key's chords do not stand
    // together, so list index k and library position f + k name the same chord.
    void keepKeyTogether();
    void sortChords();
    void showInformation(const QString& text);
    void markModified();

    fretboard::FretboardView* view_ = nullptr;
    uikit::ProgressDialog* sortProgress_ = nullptr;
    QListWidget* keyList_ = nullptr;
    QListWidget* itemList_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QLabel* tabLine_ = nullptr;
    QLabel* namesLine_ = nullptr;
    QLineEdit* authorOrIntervals_ = nullptr;
    QLineEdit* homepageOrDescription_ = nullptr;
    QLineEdit* chordfileDescription_ = nullptr;
    // Scale mode follows the scales entry of the key list, chord mode a key.
    bool scaleMode_ = false;
    // Which information panel the three edits serve.
    bool chordfilePanel_ = true;
    // Last: they are stopped before anything they use goes.
    sound::PlayAlong scaleRun_;
    sound::TunerPlayer clickedNotes_;
};

} // namespace strumvale::pages

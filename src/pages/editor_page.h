#pragma once

#include "pages/page.h"
#include "sound/tuner_player.h"

#include <memory>
#include <string>

class QListWidget;

namespace strumvale::fretboard {
class FretboardView;
}

namespace strumvale::pages {

class ChordEditor;
class EditorPart;
class ScaleEditor;

// Edits the open library: the chords of a key (name and a fingering clicked on
// the neck), the scales (notes clicked on the neck, intervals, description),
// their order, and the chordfile's author, home page and description.
//
// The key list chooses the chord editor for a key and the scale editor for its
// scales entry; the page keeps what both share: the neck, the lists and the
// buttons. Fret clicks change only the view's copy; Update stores it.
class EditorPage : public Page {
    Q_OBJECT
public:
    explicit EditorPage(PageHost& host, QWidget* parent = nullptr);
    ~EditorPage() override;

    void retranslate() override;
    std::vector<QWidget*> tabOrder() const override;
    // Another chordfile was opened or a new one started: the lists, the panel
    // and the view follow it as a key selection does.
    void refresh();
    // The fretboard style and background of the settings.
    void takeSettings();

    fretboard::FretboardView& fretboardView() const { return *view_; }
    ChordEditor& chordEditor() const { return *chordEditor_; }
    bool isPlayingScale() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void selectKey();
    void selectItem();
    void fillItems();

    void storeEntry();
    void newEntry();
    void removeEntry();
    void moveEntry(int step);
    void newChordfile();
    // With notes played while editing, the clicked string's note sounds.
    void soundClickedNote(int stringNumber, int fret);

    fretboard::FretboardView* view_ = nullptr;
    QListWidget* keyList_ = nullptr;
    QListWidget* itemList_ = nullptr;
    std::unique_ptr<ChordEditor> chordEditor_;
    std::unique_ptr<ScaleEditor> scaleEditor_;
    // The chord editor for a key, the scale editor for the scales entry.
    EditorPart* editor_ = nullptr;
    // Last: stopped before anything it uses goes.
    sound::TunerPlayer clickedNotes_;
};

} // namespace strumvale::pages

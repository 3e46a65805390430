#include "pages/chords_tabs_page.h"

#include "fretboard/fretboard_view.h"
#include "library/chord_library.h"
#include "model/fingering.h"
#include "model/names.h"
#include "model/notes.h"
#include "model/tab_in_tuning.h"
#include "model/tuning_notes.h"
#include "pages/page_colours.h"
#include "resources/templates/chords_tabs_page.h"
#include "resources/templates/view_placements.h"
#include "theory/chord_search.h"
#include "uikit/chord_listening.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <array>
#include <map>
#include <random>
#include <string>

namespace strumvale::pages {

namespace {

using Id = resources::ChordsTabsId;

// Dialog units: Listen in the button column above Add to List and Play, the
// findings under the neck beside the Notes choice.
constexpr resources::DialogRect kListenPlacement{319, 101, 55, 10};
constexpr resources::DialogRect kFindingsPlacement{156, 102, 160, 9};
using uikit::fromQString;
using uikit::toQString;

} // namespace

ChordsTabsPage::ChordsTabsPage(PageHost& host, QWidget* parent)
    : Page(host, resources::chordsTabsPageTemplate(), parent),
      decoration_(randomDecorationColour()) {
    keyList_ = control<QListWidget>(Id::KeyList);
    chordList_ = control<QListWidget>(Id::ChordList);
    tabLine_ = control<QLabel>(Id::TabLine);
    notesLine_ = control<QLabel>(Id::NotesLine);
    tuningCombo_ = control<QComboBox>(Id::TuningCombo);
    searchText_ = control<QLineEdit>(Id::SearchText);
    showResult_ = control<QCheckBox>(Id::ShowResult);

    view_ = new fretboard::FretboardView(this);
    view_->setChordMode(true);
    view_->move(uikit::toPixels(resources::kFretboardViewPlacement).topLeft());
    view_->show();
    takeSettings();
    auto* findings = new QLabel(this);
    findings->setGeometry(uikit::toPixels(kFindingsPlacement));
    findings->setTextFormat(Qt::PlainText);
    listening_ = new uikit::ChordListening(
        *this, uikit::toPixels(kListenPlacement), *findings,
        [this](std::string_view key) { return translate(key); },
        host.library().ChordPlayer.clock());
    connect(listening_, &uikit::ChordListening::stringMarks, view_,
            [this](const std::array<QColor, 6>& marks) { view_->setStringMarks(marks); });

    control<uikit::ImageButton>(Id::SearchButton)->setIconResource(uikit::icon::Search);
    control<uikit::ImageButton>(Id::CopyTabButton)->setIconResource(uikit::icon::CopyTab);

    for (std::string_view key : model::kChordRootNames) {
        keyList_->addItem(toQString(key));
    }
    keyList_->setCurrentRow(0);
    control<QRadioButton>(Id::HideNotes)->setChecked(true);

    connect(keyList_, &QListWidget::currentRowChanged, this, [this] { selectKey(); });
    connect(chordList_, &QListWidget::currentRowChanged, this, [this] { showChord(); });
    connect(chordList_, &QListWidget::itemDoubleClicked, this, [this] { play(); });
    connect(control<QPushButton>(Id::Play), &QPushButton::clicked, this, [this] { play(); });
    connect(control<QPushButton>(Id::AddToList), &QPushButton::clicked, this,
            [this] { addToList(); });
    connect(tuningCombo_, &QComboBox::currentIndexChanged, this, [this] { selectTuning(); });
    connect(searchText_, &QLineEdit::textChanged, this, [this] { search(); });
    connect(control<uikit::ImageButton>(Id::SearchButton), &QToolButton::clicked, this,
            [this] { search(); });
    connect(control<uikit::ImageButton>(Id::CopyTabButton), &QToolButton::clicked, this,
            [this] { copyTabToSearch(); });
    connect(showResult_, &QCheckBox::clicked, this, [this] { showResult(); });
    connect(control<QRadioButton>(Id::ShowNotes), &QRadioButton::toggled, this,
            [this](bool on) { view_->setNoteLabels(on); });

    refreshTunings();
    selectKey();
    retranslate();
}

void ChordsTabsPage::retranslate() {
    control<QLabel>(Id::NotesLabel)->setText(translate("Notes") + QStringLiteral(":"));
    control<QRadioButton>(Id::HideNotes)->setText(translate("Hide"));
    control<QRadioButton>(Id::ShowNotes)->setText(translate("Show"));
    control<QGroupBox>(Id::ChordInformationGroup)->setTitle(translate("Chord Information"));
    control<QPushButton>(Id::AddToList)->setText(translate("Add to List"));
    control<QPushButton>(Id::Play)->setText(translate("Play"));
    control<QGroupBox>(Id::TuningGroup)->setTitle(translate("Tuning"));
    control<QGroupBox>(Id::SearchGroup)->setTitle(translate("Search"));
    showResult_->setText(translate("Show Result"));
    // Controls without a caption of their own, named for screen readers.
    keyList_->setAccessibleName(translate("Keys"));
    chordList_->setAccessibleName(translate("Chords"));
    tuningCombo_->setAccessibleName(translate("Tuning"));
    searchText_->setAccessibleName(translate("Search"));
    control<uikit::ImageButton>(Id::SearchButton)->setAccessibleName(translate("Search"));
    control<uikit::ImageButton>(Id::CopyTabButton)
        ->setAccessibleName(translate("Copy the tab to the search"));
    view_->setAccessibleName(translate("Fretboard"));
    listening_->retranslate();
    view_->setMessage(translate("Sorry, I can not display this."));
    view_->setPositionFormat(translate("String %1, fret %2, %3"));
    view_->setMutedFormat(translate("String %1, muted"));
    view_->update();
}

void ChordsTabsPage::refreshChords() {
    // Also the way new settings arrive, even when the key has no chord to show.
    takeSettings();
    selectKey();
}

void ChordsTabsPage::refreshTunings() {
    {
        // The refill selects the first tuning; it is applied once, below.
        const QSignalBlocker blocker(tuningCombo_);
        host().fillTuningCombo(*tuningCombo_);
    }
    selectTuning();
}

void ChordsTabsPage::paintEvent(QPaintEvent*) {
    // Two open brackets around the key list.
    QPainter painter(this);
    paintKeyListBrackets(painter, decoration_);
}

void ChordsTabsPage::selectKey() {
    showResult_->setChecked(false);
    const model::ValueList<model::Chord> chords = currentChords();
    {
        // One display for the refill, after the first entry is selected.
        const QSignalBlocker blocker(chordList_);
        chordList_->clear();
        for (const auto& chord : chords.items()) {
            chordList_->addItem(toQString(chord.Name));
        }
        if (chordList_->count() > 0) {
            chordList_->setCurrentRow(0);
        }
    }
    showChord();
}

void ChordsTabsPage::showChord() {
    const std::optional<model::Chord> chord = selectedChord();
    if (!chord) {
        return;
    }
    tabLine_->setText(translate("Tab") + QStringLiteral(": ") + toQString(chord->Tab));
    std::string shownTab = chord->Tab;
    const bool made = resultsInSelectedTuning_ && showResult_->isChecked();
    if (library().Settings.Changechordtotuning && !chord->Tab.empty() && !made) {
        shownTab = tabForTuning(*chord);
    }
    takeSettings();
    const bool drawn = view_->setChord(model::Chord(chord->RootNote, chord->Name, shownTab));
    // Strums are checked against what the fretboard shows, on its strings.
    listening_->expect(drawn ? shownTab : std::string(), view_->tuning().Notes);
    if (drawn) {
        if (library().Settings.Playchordsonchange) {
            play();
        }
        showNotesLine();
    } else {
        notesLine_->setText(translate("Notes") + QStringLiteral(": N/A"));
    }
}

void ChordsTabsPage::selectTuning() {
    if (const auto tuning = selectedTuning()) {
        view_->setTuning(*tuning);
    }
    showChord();
}

void ChordsTabsPage::search() {
    const std::string text = fromQString(searchText_->text());
    library().searchChords(text);
    resultsInSelectedTuning_ = false;
    // The library's own chords first; only without them is the text read as a
    // fingering or a chord symbol.
    const std::optional<model::Tuning> tuning = selectedTuning();
    if (library().SearchResults.Count() == 0 && tuning) {
        for (const model::Chord& chord : theory::chordsBeyondTheLibrary(text, tuning->Notes))
            library().SearchResults.Add(chord);
        resultsInSelectedTuning_ = library().SearchResults.Count() > 0;
    }
    showResult_->setChecked(true);
    showResult();
}

void ChordsTabsPage::copyTabToSearch() {
    const QString line = tabLine_->text();
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        return;
    }
    const QString tab = line.mid(colon + 2);
    // The same text again changes nothing in the edit, yet the user asked to search.
    if (searchText_->text() == tab) {
        search();
    } else {
        searchText_->setText(tab);
    }
}

void ChordsTabsPage::showResult() {
    if (!showResult_->isChecked()) {
        selectKey();
        return;
    }
    const auto& results = library().SearchResults;
    {
        const QSignalBlocker blocker(chordList_);
        chordList_->clear();
        // Results of one name are told apart by their tabs, in this list only:
        // the chord keeps its own name wherever it goes.
        std::map<std::string, int> named;
        for (const auto& chord : results.items())
            ++named[chord.Name];
        for (const auto& chord : results.items()) {
            chordList_->addItem(named[chord.Name] > 1
                                    ? toQString(chord.Name) + QStringLiteral("  ") +
                                          toQString(chord.Tab)
                                    : toQString(chord.Name));
        }
        if (chordList_->count() > 0) {
            chordList_->setCurrentRow(0);
        }
    }
    if (results.Count() > 0) {
        showChord();
    }
}

void ChordsTabsPage::play() {
    if (!library().Loaded) {
        return;
    }
    const std::optional<model::Tuning> tuning = selectedTuning();
    if (!selectedChord() || !tuning) {
        return;
    }
    // What the fretboard shows, moved to the tuning or made for it, on the
    // tuning's strings: what is heard is what is seen.
    const model::Chord& shown = view_->chord();
    if (!model::isValidTab(shown.Tab)) {
        return;
    }
    strummingPlayer().strum(shown, *tuning);
    listening_->programPlays([this] { return strummingPlayer().isPlaying(); });
}

void ChordsTabsPage::showEvent(QShowEvent* event) {
    Page::showEvent(event);
    listening_->pageShown();
}

void ChordsTabsPage::hideEvent(QHideEvent* event) {
    Page::hideEvent(event);
    listening_->pageHidden();
}

void ChordsTabsPage::addToList() {
    const std::optional<model::Chord> chord = selectedChord();
    const std::optional<model::Tuning> tuning = selectedTuning();
    if (!chord || !tuning) {
        return;
    }
    model::Chord copy(chord->RootNote, chord->Name, chord->Tab);
    if (tuning->Name != model::kStandardTuningName) {
        // The fingering as shown, played in the tuning it was shown in.
        copy.Name += " - ";
        copy.Name += tuning->Name;
        copy.Tab = view_->chord().Tab;
    }
    host().addChordToPlaylist(copy, tuning->Notes);
}

model::ValueList<model::Chord> ChordsTabsPage::currentChords() const {
    if (showResult_->isChecked()) {
        return library().SearchResults;
    }
    model::ValueList<model::Chord> chords;
    if (const QListWidgetItem* key = keyList_->currentItem()) {
        library().ChordsOfKey(fromQString(key->text()), chords);
    }
    return chords;
}

std::optional<model::Chord> ChordsTabsPage::selectedChord() const {
    const int row = chordList_->currentRow();
    if (row < 0) {
        return std::nullopt;
    }
    return currentChords().GetAt(row);
}

std::optional<model::Tuning> ChordsTabsPage::selectedTuning() const {
    return library().Tunings.GetAt(tuningCombo_->currentIndex());
}

std::string ChordsTabsPage::tabForTuning(const model::Chord& chord) {
    const std::string movedTab = model::tabInTuning(chord.Tab, view_->tuning().Notes);
    if (movedTab != chord.Tab)
        tabLine_->setText(translate("Tab was changed to") + QStringLiteral(": ") +
                          toQString(movedTab));
    return movedTab;
}

void ChordsTabsPage::showNotesLine() {
    const std::optional<model::Tuning> tuning = selectedTuning();
    const std::string notes = tuning ? tuning->Notes : std::string();
    const model::TabTokens tokens = model::splitTab(view_->chord().Tab);
    std::string line;
    for (int k = 0; k < model::kStringCount; ++k) {
        if (k > 0) {
            line += " - ";
        }
        const std::string& token = tokens[static_cast<std::size_t>(k)];
        const int fret = model::fretOf(token);
        // Muted, or a hand-written tuning whose note the table does not reach.
        const std::optional<int> entry =
            fret < 0 ? std::nullopt : model::noteAtFret(model::tuningNote(notes, 6 - k), fret);
        line += entry ? std::string(model::noteTable()[static_cast<std::size_t>(*entry)])
                      : std::string("N/A");
    }
    notesLine_->setText(translate("Notes") + QStringLiteral(": ") + toQString(line));
}

void ChordsTabsPage::takeSettings() {
    applyFretboardSettings(*this, *view_, library().Settings);
    if (listening_)
        listening_->setA4(library().Settings.referencePitch());
}

std::vector<QWidget*> ChordsTabsPage::tabOrder() const {
    return {view_,
            control<QWidget>(Id::HideNotes),
            control<QWidget>(Id::ShowNotes),
            &listening_->listenBox(),
            control<QWidget>(Id::KeyList),
            control<QWidget>(Id::ChordList),
            control<QWidget>(Id::AddToList),
            control<QWidget>(Id::Play),
            control<QWidget>(Id::TuningCombo),
            control<QWidget>(Id::SearchText),
            control<QWidget>(Id::SearchButton),
            control<QWidget>(Id::CopyTabButton),
            control<QWidget>(Id::ShowResult)};
}

} // namespace strumvale::pages

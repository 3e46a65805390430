#include "pages/chord_editor.h"

#include "fretboard/fretboard_view.h"
#include "library/chord_library.h"
#include "model/notes.h"
#include "model/tuning_notes.h"
#include "pages/page.h"
#include "resources/templates/editor_page.h"
#include "sound/chord_player.h"
#include "theory/chord_naming.h"
#include "uikit/chord_listening.h"
#include "uikit/progress_dialog.h"
#include "uikit/text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

namespace strumvale::pages {
namespace {

using Id = resources::EditorId;
using uikit::fromQString;
using uikit::toQString;

constexpr const char* kNewChordName = "New Chord";
constexpr const char* kNoFingering = "x x x x x x";
// As many names as the line has room for.
constexpr std::size_t kNamesShown = 3;
// Dialog units: Listen under Update, clear of the move buttons.
constexpr resources::DialogRect kListenPlacement{160, 117, 65, 11};

} // namespace

ChordEditor::ChordEditor(const EditorControls& shared) : shared_(shared) {
    Page& page = shared_.page;
    panel_ = page.control<QGroupBox>(Id::InformationGroup);
    authorLabel_ = page.control<QLabel>(Id::AuthorOrIntervalsLabel);
    homepageLabel_ = page.control<QLabel>(Id::HomepageOrDescriptionLabel);
    descriptionLabel_ = page.control<QLabel>(Id::DescriptionLabel);
    authorEdit_ = page.control<QLineEdit>(Id::AuthorOrIntervals);
    homepageEdit_ = page.control<QLineEdit>(Id::HomepageOrDescription);
    descriptionEdit_ = page.control<QLineEdit>(Id::ChordfileDescription);
    // Beside the buttons, above the information panel.
    namesLine_ = new QLabel(&page);
    namesLine_->setObjectName(QStringLiteral("soundsLike"));
    namesLine_->setGeometry(uikit::toPixels({230, 118, 145, 10}));
    namesLine_->setTextFormat(Qt::PlainText);
    listening_ = new uikit::ChordListening(
        page, uikit::toPixels(kListenPlacement), *namesLine_,
        [&page](std::string_view key) { return page.translate(key); },
        page.library().ChordPlayer.clock());
    listening_->listenBox().setObjectName(QStringLiteral("editorListen"));
    QObject::connect(listening_, &uikit::ChordListening::notesHeard, &page,
                     [this](const std::vector<int>& notes) { showHeardNames(notes); });
}

ChordEditor::~ChordEditor() {
    deactivate();
}

void ChordEditor::caption() {
    const Page& page = shared_.page;
    shared_.tabLabel.setText(page.translate("Tab") + ":");
    shared_.itemList.setAccessibleName(page.translate("Chords"));
    panel_->setTitle(page.translate("Chordfile Information"));
    authorLabel_->setText(page.translate("Author") + ":");
    homepageLabel_->setText(page.translate("Homepage") + ":");
    descriptionLabel_->setText(page.translate("Description") + ":");
    authorEdit_->setAccessibleName(page.translate("Author"));
    homepageEdit_->setAccessibleName(page.translate("Homepage"));
    descriptionEdit_->setAccessibleName(page.translate("Description"));
    listening_->retranslate();
    namesLine_->setAccessibleName(page.translate("Sounds like"));
}

void ChordEditor::activate() {
    deactivate();
    active_ = true;
    listening_->listenBox().show();
    if (shared_.page.isVisible())
        listening_->pageShown();
    shared_.view.setChordMode(true);
    shared_.view.setNoteLabels(true);
    caption();
    ChordLibrary& library = shared_.page.library();
    fillQuietly(*authorEdit_, toQString(library.Author));
    fillQuietly(*homepageEdit_, toQString(library.Homepage));
    fillQuietly(*descriptionEdit_, toQString(library.Info));
    descriptionEdit_->show();

    // Each edit of the panel changes the chordfile at once.
    const auto storeOnEdit = [this](QLineEdit* edit, std::string ChordLibrary::*field) {
        panelHandlers_.onTextChanged(*edit, shared_.page, [this, field](const QString& text) {
            shared_.page.library().*field = fromQString(text);
            markModified();
        });
    };
    storeOnEdit(authorEdit_, &ChordLibrary::Author);
    storeOnEdit(homepageEdit_, &ChordLibrary::Homepage);
    storeOnEdit(descriptionEdit_, &ChordLibrary::Info);
}

void ChordEditor::deactivate() {
    panelHandlers_.release();
    clearNames();
    // The scales have no use for it; it comes back as it was.
    active_ = false;
    listening_->pageHidden();
    listening_->listenBox().hide();
}

void ChordEditor::programPlays(std::function<bool()> isSounding) {
    listening_->programPlays(std::move(isSounding));
}

void ChordEditor::pageShown() {
    if (active_)
        listening_->pageShown();
}

void ChordEditor::pageHidden() {
    listening_->pageHidden();
}

QStringList ChordEditor::itemNames() const {
    model::ValueList<model::Chord> chords;
    shared_.page.library().ChordsOfKey(key_, chords);
    QStringList names;
    for (const auto& chord : chords.items())
        names << toQString(chord.Name);
    return names;
}

void ChordEditor::showItem(int row) {
    clearNames();
    model::ValueList<model::Chord> chords;
    shared_.page.library().ChordsOfKey(key_, chords);
    const std::optional<model::Chord> chord = chords.GetAt(row);
    if (!chord) {
        // Nothing of a list that has gone stays on show to be stored again.
        shared_.nameEdit.clear();
        shared_.tabLine.clear();
        shared_.view.setChord(model::Chord(key_, "", kNoFingering));
        return;
    }
    fillQuietly(shared_.nameEdit, toQString(chord->Name));
    shared_.tabLine.setText(toQString(chord->Tab));
    shared_.view.setChord(*chord);
}

void ChordEditor::takeViewEdit() {
    shared_.tabLine.setText(toQString(shared_.view.chord().Tab));
    showNames();
}

void ChordEditor::showNames() {
    // The view always plays the standard tuning on this page.
    const std::vector<std::string> names =
        theory::nameFingering(shared_.view.chord().Tab, model::Tuning::standard().Notes);
    if (names.empty()) {
        clearNames();
        return;
    }
    showNamesLine(names, QString());
}

void ChordEditor::showHeardNames(std::span<const int> notes) {
    QStringList written;
    for (const int note : notes)
        written << toQString(model::noteNameOfMidi(note));
    showNamesLine(theory::nameNotes(notes), written.join(QLatin1Char(' ')));
}

// The names first, as they matter most; notes heard follow in brackets, or
// stand alone when they make no chord.
void ChordEditor::showNamesLine(const std::vector<std::string>& names, const QString& notes) {
    QStringList shown;
    for (std::size_t i = 0; i < std::min(names.size(), kNamesShown); ++i)
        shown << toQString(names[i]);
    QString said = shown.join(QStringLiteral(", "));
    if (!notes.isEmpty())
        said = said.isEmpty() ? notes : said + QStringLiteral(" (") + notes + QLatin1Char(')');
    const QString text = shared_.page.translate("Sounds like") + ": " + said;
    namesLine_->setText(text);
    namesLine_->setToolTip(text);
    namesLine_->setAccessibleDescription(text);
}

void ChordEditor::clearNames() {
    namesLine_->clear();
    namesLine_->setToolTip(QString());
    namesLine_->setAccessibleDescription(QString());
}

void ChordEditor::store(const std::string& name) {
    const int k = shared_.itemList.currentRow();
    if (k < 0)
        return;
    ChordLibrary& library = shared_.page.library();
    const model::Chord chord(key_, name, shared_.view.chord().Tab);
    // The chord being edited takes part: an unchanged tab is refused too.
    if (const auto existing = library.firstChordWithTab(chord.Tab)) {
        showInformation(shared_.page, shared_.page.translate("This tab already exists as:") + " " +
                                          toQString(existing->Name));
        return;
    }
    keepKeyTogether();
    library.Chords.SetAt(library.indexOfChordOfKey(key_, k), chord);
    shared_.itemList.item(k)->setText(toQString(name));
    selectQuietly(shared_.itemList, k);
    markModified();
    shared_.page.host().onChordsChanged();
}

void ChordEditor::addNew() {
    shared_.page.library().Chords.Add(model::Chord(key_, kNewChordName, kNoFingering));
    // The sort keeps the order within a key: the new chord is the key's last.
    sortChords();
    shared_.page.host().onChordsChanged();
}

void ChordEditor::remove(int row) {
    keepKeyTogether();
    shared_.page.library().RemoveChordOfKey(key_, row);
    shared_.page.host().onChordsChanged();
}

void ChordEditor::move(int row, int step) {
    keepKeyTogether();
    ChordLibrary& library = shared_.page.library();
    if (step < 0)
        library.MoveChordUp(key_, row);
    else
        library.MoveChordDown(key_, row);
    shared_.page.host().onChordsChanged();
}

void ChordEditor::play() {
    // The neck is always in standard tuning here.
    shared_.page.strummingPlayer().strum(shared_.view.chord(), model::Tuning::standard());
    programPlays([&player = shared_.page.strummingPlayer()] { return player.isPlaying(); });
}

void ChordEditor::keepKeyTogether() {
    if (!shared_.page.library().chordsOfKeyFormOneRun(key_))
        sortChords();
}

void ChordEditor::sortChords() {
    ChordLibrary& library = shared_.page.library();
    if (sortProgress_ == nullptr) {
        sortProgress_ = new uikit::ProgressDialog(QStringLiteral("Progress"), &shared_.page);
        sortProgress_->setObjectName(QStringLiteral("sortProgress"));
    }
    sortProgress_->setMessage(shared_.page.translate("Sorting, please wait..."));
    sortProgress_->setRange(0, library.Chords.Count() - 1);
    sortProgress_->setValue(0);
    sortProgress_->show();
    library.SortChords([this] { sortProgress_->setValue(sortProgress_->value() + 1); });
    sortProgress_->hide();
}

void ChordEditor::markModified() {
    shared_.page.library().Modified = true;
}

} // namespace strumvale::pages

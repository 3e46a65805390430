#include "pages/editor_page.h"

#include "fretboard/fretboard_view.h"
#include "library/chord_library.h"
#include "model/names.h"
#include "model/notes.h"
#include "model/tuning_notes.h"
#include "pages/page_colours.h"
#include "resources/templates/editor_page.h"
#include "resources/templates/view_placements.h"
#include "theory/chord_naming.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/message_box.h"
#include "uikit/progress_dialog.h"
#include "uikit/text.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <array>
#include <utility>

namespace strumvale::pages {
namespace {

using Id = resources::EditorId;
using uikit::fromQString;
using uikit::toQString;

// The chord roots, alphabetically: the editor lists them from A.
constexpr std::array<std::string_view, 7> kKeys = [] {
    std::array<std::string_view, 7> keys = model::kChordRootNames;
    std::sort(keys.begin(), keys.end());
    return keys;
}();
constexpr const char* kNewChordName = "New Chord";
constexpr const char* kNoFingering = "x x x x x x";

bool isKeyName(const QString& text) {
    return text.size() == 1 && text[0] >= QLatin1Char('A') && text[0] <= QLatin1Char('G');
}

// Selects a row without the selection handler: the view keeps what it shows.
void selectQuietly(QListWidget& list, int row) {
    const QSignalBlocker blocker(&list);
    list.setCurrentRow(row);
}

// Sets an edit's text without its change handler: filling is not editing. A
// text longer than the edit shows its beginning.
void fillQuietly(QLineEdit& edit, const QString& text) {
    const QSignalBlocker blocker(&edit);
    edit.setText(text);
    edit.setCursorPosition(0);
}

} // namespace

EditorPage::EditorPage(PageHost& host, QWidget* parent)
    : Page(host, resources::editorPageTemplate(), parent), scaleRun_(host.library().ChordPlayer),
      clickedNotes_(host.library().ChordPlayer) {
    keyList_ = control<QListWidget>(Id::KeyList);
    itemList_ = control<QListWidget>(Id::ItemList);
    nameEdit_ = control<QLineEdit>(Id::NameEdit);
    tabLine_ = control<QLabel>(Id::TabLine);
    authorOrIntervals_ = control<QLineEdit>(Id::AuthorOrIntervals);
    homepageOrDescription_ = control<QLineEdit>(Id::HomepageOrDescription);
    chordfileDescription_ = control<QLineEdit>(Id::ChordfileDescription);

    for (std::string_view key : kKeys)
        keyList_->addItem(toQString(key));

    view_ = new fretboard::FretboardView(this);
    view_->setWhiteBackground(library().Settings.Whitebackgroundcolor);
    view_->setEditing(true);
    view_->setChordMode(true);
    view_->setNoteLabels(true);
    view_->move(uikit::toPixels(resources::kFretboardViewPlacement).topLeft());
    view_->show();
    // Beside the buttons, above the information panel.
    namesLine_ = new QLabel(this);
    namesLine_->setObjectName(QStringLiteral("soundsLike"));
    namesLine_->setGeometry(uikit::toPixels({230, 118, 145, 10}));
    namesLine_->setTextFormat(Qt::PlainText);
    control<uikit::ImageButton>(Id::MoveUp)->setIconResource(uikit::icon::MoveUp);
    control<uikit::ImageButton>(Id::MoveDown)->setIconResource(uikit::icon::MoveDown);

    retranslate();
    selectQuietly(*keyList_, 0);
    takeSettings();
    selectKey();
    // Clicks add notes of the standard tuning, so the view always shows it.
    view_->setTuning(model::Tuning::standard());

    connect(keyList_, &QListWidget::currentRowChanged, this, [this] { selectKey(); });
    connect(itemList_, &QListWidget::currentRowChanged, this, [this] { selectItem(); });
    connect(view_, &fretboard::FretboardView::fretClicked, this,
            [this](int stringNumber, int fret) { soundClickedNote(stringNumber, fret); });
    connect(view_, &fretboard::FretboardView::edited, this, [this] { takeViewEdit(); });
    auto* playButton = control<QPushButton>(Id::Play);
    playButton->setEnabled(true);
    connect(playButton, &QPushButton::clicked, this, [this] { play(); });
    connect(authorOrIntervals_, &QLineEdit::textChanged, this,
            [this](const QString& text) { editAuthorOrIntervals(text); });
    connect(homepageOrDescription_, &QLineEdit::textChanged, this,
            [this](const QString& text) { editHomepageOrDescription(text); });
    connect(chordfileDescription_, &QLineEdit::textChanged, this,
            [this](const QString& text) { editChordfileDescription(text); });
    connect(control<QPushButton>(Id::Update), &QPushButton::clicked, this,
            [this] { storeEntry(); });
    connect(control<QPushButton>(Id::New), &QPushButton::clicked, this, [this] { newEntry(); });
    connect(control<QPushButton>(Id::Remove), &QPushButton::clicked, this,
            [this] { removeEntry(); });
    connect(control<uikit::ImageButton>(Id::MoveUp), &QToolButton::clicked, this,
            [this] { moveEntry(-1); });
    connect(control<uikit::ImageButton>(Id::MoveDown), &QToolButton::clicked, this,
            [this] { moveEntry(+1); });
    connect(control<QPushButton>(Id::NewChordfile), &QPushButton::clicked, this,
            [this] { newChordfile(); });
}

void EditorPage::retranslate() {
    control<QLabel>(Id::NameLabel)->setText(translate("Name") + ":");
    control<QLabel>(Id::TabLabel)->setText(translate(scaleMode_ ? "Notes" : "Tab") + ":");
    control<QPushButton>(Id::Update)->setText(translate("Update"));
    control<QPushButton>(Id::New)->setText(translate("New"));
    control<QPushButton>(Id::Play)->setText(translate("Play"));
    control<QPushButton>(Id::Remove)->setText(translate("Remove"));
    control<QPushButton>(Id::NewChordfile)->setText(translate("New Chordfile"));
    control<uikit::ImageButton>(Id::MoveUp)->setAccessibleName(translate("Move up"));
    control<uikit::ImageButton>(Id::MoveDown)->setAccessibleName(translate("Move down"));
    keyList_->setAccessibleName(translate("Keys"));
    itemList_->setAccessibleName(translate(scaleMode_ ? "Scales" : "Chords"));
    nameEdit_->setAccessibleName(translate("Name"));
    view_->setAccessibleName(translate("Fretboard"));
    view_->setMessage(translate("Sorry, I can not display this."));
    view_->update();
    captionPanel();

    // The key list holds the seven keys and one scales entry in the language in
    // use; the sorted list puts the new entry in its place. A selected scales
    // entry stays selected, without a key change, as the mode is unchanged.
    const QSignalBlocker blocker(keyList_);
    bool scalesSelected = false;
    for (int row = keyList_->count() - 1; row >= 0; --row) {
        if (isKeyName(keyList_->item(row)->text()))
            continue;
        scalesSelected = scalesSelected || keyList_->currentRow() == row;
        delete keyList_->takeItem(row);
    }
    auto* scales = new QListWidgetItem(translate("Scales"));
    keyList_->addItem(scales);
    if (scalesSelected)
        keyList_->setCurrentItem(scales);
}

void EditorPage::refresh() {
    selectKey();
}

void EditorPage::takeSettings() {
    const auto& settings = library().Settings;
    view_->setLeftHanded(settings.Lefthanded);
    view_->setUpsideDown(settings.Upsidedownneck);
    view_->setAllFrets(settings.Displaynotesforallfrets);
    view_->setWhiteBackground(settings.Whitebackgroundcolor);
    applyPageBackground(*this, settings.Whitebackgroundcolor);
    view_->update();
}

void EditorPage::setDotColour(const QColor& colour) {
    view_->setDotsColor(colour);
    view_->update();
}

void EditorPage::setIntervalTextColour(const QColor& colour) {
    view_->setIntervalTextColor(colour);
    view_->update();
}

void EditorPage::setNoteTextColour(const QColor& colour) {
    view_->setNoteTextColor(colour);
    view_->update();
}

std::string EditorPage::selectedKey() const {
    const QListWidgetItem* item = keyList_->currentItem();
    return item != nullptr ? fromQString(item->text()) : std::string();
}

void EditorPage::selectKey() {
    const QListWidgetItem* item = keyList_->currentItem();
    scaleMode_ = item != nullptr && !isKeyName(item->text());
    view_->setChordMode(!scaleMode_);
    // A scale's markers carry its intervals; note names over them would make
    // both unreadable, and the notes line names the notes.
    view_->setNoteLabels(!scaleMode_);
    control<QLabel>(Id::TabLabel)->setText(translate(scaleMode_ ? "Notes" : "Tab") + ":");
    itemList_->setAccessibleName(translate(scaleMode_ ? "Scales" : "Chords"));
    if (scaleMode_)
        tabLine_->clear();
    fillItems();
    if (itemList_->count() > 0)
        selectQuietly(*itemList_, 0);
    selectItem();
    if (scaleMode_)
        showScalePanel();
    else
        showChordfilePanel();
}

void EditorPage::fillItems() {
    const QSignalBlocker blocker(itemList_);
    itemList_->clear();
    if (scaleMode_) {
        for (const auto& scale : library().Scales.items())
            itemList_->addItem(toQString(scale.Name));
        return;
    }
    model::ValueList<model::Chord> chords;
    library().ChordsOfKey(selectedKey(), chords);
    for (const auto& chord : chords.items())
        itemList_->addItem(toQString(chord.Name));
}

void EditorPage::selectItem() {
    namesLine_->clear();
    const int row = itemList_->currentRow();
    if (scaleMode_) {
        const std::optional<model::Scale> scale = library().Scales.GetAt(row);
        if (!scale) {
            showEmptyEntry();
            return;
        }
        takeSettings();
        view_->setScale(*scale, 0);
        fillQuietly(*nameEdit_, toQString(scale->Name));
        tabLine_->setText(toQString(scale->Notes()));
        if (!chordfilePanel_)
            fillScalePanel(*scale);
        return;
    }
    model::ValueList<model::Chord> chords;
    library().ChordsOfKey(selectedKey(), chords);
    const std::optional<model::Chord> chord = chords.GetAt(row);
    if (!chord) {
        showEmptyEntry();
        return;
    }
    fillQuietly(*nameEdit_, toQString(chord->Name));
    tabLine_->setText(toQString(chord->Tab));
    view_->setChord(*chord);
}

void EditorPage::showEmptyEntry() {
    // Nothing of a list that has gone stays on show to be stored again.
    nameEdit_->clear();
    tabLine_->clear();
    if (scaleMode_) {
        const model::Scale empty;
        view_->setScale(empty, 0);
        if (!chordfilePanel_)
            fillScalePanel(empty);
    } else {
        view_->setChord(model::Chord(selectedKey(), "", kNoFingering));
    }
}

void EditorPage::captionPanel() {
    auto* group = control<QGroupBox>(Id::InformationGroup);
    auto* first = control<QLabel>(Id::AuthorOrIntervalsLabel);
    auto* second = control<QLabel>(Id::HomepageOrDescriptionLabel);
    auto* third = control<QLabel>(Id::DescriptionLabel);
    if (chordfilePanel_) {
        group->setTitle(translate("Chordfile Information"));
        first->setText(translate("Author") + ":");
        second->setText(translate("Homepage") + ":");
        third->setText(translate("Description") + ":");
        authorOrIntervals_->setAccessibleName(translate("Author"));
        homepageOrDescription_->setAccessibleName(translate("Homepage"));
    } else {
        group->setTitle(translate("Scale Information"));
        first->setText(translate("Intervals") + ":");
        second->setText(translate("Description") + ":");
        third->setText(translate("Always add scales in C-key."));
        authorOrIntervals_->setAccessibleName(translate("Intervals"));
        homepageOrDescription_->setAccessibleName(translate("Description"));
    }
    chordfileDescription_->setAccessibleName(translate("Description"));
}

void EditorPage::showChordfilePanel() {
    chordfilePanel_ = true;
    captionPanel();
    fillQuietly(*authorOrIntervals_, toQString(library().Author));
    fillQuietly(*homepageOrDescription_, toQString(library().Homepage));
    fillQuietly(*chordfileDescription_, toQString(library().Info));
    chordfileDescription_->show();
}

void EditorPage::showScalePanel() {
    chordfilePanel_ = false;
    captionPanel();
    fillScalePanel(view_->scale());
    chordfileDescription_->hide();
}

void EditorPage::fillScalePanel(const model::Scale& scale) {
    fillQuietly(*authorOrIntervals_, toQString(scale.Intervals()));
    fillQuietly(*homepageOrDescription_, toQString(scale.Description));
}

void EditorPage::takeViewEdit() {
    if (!scaleMode_) {
        tabLine_->setText(toQString(view_->chord().Tab));
        showNames();
        return;
    }
    const model::Scale scale = view_->scale();
    tabLine_->setText(toQString(scale.Notes()));
    if (!chordfilePanel_)
        fillScalePanel(scale);
}

void EditorPage::showNames() {
    // The view always plays the standard tuning on this page.
    std::vector<std::string> names =
        theory::nameFingering(view_->chord().Tab, model::Tuning::standard().Notes);
    if (names.empty()) {
        namesLine_->clear();
        return;
    }
    names.resize(std::min<std::size_t>(names.size(), 3));
    QString text = translate("Sounds like") + ": ";
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i > 0 ? ", " : "") + toQString(names[i]);
    namesLine_->setText(text);
}

void EditorPage::editAuthorOrIntervals(const QString& text) {
    if (chordfilePanel_) {
        library().Author = fromQString(text);
        markModified();
        return;
    }
    // The drawing follows only while each note has its interval; until then
    // the view keeps the intervals it can draw.
    model::Scale scale = view_->scale();
    scale.SetIntervals(fromQString(text));
    if (scale.IntervalList().size() == scale.NoteList().size())
        view_->setScale(scale, 0);
}

void EditorPage::editHomepageOrDescription(const QString& text) {
    if (chordfilePanel_) {
        library().Homepage = fromQString(text);
        markModified();
        return;
    }
    model::Scale scale = view_->scale();
    scale.Description = fromQString(text);
    view_->setScale(scale, 0);
}

void EditorPage::editChordfileDescription(const QString& text) {
    if (!chordfilePanel_)
        return;
    library().Info = fromQString(text);
    markModified();
}

void EditorPage::storeEntry() {
    const QString name = nameEdit_->text();
    if (name.isEmpty()) {
        showInformation(translate("Please enter a name."));
        return;
    }
    if (scaleMode_)
        addScale(fromQString(name));
    else
        storeChord(fromQString(name));
}

void EditorPage::storeChord(const std::string& name) {
    const int k = itemList_->currentRow();
    if (k < 0)
        return;
    const std::string key = selectedKey();
    const model::Chord chord(key, name, view_->chord().Tab);
    // The chord being edited takes part: an unchanged tab is refused too.
    if (const auto existing = library().FirstChordWithTab(chord.Tab)) {
        showInformation(translate("This tab already exists as:") + " " + toQString(existing->Name));
        return;
    }
    keepKeyTogether();
    library().Chords.SetAt(library().IndexOfChordOfKey(key, k), chord);
    itemList_->item(k)->setText(toQString(name));
    selectQuietly(*itemList_, k);
    markModified();
    host().onChordsChanged();
}

void EditorPage::addScale(const std::string& name) {
    model::Scale scale = view_->scale();
    scale.Name = name;
    // What the panel shows is stored, also intervals the drawing could not take.
    scale.SetIntervals(fromQString(authorOrIntervals_->text()));
    scale.Description = fromQString(homepageOrDescription_->text());
    library().Scales.Add(scale);
    host().onScalesChanged();
    itemList_->addItem(toQString(name));
    selectQuietly(*itemList_, itemList_->count() - 1);
    markModified();
}

void EditorPage::newEntry() {
    if (scaleMode_) {
        library().Scales.Add(model::Scale());
        host().onScalesChanged();
    } else {
        library().Chords.Add(model::Chord(selectedKey(), kNewChordName, kNoFingering));
        sortChords();
        host().onChordsChanged();
    }
    // The sort keeps the order within a key: the new entry is the key's last.
    fillItems();
    selectQuietly(*itemList_, itemList_->count() - 1);
    selectItem();
    markModified();
}

void EditorPage::removeEntry() {
    const int row = itemList_->currentRow();
    if (row < 0)
        return;
    const QString name = itemList_->item(row)->text();
    const uikit::MessageAnswer answer =
        uikit::showMessage(this, {translate("Remove") + ": " + name, translate("Remove") + "?",
                                  uikit::MessageIcon::Question, uikit::MessageButtons::YesNo});
    if (answer != uikit::MessageAnswer::Yes)
        return;
    if (scaleMode_) {
        library().Scales.RemoveAt(row);
        host().onScalesChanged();
    } else {
        keepKeyTogether();
        library().RemoveChordOfKey(selectedKey(), row);
        host().onChordsChanged();
    }
    delete itemList_->takeItem(row);
    // The neighbour takes the place, so the view never shows what is gone.
    if (itemList_->count() > 0)
        selectQuietly(*itemList_, std::min(row, itemList_->count() - 1));
    else
        selectQuietly(*itemList_, -1);
    selectItem();
    markModified();
}

void EditorPage::moveEntry(int step) {
    const int row = itemList_->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= itemList_->count())
        return;
    if (scaleMode_) {
        auto& scales = library().Scales.mutableItems();
        std::swap(scales.at(static_cast<std::size_t>(row)),
                  scales.at(static_cast<std::size_t>(target)));
        host().onScalesChanged();
    } else {
        keepKeyTogether();
        if (step < 0)
            library().MoveChordUp(selectedKey(), row);
        else
            library().MoveChordDown(selectedKey(), row);
        host().onChordsChanged();
    }
    {
        const QSignalBlocker blocker(itemList_);
        itemList_->insertItem(target, itemList_->takeItem(row));
        itemList_->setCurrentRow(target);
    }
    markModified();
}

void EditorPage::newChordfile() {
    host().closeChordfile();
    markModified();
    view_->setChord(model::Chord());
    selectKey();
}

void EditorPage::keepKeyTogether() {
    if (!library().ChordsOfKeyFormOneRun(selectedKey()))
        sortChords();
}

void EditorPage::sortChords() {
    if (sortProgress_ == nullptr) {
        sortProgress_ = new uikit::ProgressDialog(QStringLiteral("Progress"), this);
        sortProgress_->setObjectName(QStringLiteral("sortProgress"));
    }
    sortProgress_->setMessage(translate("Sorting, please wait..."));
    sortProgress_->setRange(0, library().Chords.Count() - 1);
    sortProgress_->setValue(0);
    sortProgress_->show();
    library().SortChords([this] { sortProgress_->setValue(sortProgress_->value() + 1); });
    sortProgress_->hide();
}

void EditorPage::showInformation(const QString& text) {
    uikit::showMessage(this, {text, translate("Information"), uikit::MessageIcon::Information,
                              uikit::MessageButtons::Ok});
}

void EditorPage::markModified() {
    library().Modified = true;
}

void EditorPage::play() {
    sound::ChordPlayer& player = strummingPlayer();
    if (!scaleMode_) {
        // The neck is always in standard tuning here.
        player.strum(view_->chord(), model::Tuning::standard());
        return;
    }
    // Scales are edited in C, so the run starts there.
    scaleRun_.start(sound::scaleRunScore(view_->scale().NoteList()), {});
}

void EditorPage::soundClickedNote(int stringNumber, int fret) {
    const model::Settings& settings = library().Settings;
    if (!settings.Playnoteswhileediting)
        return;
    const std::optional<int> entry =
        model::noteAtFret(model::tuningNote(model::kStandardTuningNotes, stringNumber), fret);
    if (!entry)
        return;
    clickedNotes_.setSound(settings.Instrument, settings.Volume);
    clickedNotes_.playNow(std::string(model::noteTable()[static_cast<std::size_t>(*entry)]));
}

} // namespace strumvale::pages

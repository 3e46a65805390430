#include "pages/editor_page.h"

#include "fretboard/fretboard_view.h"
#include "library/chord_library.h"
#include "model/names.h"
#include "model/notes.h"
#include "model/tuning_notes.h"
#include "pages/chord_editor.h"
#include "pages/page_colours.h"
#include "pages/scale_editor.h"
#include "resources/templates/editor_page.h"
#include "resources/templates/view_placements.h"
#include "uikit/chord_listening.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"
#include "uikit/message_box.h"
#include "uikit/text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <array>

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

bool isKeyName(const QString& text) {
    return text.size() == 1 && text[0] >= QLatin1Char('A') && text[0] <= QLatin1Char('G');
}

} // namespace

EditorPage::EditorPage(PageHost& host, QWidget* parent)
    : Page(host, resources::editorPageTemplate(), parent),
      clickedNotes_(host.library().ChordPlayer) {
    keyList_ = control<QListWidget>(Id::KeyList);
    itemList_ = control<QListWidget>(Id::ItemList);

    for (std::string_view key : kKeys)
        keyList_->addItem(toQString(key));

    view_ = new fretboard::FretboardView(this);
    view_->setEditing(true);
    view_->setChordMode(true);
    view_->setNoteLabels(true);
    view_->move(uikit::toPixels(resources::kFretboardViewPlacement).topLeft());
    view_->show();
    const EditorControls shared{*this,
                                *view_,
                                *itemList_,
                                *control<QLineEdit>(Id::NameEdit),
                                *control<QLabel>(Id::TabLabel),
                                *control<QLabel>(Id::TabLine)};
    chordEditor_ = std::make_unique<ChordEditor>(shared);
    scaleEditor_ = std::make_unique<ScaleEditor>(shared, [this] { takeSettings(); });
    editor_ = chordEditor_.get();
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
    connect(view_, &fretboard::FretboardView::edited, this, [this] { editor_->takeViewEdit(); });
    auto* playButton = control<QPushButton>(Id::Play);
    playButton->setEnabled(true);
    connect(playButton, &QPushButton::clicked, this, [this] { editor_->play(); });
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

EditorPage::~EditorPage() = default;

bool EditorPage::isPlayingScale() const {
    return scaleEditor_->isPlaying();
}

void EditorPage::retranslate() {
    control<QLabel>(Id::NameLabel)->setText(translate("Name") + ":");
    control<QPushButton>(Id::Update)->setText(translate("Update"));
    control<QPushButton>(Id::New)->setText(translate("New"));
    control<QPushButton>(Id::Play)->setText(translate("Play"));
    control<QPushButton>(Id::Remove)->setText(translate("Remove"));
    control<QPushButton>(Id::NewChordfile)->setText(translate("New Chordfile"));
    control<uikit::ImageButton>(Id::MoveUp)->setAccessibleName(translate("Move up"));
    control<uikit::ImageButton>(Id::MoveDown)->setAccessibleName(translate("Move down"));
    keyList_->setAccessibleName(translate("Keys"));
    control<QLineEdit>(Id::NameEdit)->setAccessibleName(translate("Name"));
    view_->setAccessibleName(translate("Fretboard"));
    view_->setMessage(translate("Sorry, I can not display this."));
    view_->setPositionFormat(translate("String %1, fret %2, %3"));
    view_->setMutedFormat(translate("String %1, muted"));
    view_->update();
    editor_->caption();

    // The key list holds the seven keys and one scales entry in the language in
    // use; the sorted list puts the new entry in its place. A selected scales
    // entry stays selected, without a key change, as the editor is unchanged.
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
    applyFretboardSettings(*this, *view_, library().Settings);
    chordEditor_->listening().setA4(library().Settings.referencePitch());
}

void EditorPage::selectKey() {
    const QListWidgetItem* item = keyList_->currentItem();
    editor_->deactivate();
    if (item != nullptr && !isKeyName(item->text())) {
        editor_ = scaleEditor_.get();
    } else {
        chordEditor_->setKey(item != nullptr ? fromQString(item->text()) : std::string());
        editor_ = chordEditor_.get();
    }
    editor_->activate();
    fillItems();
    if (itemList_->count() > 0)
        selectQuietly(*itemList_, 0);
    selectItem();
}

void EditorPage::fillItems() {
    const QSignalBlocker blocker(itemList_);
    itemList_->clear();
    itemList_->addItems(editor_->itemNames());
}

void EditorPage::selectItem() {
    editor_->showItem(itemList_->currentRow());
}

void EditorPage::storeEntry() {
    const QString name = control<QLineEdit>(Id::NameEdit)->text();
    if (name.isEmpty()) {
        showInformation(*this, translate("Please enter a name."));
        return;
    }
    editor_->store(fromQString(name));
}

void EditorPage::newEntry() {
    editor_->addNew();
    fillItems();
    selectQuietly(*itemList_, itemList_->count() - 1);
    selectItem();
    library().Modified = true;
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
    editor_->remove(row);
    delete itemList_->takeItem(row);
    // The neighbour takes the place, so the view never shows what is gone.
    if (itemList_->count() > 0)
        selectQuietly(*itemList_, std::min(row, itemList_->count() - 1));
    else
        selectQuietly(*itemList_, -1);
    selectItem();
    library().Modified = true;
}

void EditorPage::moveEntry(int step) {
    const int row = itemList_->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= itemList_->count())
        return;
    editor_->move(row, step);
    {
        const QSignalBlocker blocker(itemList_);
        itemList_->insertItem(target, itemList_->takeItem(row));
        itemList_->setCurrentRow(target);
    }
    library().Modified = true;
}

void EditorPage::newChordfile() {
    host().closeChordfile();
    library().Modified = true;
    view_->setChord(model::Chord());
    selectKey();
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
    chordEditor_->programPlays([this] { return clickedNotes_.isPlaying(); });
}

void EditorPage::showEvent(QShowEvent* event) {
    Page::showEvent(event);
    chordEditor_->pageShown();
}

void EditorPage::hideEvent(QHideEvent* event) {
    Page::hideEvent(event);
    chordEditor_->pageHidden();
}

std::vector<QWidget*> EditorPage::tabOrder() const {
    return {view_,
            control<QWidget>(Id::NameEdit),
            control<QWidget>(Id::Update),
            control<QWidget>(Id::New),
            control<QWidget>(Id::Play),
            control<QWidget>(Id::KeyList),
            control<QWidget>(Id::ItemList),
            &chordEditor_->listening().listenBox(),
            control<QWidget>(Id::MoveUp),
            control<QWidget>(Id::Remove),
            control<QWidget>(Id::NewChordfile),
            control<QWidget>(Id::MoveDown),
            control<QWidget>(Id::AuthorOrIntervals),
            control<QWidget>(Id::HomepageOrDescription),
            control<QWidget>(Id::ChordfileDescription)};
}

} // namespace strumvale::pages

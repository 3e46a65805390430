#include "pages/scale_editor.h"

#include "fretboard/fretboard_view.h"
#include "library/chord_library.h"
#include "pages/page.h"
#include "resources/templates/editor_page.h"
#include "uikit/text.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <utility>

namespace strumvale::pages {
namespace {

using Id = resources::EditorId;
using uikit::fromQString;
using uikit::toQString;

} // namespace

ScaleEditor::ScaleEditor(const EditorControls& shared, std::function<void()> followSettings)
    : shared_(shared), followSettings_(std::move(followSettings)),
      run_(shared.page.library().ChordPlayer) {
    Page& page = shared_.page;
    panel_ = page.control<QGroupBox>(Id::InformationGroup);
    intervalsLabel_ = page.control<QLabel>(Id::AuthorOrIntervalsLabel);
    descriptionLabel_ = page.control<QLabel>(Id::HomepageOrDescriptionLabel);
    reminderLine_ = page.control<QLabel>(Id::DescriptionLabel);
    intervalsEdit_ = page.control<QLineEdit>(Id::AuthorOrIntervals);
    descriptionEdit_ = page.control<QLineEdit>(Id::HomepageOrDescription);
    chordfileDescriptionEdit_ = page.control<QLineEdit>(Id::ChordfileDescription);
}

ScaleEditor::~ScaleEditor() {
    deactivate();
}

void ScaleEditor::caption() {
    const Page& page = shared_.page;
    shared_.tabLabel.setText(page.translate("Notes") + ":");
    shared_.itemList.setAccessibleName(page.translate("Scales"));
    panel_->setTitle(page.translate("Scale Information"));
    intervalsLabel_->setText(page.translate("Intervals") + ":");
    descriptionLabel_->setText(page.translate("Description") + ":");
    reminderLine_->setText(page.translate("Always add scales in C-key."));
    intervalsEdit_->setAccessibleName(page.translate("Intervals"));
    descriptionEdit_->setAccessibleName(page.translate("Description"));
    chordfileDescriptionEdit_->setAccessibleName(page.translate("Description"));
}

void ScaleEditor::activate() {
    deactivate();
    shared_.view.setChordMode(false);
    // A scale's markers carry its intervals; note names over them would make
    // both unreadable, and the notes line names the notes.
    shared_.view.setNoteLabels(false);
    caption();
    shared_.tabLine.clear();
    chordfileDescriptionEdit_->hide();
    panelHandlers_.onTextChanged(*intervalsEdit_, shared_.page,
                                 [this](const QString& text) { editIntervals(text); });
    panelHandlers_.onTextChanged(*descriptionEdit_, shared_.page,
                                 [this](const QString& text) { editDescription(text); });
}

void ScaleEditor::deactivate() {
    panelHandlers_.release();
}

QStringList ScaleEditor::itemNames() const {
    QStringList names;
    for (const auto& scale : shared_.page.library().Scales.items())
        names << toQString(scale.Name);
    return names;
}

void ScaleEditor::showItem(int row) {
    const std::optional<model::Scale> scale = shared_.page.library().Scales.GetAt(row);
    if (!scale) {
        // Nothing of a list that has gone stays on show to be stored again.
        shared_.nameEdit.clear();
        shared_.tabLine.clear();
        const model::Scale empty;
        shared_.view.setScale(empty, 0);
        fillPanel(empty);
        return;
    }
    followSettings_();
    shared_.view.setScale(*scale, 0);
    fillQuietly(shared_.nameEdit, toQString(scale->Name));
    shared_.tabLine.setText(toQString(scale->Notes()));
    fillPanel(*scale);
}

void ScaleEditor::fillPanel(const model::Scale& scale) {
    fillQuietly(*intervalsEdit_, toQString(scale.Intervals()));
    fillQuietly(*descriptionEdit_, toQString(scale.Description));
}

void ScaleEditor::takeViewEdit() {
    const model::Scale scale = shared_.view.scale();
    shared_.tabLine.setText(toQString(scale.Notes()));
    fillPanel(scale);
}

void ScaleEditor::editIntervals(const QString& text) {
    // The drawing follows only while each note has its interval; until then
    // the view keeps the intervals it can draw.
    model::Scale scale = shared_.view.scale();
    scale.setIntervals(fromQString(text));
    if (scale.intervalList().size() == scale.noteList().size())
        shared_.view.setScale(scale, 0);
}

void ScaleEditor::editDescription(const QString& text) {
    model::Scale scale = shared_.view.scale();
    scale.Description = fromQString(text);
    shared_.view.setScale(scale, 0);
}

void ScaleEditor::store(const std::string& name) {
    model::Scale scale = shared_.view.scale();
    scale.Name = name;
    // What the panel shows is stored, also intervals the drawing could not take.
    scale.setIntervals(fromQString(intervalsEdit_->text()));
    scale.Description = fromQString(descriptionEdit_->text());
    ChordLibrary& library = shared_.page.library();
    library.Scales.Add(scale);
    shared_.page.host().onScalesChanged();
    shared_.itemList.addItem(toQString(name));
    selectQuietly(shared_.itemList, shared_.itemList.count() - 1);
    library.Modified = true;
}

void ScaleEditor::addNew() {
    shared_.page.library().Scales.Add(model::Scale());
    shared_.page.host().onScalesChanged();
}

void ScaleEditor::remove(int row) {
    shared_.page.library().Scales.RemoveAt(row);
    shared_.page.host().onScalesChanged();
}

void ScaleEditor::move(int row, int step) {
    auto& scales = shared_.page.library().Scales.mutableItems();
    std::swap(scales.at(static_cast<std::size_t>(row)),
              scales.at(static_cast<std::size_t>(row + step)));
    shared_.page.host().onScalesChanged();
}

void ScaleEditor::play() {
    // The run plays on the chord player, with the settings' instrument.
    shared_.page.strummingPlayer();
    // Scales are edited in C, so the run starts there.
    run_.start(sound::scaleRunScore(shared_.view.scale().noteList()), {});
}

} // namespace strumvale::pages

#include "pages/editor_page.h"

#include "resources/templates/editor_page.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace strumvale::pages {
namespace {

using Id = resources::EditorId;

bool isKeyName(const QString& text) {
    return text.size() == 1 && text[0] >= QLatin1Char('A') && text[0] <= QLatin1Char('G');
}

} // namespace

EditorPage::EditorPage(PageHost& host, QWidget* parent)
    : Page(host, resources::editorPageTemplate(), parent) {
    control<uikit::ImageButton>(Id::MoveUp)->setIconResource(uikit::icon::MoveUp);
    control<uikit::ImageButton>(Id::MoveDown)->setIconResource(uikit::icon::MoveDown);
    retranslate();
}

void EditorPage::retranslate() {
    control<QLabel>(Id::NameLabel)->setText(translate("Name") + ":");
    control<QLabel>(Id::TabLabel)->setText(translate(scaleMode_ ? "Notes" : "Tab") + ":");
    control<QPushButton>(Id::Update)->setText(translate("Update"));
    control<QPushButton>(Id::New)->setText(translate("New"));
    control<QPushButton>(Id::Play)->setText(translate("Play"));
    control<QPushButton>(Id::Remove)->setText(translate("Remove"));
    control<QPushButton>(Id::NewChordfile)->setText(translate("New Chordfile"));
    if (scaleMode_) {
        control<QGroupBox>(Id::InformationGroup)->setTitle(translate("Scale Information"));
        control<QLabel>(Id::AuthorOrIntervalsLabel)->setText(translate("Intervals") + ":");
        control<QLabel>(Id::HomepageOrDescriptionLabel)->setText(translate("Description") + ":");
        control<QLabel>(Id::DescriptionLabel)->setText(translate("Always add scales in C-key."));
    } else {
        control<QGroupBox>(Id::InformationGroup)->setTitle(translate("Chordfile Information"));
        control<QLabel>(Id::AuthorOrIntervalsLabel)->setText(translate("Author") + ":");
        control<QLabel>(Id::HomepageOrDescriptionLabel)->setText(translate("Homepage") + ":");
        control<QLabel>(Id::DescriptionLabel)->setText(translate("Description") + ":");
    }

    // The key list holds the seven keys and one scales entry in the language in
    // use; the sorted list puts the new entry in its place. A selected scales
    // entry stays selected, without a key change, as the mode is unchanged.
    auto* keys = control<QListWidget>(Id::KeyList);
    const QSignalBlocker blocker(keys);
    bool scalesSelected = false;
    for (int row = keys->count() - 1; row >= 0; --row) {
        if (isKeyName(keys->item(row)->text()))
            continue;
        scalesSelected = scalesSelected || keys->currentRow() == row;
        delete keys->takeItem(row);
    }
    auto* scales = new QListWidgetItem(translate("Scales"));
    keys->addItem(scales);
    if (scalesSelected)
        keys->setCurrentItem(scales);
}

} // namespace strumvale::pages

#include "pages/tuner_page.h"

#include "resources/templates/tuner_page.h"
#include "uikit/icons.h"
#include "uikit/image_button.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace strumvale::pages {

using Id = resources::TunerId;

TunerPage::TunerPage(PageHost& host, QWidget* parent)
    : Page(host, resources::tunerPageTemplate(), parent) {
    for (Id button : {Id::String6Play, Id::String5Play, Id::String4Play, Id::String3Play,
                      Id::String2Play, Id::String1Play}) {
        control<uikit::ImageButton>(button)->setIconResource(uikit::icon::StringIdle);
    }
    retranslate();
}

void TunerPage::retranslate() {
    control<QGroupBox>(Id::TuningGroup)->setTitle(translate("Tuning"));
    control<QGroupBox>(Id::NoteLengthGroup)->setTitle(translate("Note Length"));
    control<QLabel>(Id::ShortLabel)->setText(translate("Short"));
    control<QLabel>(Id::LongLabel)->setText(translate("Long"));
    control<QGroupBox>(Id::DisplayGroup)->setTitle(translate("Display"));
    control<QRadioButton>(Id::ShowNotes)->setText(translate("Notes"));
    control<QRadioButton>(Id::ShowNumbers)->setText(translate("Numbers"));
    control<QRadioButton>(Id::DisableEditing)->setText(translate("Disable editing"));
    control<QRadioButton>(Id::EnableEditing)->setText(translate("Enable editing"));
    control<QCheckBox>(Id::LoopNotes)->setText(translate("Loop notes when playing"));
    control<QLabel>(Id::EditingDisabledNotice)
        ->setText(translate("Editing of Tunings is currently disabled."));
    control<QLabel>(Id::TuningNameLabel)->setText(translate("Tuning Name") + ":");
    control<QPushButton>(Id::Update)->setText(translate("Update"));
    control<QPushButton>(Id::Remove)->setText(translate("Remove"));
    control<QPushButton>(Id::New)->setText(translate("New"));
    control<QLabel>(Id::String6Label)->setText(translate("String 6 (E):"));
    control<QLabel>(Id::String5Label)->setText(translate("String 5 (A):"));
    control<QLabel>(Id::String4Label)->setText(translate("String 4 (D):"));
    control<QLabel>(Id::String3Label)->setText(translate("String 3 (G):"));
    control<QLabel>(Id::String2Label)->setText(translate("String 2 (B):"));
    control<QLabel>(Id::String1Label)->setText(translate("String 1 (E):"));
}

void TunerPage::refreshTunings() {}

} // namespace strumvale::pages

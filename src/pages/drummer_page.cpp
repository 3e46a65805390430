#include "pages/drummer_page.h"

#include "resources/templates/drummer_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace strumvale::pages {

using Id = resources::DrummerId;

DrummerPage::DrummerPage(PageHost& host, QWidget* parent)
    : Page(host, resources::drummerPageTemplate(), parent) {
    retranslate();
}

void DrummerPage::retranslate() {
    control<QGroupBox>(Id::TrackSettingsGroup)->setTitle(translate("Track Settings"));
    control<QGroupBox>(Id::CurrentPatternGroup)->setTitle(translate("Current Pattern"));
    control<QGroupBox>(Id::EditPatternGroup)->setTitle(translate("Edit Pattern"));
    control<QLabel>(Id::TrackLabel)->setText(translate("Track Nr") + ":");
    control<QLabel>(Id::VolumeLabel)->setText(translate("Volume") + ":");
    control<QLabel>(Id::InstrumentLabel)->setText(translate("Instrument") + ":");
    control<QLabel>(Id::TempoLabel)->setText(translate("Tempo") + ":");
    control<QLabel>(Id::BpmLabel)->setText(translate("BPM"));
    control<QRadioButton>(Id::DisableEditing)->setText(translate("Disable editing"));
    control<QRadioButton>(Id::EnableEditing)->setText(translate("Enable editing"));
    control<QCheckBox>(Id::LoopPattern)->setText(translate("Loop Pattern"));
    control<QPushButton>(Id::Play)->setText(translate("Play"));
    control<QLabel>(Id::EditingDisabledNotice)
        ->setText(translate("Editing of Patterns is currently disabled."));
    control<QPushButton>(Id::Update)->setText(translate("Update"));
    control<QPushButton>(Id::Remove)->setText(translate("Remove"));
    control<QPushButton>(Id::New)->setText(translate("New"));
}

void DrummerPage::refreshDrumPatterns() {}

} // namespace strumvale::pages

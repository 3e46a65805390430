#include "pages/scales_page.h"

#include "fretboard/fretboard_view.h"
#include "library/chord_library.h"
#include "model/names.h"
#include "pages/page_colours.h"
#include "resources/templates/scales_page.h"
#include "resources/templates/view_placements.h"
#include "uikit/text.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace strumvale::pages {

namespace {

using Id = resources::ScalesId;
using uikit::toQString;

// In semitones from C: the row of a key is the offset the view moves the scale by.
constexpr const auto& kKeys = model::kScaleKeyNames;

constexpr std::string_view kNoContent = "Empty";

// A field the library marks as having no content reads "N/A".
QString shownOrNotAvailable(const std::string& text) {
    if (text.empty() || text == kNoContent) {
        return QStringLiteral("N/A");
    }
    return toQString(text);
}

// Each ";" of a description starts a new line.
std::string descriptionLines(std::string_view description) {
    std::string lines;
    for (char c : description) {
        if (c == ';') {
            lines += "\r\n";
        } else {
            lines += c;
        }
    }
    return lines;
}

QString labelText(const QString& text) {
    // A label breaks at LF; the CR of the program's line breaks would show.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

ScalesPage::ScalesPage(PageHost& host, QWidget* parent)
    : Page(host, resources::scalesPageTemplate(), parent) {
    keyList_ = control<QListWidget>(Id::KeyList);
    scaleList_ = control<QListWidget>(Id::ScaleList);
    tuningCombo_ = control<QComboBox>(Id::TuningCombo);
    nameLine_ = control<QLabel>(Id::NameLine);
    intervals_ = control<QLabel>(Id::Intervals);
    description_ = control<QLabel>(Id::Description);

    view_ = new fretboard::FretboardView(this);
    view_->setChordMode(false);
    view_->move(uikit::toPixels(resources::kFretboardViewPlacement).topLeft());
    view_->show();
    applyFretboardSettings(*this, *view_, library().Settings);

    for (std::string_view key : kKeys) {
        keyList_->addItem(toQString(key));
    }
    keyList_->setCurrentRow(0);

    connect(keyList_, &QListWidget::currentRowChanged, this, [this] { showSelectedScale(); });
    connect(scaleList_, &QListWidget::currentRowChanged, this, [this] { showSelectedScale(); });
    connect(tuningCombo_, &QComboBox::currentIndexChanged, this, [this] { selectTuning(); });
    connect(control<QRadioButton>(Id::ShowIntervals), &QRadioButton::toggled, this,
            [this](bool on) { showIntervals(on); });

    refreshScales();
    refreshTunings();
    showSelectedScale();
    retranslate();
    control<QRadioButton>(Id::ShowIntervals)->setChecked(true);
    showIntervals(true);
}

void ScalesPage::retranslate() {
    control<QLabel>(Id::DisplayLabel)->setText(translate("Display") + QStringLiteral(":"));
    control<QRadioButton>(Id::ShowIntervals)->setText(translate("Intervals"));
    control<QRadioButton>(Id::ShowNotes)->setText(translate("Notes"));
    control<QGroupBox>(Id::ScaleInformationGroup)->setTitle(translate("Scale Information"));
    control<QLabel>(Id::NameLabel)->setText(translate("Name") + QStringLiteral(":"));
    control<QLabel>(Id::IntervalsLabel)->setText(translate("Intervals") + QStringLiteral(":"));
    control<QLabel>(Id::DescriptionLabel)->setText(translate("Description") + QStringLiteral(":"));
    control<QGroupBox>(Id::TuningGroup)->setTitle(translate("Tuning"));
    // Controls without a caption of their own, named for screen readers.
    keyList_->setAccessibleName(translate("Keys"));
    scaleList_->setAccessibleName(translate("Scales"));
    tuningCombo_->setAccessibleName(translate("Tuning"));
    view_->setAccessibleName(translate("Fretboard"));
    view_->setMessage(translate("Sorry, I can not display this."));
    view_->setPositionFormat(translate("String %1, fret %2, %3"));
    view_->update();
}

void ScalesPage::refreshScales() {
    {
        // The refill ends with one display of the first scale, not one per step.
        const QSignalBlocker blocker(scaleList_);
        scaleList_->clear();
        for (const auto& scale : library().Scales.items()) {
            scaleList_->addItem(toQString(scale.Name));
        }
        if (scaleList_->count() > 0) {
            scaleList_->setCurrentRow(0);
        }
    }
    // The selection moved to the first scale, so the drawing and texts follow it
    // rather than keep a scale of the list that was there before.
    showSelectedScale();
}

void ScalesPage::refreshTunings() {
    {
        const QSignalBlocker blocker(tuningCombo_);
        host().fillTuningCombo(*tuningCombo_);
    }
    selectTuning();
}

void ScalesPage::showSelectedScale() {
    // The fretboard and the background follow the settings even while there
    // is no scale to show.
    applyFretboardSettings(*this, *view_, library().Settings);
    const int row = scaleList_->currentRow();
    const std::optional<model::Scale> scale = library().Scales.GetAt(row);
    if (row < 0 || !scale) {
        return;
    }
    const int key = std::max(keyList_->currentRow(), 0);
    view_->setScale(*scale, key);

    nameLine_->setText(toQString(kKeys[static_cast<std::size_t>(key)]) + QStringLiteral(" ") +
                       toQString(scale->Name));
    description_->setText(labelText(shownOrNotAvailable(descriptionLines(scale->Description))));
    intervals_->setText(shownOrNotAvailable(scale->Intervals()));
}

void ScalesPage::selectTuning() {
    if (const auto tuning = library().Tunings.GetAt(tuningCombo_->currentIndex())) {
        view_->setTuning(*tuning);
    }
}

void ScalesPage::showIntervals(bool on) {
    view_->setIntervalLabels(on);
    view_->setNoteLabels(!on);
}

std::vector<QWidget*> ScalesPage::tabOrder() const {
    return {view_,
            control<QWidget>(Id::ShowIntervals),
            control<QWidget>(Id::ShowNotes),
            control<QWidget>(Id::KeyList),
            control<QWidget>(Id::ScaleList),
            control<QWidget>(Id::Play),
            control<QWidget>(Id::TuningCombo)};
}

} // namespace strumvale::pages

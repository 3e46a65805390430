#include "practice/click_controls.h"

#include "model/settings.h"
#include "practice/count_in_box.h"
#include "practice/tap_button.h"
#include "sound/gm_names.h"
#include "uikit/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <utility>

namespace strumvale::practice {
namespace {

constexpr int kSlowest = 20;
constexpr int kFastest = 300;

QComboBox* percussionBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (std::string_view name : sound::percussionNames())
        box->addItem(uikit::toQString(name));
    return box;
}

} // namespace

ClickControls::ClickControls(Translate translate, sound::Clock& clock, QWidget* parent)
    : QWidget(parent), translate_(std::move(translate)) {
    metreLabel_ = new QLabel(this);
    metre_ = new QComboBox(this);
    metre_->setObjectName(QStringLiteral("metre"));
    for (const model::Metre& metre : model::kMetronomeMetres)
        metre_->addItem(uikit::toQString(metre.text()));
    metre_->setCurrentIndex(2); // 4/4
    metreLabel_->setBuddy(metre_);
    tempoLabel_ = new QLabel(this);
    tempo_ = new QSpinBox(this);
    tempo_->setObjectName(QStringLiteral("tempo"));
    tempo_->setRange(kSlowest, kFastest);
    tempoLabel_->setBuddy(tempo_);
    tap_ = new TapButton(translate_, clock, this);
    subdivide_ = new QCheckBox(this);
    subdivide_->setObjectName(QStringLiteral("subdivide"));
    countIn_ = new QComboBox(this);
    countIn_->setObjectName(QStringLiteral("countIn"));
    accentLabel_ = new QLabel(this);
    accent_ = percussionBox(this);
    accent_->setObjectName(QStringLiteral("accentSound"));
    accentLabel_->setBuddy(accent_);
    beatLabel_ = new QLabel(this);
    beat_ = percussionBox(this);
    beat_->setObjectName(QStringLiteral("beatSound"));
    beatLabel_->setBuddy(beat_);
    volumeLabel_ = new QLabel(this);
    volume_ = new QSpinBox(this);
    volume_->setObjectName(QStringLiteral("clickVolume"));
    volume_->setRange(0, 100);
    volume_->setSuffix(QStringLiteral(" %"));
    volumeLabel_->setBuddy(volume_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             metreLabel_, metre_, tempoLabel_, tempo_, tap_, subdivide_, countIn_, accentLabel_,
             accent_, beatLabel_, beat_, volumeLabel_, volume_})
        layout->addWidget(widget);
    layout->addStretch();

    connect(tap_, &TapButton::tapped, this,
            [this](int bpm) { tempo_->setValue(std::clamp(bpm, kSlowest, kFastest)); });
    const auto tell = [this] { emit changed(); };
    connect(metre_, &QComboBox::currentIndexChanged, this, tell);
    connect(tempo_, &QSpinBox::valueChanged, this, tell);
    connect(subdivide_, &QCheckBox::toggled, this, tell);
    connect(countIn_, &QComboBox::currentIndexChanged, this, tell);
    connect(accent_, &QComboBox::currentIndexChanged, this, tell);
    connect(beat_, &QComboBox::currentIndexChanged, this, tell);
    connect(volume_, &QSpinBox::valueChanged, this, tell);
    retranslate();
}

QPushButton& ClickControls::tapButton() const {
    return *tap_;
}

void ClickControls::retranslate() {
    metreLabel_->setText(translate_("Time signature") + ":");
    metre_->setAccessibleName(translate_("Time signature"));
    tempoLabel_->setText(translate_("BPM") + ":");
    tempo_->setAccessibleName(translate_("Tempo (beats a minute)"));
    tap_->retranslate();
    subdivide_->setText(translate_("Subdivide"));
    captionCountIn(*countIn_, translate_);
    accentLabel_->setText(translate_("Accent") + ":");
    accent_->setAccessibleName(translate_("Accent"));
    beatLabel_->setText(translate_("Beat") + ":");
    beat_->setAccessibleName(translate_("Beat"));
    volumeLabel_->setText(translate_("Volume") + ":");
    volume_->setAccessibleName(translate_("Click volume"));
}

void ClickControls::takeSettings(const model::Settings& settings) {
    const auto row = [](int value) { return std::clamp(value, 0, sound::kPercussionCount - 1); };
    accent_->setCurrentIndex(row(settings.Clickaccent));
    beat_->setCurrentIndex(row(settings.Clickbeat));
    volume_->setValue(std::clamp<int>(settings.Clickvolume, 0, 100));
    countIn_->setCurrentIndex(std::clamp<int>(settings.Countinbars, 0, kMostCountInBars));
    subdivide_->setChecked(settings.Clicksubdivision);
    tempo_->setValue(std::clamp<int>(settings.Practicetempo, kSlowest, kFastest));
}

void ClickControls::storeSettings(model::Settings& settings) const {
    settings.Clickaccent = accent_->currentIndex();
    settings.Clickbeat = beat_->currentIndex();
    settings.Clickvolume = volume_->value();
    settings.Countinbars = countIn_->currentIndex();
    settings.Clicksubdivision = subdivide_->isChecked();
    settings.Practicetempo = tempo_->value();
}

sound::Metronome ClickControls::metronome() const {
    sound::Metronome metronome;
    metronome.metre =
        model::kMetronomeMetres[static_cast<std::size_t>(std::max(0, metre_->currentIndex()))];
    metronome.subdivide = subdivide_->isChecked();
    metronome.countInBars = std::max(0, countIn_->currentIndex());
    metronome.sounds.accent = accent_->currentIndex();
    metronome.sounds.beat = beat_->currentIndex();
    metronome.sounds.volume = volume_->value();
    return metronome;
}

void ClickControls::setMetre(const model::Metre& metre) {
    const auto found =
        std::find(model::kMetronomeMetres.begin(), model::kMetronomeMetres.end(), metre);
    if (found != model::kMetronomeMetres.end())
        metre_->setCurrentIndex(static_cast<int>(found - model::kMetronomeMetres.begin()));
}

int ClickControls::tempo() const {
    return tempo_->value();
}

void ClickControls::setTempo(int bpm) {
    tempo_->setValue(bpm);
}

} // namespace strumvale::practice

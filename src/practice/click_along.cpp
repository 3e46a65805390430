#include "practice/click_along.h"

#include "model/settings.h"
#include "practice/count_in_box.h"
#include "practice/speed_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>
#include <utility>

namespace strumvale::practice {
namespace {

QBoxLayout* rowOrColumn(QWidget* widget, QBoxLayout::Direction direction) {
    auto* layout = new QBoxLayout(direction, widget);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

ClickAlong::ClickAlong(Translate translate, QBoxLayout::Direction direction, QWidget* parent)
    : QWidget(parent), translate_(std::move(translate)) {
    click_ = new QCheckBox(this);
    click_->setObjectName(QStringLiteral("clickAlong"));
    countIn_ = new QComboBox(this);
    countIn_->setObjectName(QStringLiteral("countInAlong"));
    QBoxLayout* layout = rowOrColumn(this, direction);
    layout->addWidget(click_);
    layout->addWidget(countIn_);
    retranslate();
}

void ClickAlong::retranslate() {
    click_->setText(translate_("Metronome"));
    click_->setAccessibleName(click_->text());
    captionCountIn(*countIn_, translate_);
}

void ClickAlong::takeSettings(const model::Settings& settings) {
    countIn_->setCurrentIndex(std::clamp<int>(settings.Countinbars, 0, kMostCountInBars));
}

void ClickAlong::storeSettings(model::Settings& settings) const {
    settings.Countinbars = countIn_->currentIndex();
}

bool ClickAlong::isWanted() const {
    return click_->isChecked() || countIn_->currentIndex() > 0;
}

void ClickAlong::applyTo(sound::Score& score, const model::Metre& metre,
                         const model::Settings& settings) const {
    if (!isWanted())
        return;
    const int countIn = std::max(0, countIn_->currentIndex());
    sound::Metronome metronome;
    metronome.metre = metre;
    metronome.clicks = click_->isChecked();
    metronome.subdivide = settings.Clicksubdivision;
    metronome.countInBars = countIn;
    metronome.sounds.accent = settings.Clickaccent;
    metronome.sounds.beat = settings.Clickbeat;
    metronome.sounds.volume = settings.Clickvolume;
    score.metronome = metronome;
}

LoopAlong::LoopAlong(Translate translate, QBoxLayout::Direction direction, QWidget* parent)
    : QWidget(parent), translate_(std::move(translate)) {
    loop_ = new QCheckBox(this);
    loop_->setObjectName(QStringLiteral("loopAlong"));
    from_ = new QSpinBox(this);
    from_->setObjectName(QStringLiteral("loopFrom"));
    auto* dash = new QLabel(QStringLiteral("\u2013"), this);
    to_ = new QSpinBox(this);
    to_->setObjectName(QStringLiteral("loopTo"));
    speed_ = new SpeedControls(
        translate_, direction == QBoxLayout::TopToBottom ? Qt::Vertical : Qt::Horizontal, this);
    // A range the wrong way round follows the end just moved.
    connect(from_, &QSpinBox::valueChanged, this, [this](int from) {
        if (to_->value() < from)
            to_->setValue(from);
    });
    connect(to_, &QSpinBox::valueChanged, this, [this](int to) {
        if (from_->value() > to)
            from_->setValue(to);
    });
    const auto tell = [this] { emit rangeChanged(); };
    connect(loop_, &QCheckBox::toggled, this, tell);
    connect(from_, &QSpinBox::valueChanged, this, tell);
    connect(to_, &QSpinBox::valueChanged, this, tell);
    auto* range = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{loop_, from_, dash, to_})
        range->addWidget(widget);
    range->addStretch();
    QBoxLayout* layout = rowOrColumn(this, direction);
    layout->addLayout(range);
    layout->addWidget(speed_);
    setCount(1);
    retranslate();
}

void LoopAlong::setCaptions(std::string_view loop, std::string_view from, std::string_view to) {
    loopKey_ = loop;
    fromKey_ = from;
    toKey_ = to;
    retranslate();
}

void LoopAlong::retranslate() {
    loop_->setText(translate_(loopKey_));
    loop_->setAccessibleName(loop_->text());
    from_->setAccessibleName(translate_(fromKey_));
    to_->setAccessibleName(translate_(toKey_));
    speed_->retranslate();
}

void LoopAlong::setCount(int count) {
    const int last = std::max(1, count);
    if (to_->maximum() == last && from_->maximum() == last)
        return;
    from_->setRange(1, last);
    to_->setRange(1, last);
    to_->setValue(last);
}

std::optional<std::pair<int, int>> LoopAlong::range() const {
    if (!loop_->isChecked())
        return std::nullopt;
    return std::pair(from_->value() - 1, to_->value() - 1);
}

void LoopAlong::setRange(int first, int last) {
    if (first > last)
        std::swap(first, last);
    // Whatever either box pushes on the way, the other then sets right.
    to_->setValue(last + 1);
    from_->setValue(first + 1);
    loop_->setChecked(true);
}

std::optional<sound::SpeedSteps> LoopAlong::speed() const {
    return speed_->speed();
}

void LoopAlong::showTempo(std::optional<int> bpm) {
    speed_->showTempo(bpm);
}

} // namespace strumvale::practice

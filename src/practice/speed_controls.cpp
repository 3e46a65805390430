#include "practice/speed_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <initializer_list>
#include <utility>

namespace strumvale::practice {
namespace {

QSpinBox* numberBox(QWidget* parent, const char* name, int lowest, int highest, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(lowest, highest);
    box->setValue(value);
    return box;
}

} // namespace

SpeedControls::SpeedControls(Translate translate, Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), translate_(std::move(translate)) {
    on_ = new QCheckBox(this);
    on_->setObjectName(QStringLiteral("speedTrainer"));
    startLabel_ = new QLabel(this);
    start_ = numberBox(this, "startTempo", 20, 300, 60);
    stepLabel_ = new QLabel(this);
    step_ = numberBox(this, "tempoStep", 1, 50, 5);
    everyLabel_ = new QLabel(this);
    every_ = numberBox(this, "everyLoops", 1, 32, 2);
    targetLabel_ = new QLabel(this);
    target_ = numberBox(this, "targetTempo", 20, 300, 120);
    now_ = new QLabel(this);
    now_->setObjectName(QStringLiteral("tempoNow"));
    startLabel_->setBuddy(start_);
    stepLabel_->setBuddy(step_);
    everyLabel_->setBuddy(every_);
    targetLabel_->setBuddy(target_);
    if (orientation == Qt::Horizontal) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        for (QWidget* widget :
             std::initializer_list<QWidget*>{on_, startLabel_, start_, stepLabel_, step_,
                                             everyLabel_, every_, targetLabel_, target_, now_})
            layout->addWidget(widget);
        layout->addStretch();
    } else {
        auto* layout = new QGridLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(on_, 0, 0, 1, 2);
        const std::pair<QLabel*, QSpinBox*> rows[] = {{startLabel_, start_},
                                                      {stepLabel_, step_},
                                                      {everyLabel_, every_},
                                                      {targetLabel_, target_}};
        int row = 1;
        for (const auto& [label, box] : rows) {
            layout->addWidget(label, row, 0);
            layout->addWidget(box, row++, 1);
        }
        layout->addWidget(now_, row, 0, 1, 2);
    }
    retranslate();
}

void SpeedControls::retranslate() {
    on_->setText(translate_("Speed trainer"));
    on_->setAccessibleName(on_->text());
    startLabel_->setText(translate_("Start tempo") + ":");
    start_->setAccessibleName(translate_("Start tempo"));
    stepLabel_->setText(translate_("Step (beats a minute)") + ":");
    step_->setAccessibleName(translate_("Step (beats a minute)"));
    everyLabel_->setText(translate_("Every (loops)") + ":");
    every_->setAccessibleName(translate_("Every (loops)"));
    targetLabel_->setText(translate_("Target tempo") + ":");
    target_->setAccessibleName(translate_("Target tempo"));
    showTempo(shown_);
}

std::optional<sound::SpeedSteps> SpeedControls::speed() const {
    if (!on_->isChecked())
        return std::nullopt;
    // Down to a slower target as well as up to a faster one.
    const int step = target_->value() >= start_->value() ? step_->value() : -step_->value();
    return sound::SpeedSteps{start_->value(), step, every_->value(), target_->value()};
}

void SpeedControls::showTempo(std::optional<int> bpm) {
    shown_ = bpm;
    now_->setText(bpm ? translate_("Tempo now: %1").arg(*bpm) : QString());
    now_->setAccessibleName(now_->text());
}

} // namespace strumvale::practice

#pragma once

#include "sound/play_along.h"

#include <QWidget>
#include <Qt>
#include <functional>
#include <optional>
#include <string_view>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace strumvale::practice {

// The speed trainer's controls: from a start tempo up by a step every few
// loops to a target; and the tempo in force while it plays.
class SpeedControls : public QWidget {
    Q_OBJECT
public:
    using Translate = std::function<QString(std::string_view key)>;

    // A row, or for a narrow panel a column of labelled numbers.
    SpeedControls(Translate translate, Qt::Orientation orientation = Qt::Horizontal,
                  QWidget* parent = nullptr);

    void retranslate();
    // None while the trainer is off.
    std::optional<sound::SpeedSteps> speed() const;
    // The tempo in force now; none when nothing plays.
    void showTempo(std::optional<int> bpm);

    QCheckBox& onBox() const { return *on_; }
    QLabel& tempoNow() const { return *now_; }

private:
    Translate translate_;
    QCheckBox* on_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QSpinBox* start_ = nullptr;
    QLabel* stepLabel_ = nullptr;
    QSpinBox* step_ = nullptr;
    QLabel* everyLabel_ = nullptr;
    QSpinBox* every_ = nullptr;
    QLabel* targetLabel_ = nullptr;
    QSpinBox* target_ = nullptr;
    QLabel* now_ = nullptr;
    std::optional<int> shown_;
};

} // namespace strumvale::practice

#pragma once

#include "model/metre.h"
#include "sound/play_along.h"

#include <QBoxLayout>
#include <QWidget>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace strumvale::model {
struct Settings;
}

namespace strumvale::practice {

class SpeedControls;

// The metronome beside a Play button: click or not, and a count-in of up to
// two bars; the click sounds are the settings' ones.
class ClickAlong : public QWidget {
    Q_OBJECT
public:
    using Translate = std::function<QString(std::string_view key)>;

    ClickAlong(Translate translate, QBoxLayout::Direction direction, QWidget* parent = nullptr);

    void retranslate();
    void takeSettings(const model::Settings& settings);
    void storeSettings(model::Settings& settings) const;
    // The click or a count-in is asked for.
    bool isWanted() const;
    // The metronome asked for, in metre, on score; none when neither is on.
    void applyTo(sound::Score& score, const model::Metre& metre,
                 const model::Settings& settings) const;

    QCheckBox& clickBox() const { return *click_; }
    QComboBox& countInBox() const { return *countIn_; }

private:
    Translate translate_;
    QCheckBox* click_ = nullptr;
    QComboBox* countIn_ = nullptr;
};

// A loop over a range (of song lines, of playlist entries) with the speed
// trainer beside it.
class LoopAlong : public QWidget {
    Q_OBJECT
public:
    using Translate = std::function<QString(std::string_view key)>;

    LoopAlong(Translate translate, QBoxLayout::Direction direction, QWidget* parent = nullptr);

    void retranslate();
    // What the range counts, as phrase keys: "Loop lines", "From line", "To line".
    void setCaptions(std::string_view loop, std::string_view from, std::string_view to);
    // Items 1..count may be looped; the range chosen stays while the count does.
    void setCount(int count);
    // From and to, counted from 0, while the loop is on.
    std::optional<std::pair<int, int>> range() const;
    // Loops first to last, counted from 0 (either way round).
    void setRange(int first, int last);
    std::optional<sound::SpeedSteps> speed() const;
    void showTempo(std::optional<int> bpm);

    QCheckBox& loopBox() const { return *loop_; }
    QSpinBox& fromBox() const { return *from_; }
    QSpinBox& toBox() const { return *to_; }
    SpeedControls& speedControls() const { return *speed_; }

signals:
    // The loop turned on or off, or its range moved.
    void rangeChanged();

private:
    Translate translate_;
    std::string_view loopKey_ = "Loop lines";
    std::string_view fromKey_ = "From line";
    std::string_view toKey_ = "To line";
    QCheckBox* loop_ = nullptr;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    SpeedControls* speed_ = nullptr;
};

} // namespace strumvale::practice

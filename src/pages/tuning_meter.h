#pragma once

#include <QWidget>
#include <cmath>
#include <optional>

namespace strumvale::pages {

// How far the heard note is from pitch: a scale from -50 to +50 cents with an
// in-tune band around the middle and a needle; no needle while nothing is heard.
class TuningMeter : public QWidget {
    Q_OBJECT
public:
    // Within this many cents of the note, it is in tune.
    static constexpr double kInTuneCents = 3.0;

    explicit TuningMeter(QWidget* parent = nullptr);

    // The cents from a string's note; or, when ofAString is false, from the
    // nearest note of a scale, which is never a string in tune.
    void setCents(std::optional<double> cents, bool ofAString = true);
    std::optional<double> cents() const { return cents_; }
    bool ofAString() const { return ofAString_; }
    bool inTune() const { return ofAString_ && cents_ && std::abs(*cents_) <= kInTuneCents; }
    // Where the needle stands for cents, clamped to the scale.
    int needleX(double cents) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<double> cents_;
    bool ofAString_ = true;
};

} // namespace strumvale::pages

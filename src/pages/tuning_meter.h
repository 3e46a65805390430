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

    void setCents(std::optional<double> cents);
    std::optional<double> cents() const { return cents_; }
    bool inTune() const { return cents_ && std::abs(*cents_) <= kInTuneCents; }
    // Where the needle stands for cents, clamped to the scale.
    int needleX(double cents) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<double> cents_;
};

} // namespace strumvale::pages

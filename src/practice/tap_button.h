#pragma once

#include "sound/tap_tempo.h"

#include <QPushButton>
#include <functional>
#include <string_view>

namespace strumvale::sound {
class Clock;
}

namespace strumvale::practice {

// "Tap": each press is a beat; from the second on, the tempo of the last taps.
class TapButton : public QPushButton {
    Q_OBJECT
public:
    using Translate = std::function<QString(std::string_view key)>;

    TapButton(Translate translate, sound::Clock& clock, QWidget* parent = nullptr);
    void retranslate();

signals:
    // The tempo tapped, in beats a minute.
    void tapped(int beatsPerMinute);

private:
    Translate translate_;
    sound::Clock& clock_;
    sound::TapTempo taps_;
};

} // namespace strumvale::practice

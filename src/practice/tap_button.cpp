#include "practice/tap_button.h"

#include <utility>

namespace strumvale::practice {

TapButton::TapButton(Translate translate, sound::Clock& clock, QWidget* parent)
    : QPushButton(parent), translate_(std::move(translate)), clock_(clock) {
    setObjectName(QStringLiteral("tap"));
    // A click leaves the keyboard focus where it was: Space goes on counting
    // the drill's changes instead of tapping again.
    setFocusPolicy(Qt::TabFocus);
    // The press is the beat: a release comes a moment after it, unevenly.
    connect(this, &QPushButton::pressed, this, [this] {
        if (const std::optional<int> bpm = taps_.tap(clock_.now()))
            emit tapped(*bpm);
    });
    retranslate();
}

void TapButton::retranslate() {
    setText(translate_("Tap"));
    setAccessibleName(translate_("Tap tempo"));
    setToolTip(translate_("Tap tempo"));
}

} // namespace strumvale::practice

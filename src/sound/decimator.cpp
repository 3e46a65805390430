#include "sound/decimator.h"

#include <numbers>

namespace strumvale::sound {

int decimationOf(int sampleRate) {
    int factor = 1;
    while (sampleRate / (2 * factor) >= 16000)
        factor *= 2;
    return factor;
}

Decimator::Decimator(int sampleRate, int factor) : factor_(factor) {
    if (factor == 1)
        return;
    const double cutoff = 0.4 * sampleRate / factor;
    const double omega = 2 * std::numbers::pi * cutoff / sampleRate;
    // The two sections of a Butterworth response: Q = 1 / (2 cos(pi/8)), 1 / (2 cos(3pi/8)).
    const std::array<double, 2> qualities{0.5411961, 1.3065630};
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const double alpha = std::sin(omega) / (2 * qualities[i]);
        const double c = std::cos(omega);
        const double a0 = 1 + alpha;
        auto& s = sections_[i];
        s.b0 = (1 - c) / 2 / a0;
        s.b1 = (1 - c) / a0;
        s.b2 = s.b0;
        s.a1 = -2 * c / a0;
        s.a2 = (1 - alpha) / a0;
    }
}

} // namespace strumvale::sound

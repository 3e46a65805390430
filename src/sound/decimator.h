#pragma once

#include <array>
#include <cmath>
#include <optional>

namespace strumvale::sound {

// Everything above 11 kHz is of no use for pitches up to 1400 Hz, so the analysis runs at
// 16..32 kHz: halving the rate halves every transform, which is most of the cost.
int decimationOf(int sampleRate);

// Keeps one sample in factor after a fourth-order Butterworth low-pass at 0.8 of the new
// Nyquist frequency. Its phase shift is the same in every period, so it moves no pitch.
class Decimator {
public:
    Decimator(int sampleRate, int factor);

    // The next sample at the analysis rate, if this input completes one.
    std::optional<float> take(float sample) {
        if (factor_ == 1)
            return sample;
        double value = sample;
        for (auto& s : sections_) {
            const double out = s.b0 * value + s.z1;
            s.z1 = s.b1 * value - s.a1 * out + s.z2;
            s.z2 = s.b2 * value - s.a2 * out;
            // Denormal states after a note dies away would slow every sample down.
            if (std::abs(s.z1) < 1e-25 && std::abs(s.z2) < 1e-25)
                s.z1 = s.z2 = 0;
            value = out;
        }
        if (++phase_ < factor_)
            return std::nullopt;
        phase_ = 0;
        return float(value);
    }

private:
    struct Section {
        double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, z1 = 0, z2 = 0;
    };
    int factor_;
    int phase_ = 0;
    std::array<Section, 2> sections_{};
};

} // namespace strumvale::sound

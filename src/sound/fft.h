#pragma once

#include <complex>
#include <cstddef>
#include <span>
#include <vector>

namespace strumvale::sound {

// Radix-2 transform of real signals, sized once so that the twiddle factors and the
// bit-reversal order are computed ahead of the audio thread. A real signal of n samples
// is transformed as a complex one of n/2, which halves the work.
class RealFft {
public:
    // size: a power of two, 4 or more, else std::invalid_argument.
    explicit RealFft(std::size_t size);

    std::size_t size() const { return size_; }
    std::size_t bins() const { return size_ / 2 + 1; }

    // input: size() samples; spectrum: bins() values, bin k at k / size() of the rate.
    void forward(std::span<const double> input, std::span<std::complex<double>> spectrum);
    // The exact inverse of forward: output gets size() samples.
    void inverse(std::span<const std::complex<double>> spectrum, std::span<double> output);

private:
    void transform(bool inverse);

    std::size_t size_;
    std::vector<std::complex<double>> twiddles_; // of the half-size complex transform
    std::vector<std::complex<double>> unpack_;   // e^(-2 pi i k / size), k < size / 2
    std::vector<std::size_t> reversed_;
    std::vector<std::complex<double>> work_;
};

} // namespace strumvale::sound

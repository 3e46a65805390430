#include "sound/fft.h"

#include <bit>
#include <numbers>
#include <stdexcept>
#include <string>
#include <utility>

namespace strumvale::sound {

namespace {

// Plain arithmetic: std::complex's product checks for infinities on every call, which
// more than doubles the time of a transform.
std::complex<double> times(std::complex<double> a, std::complex<double> b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// z times i.
std::complex<double> turned(std::complex<double> z) {
    return {-z.imag(), z.real()};
}

} // namespace

RealFft::RealFft(std::size_t size) : size_(size) {
    if (size < 4 || !std::has_single_bit(size))
        throw std::invalid_argument("FFT size " + std::to_string(size) +
                                    " is not a power of two of 4 or more");
    const std::size_t half = size / 2;
    twiddles_.resize(half / 2);
    for (std::size_t k = 0; k < twiddles_.size(); ++k)
        twiddles_[k] = std::polar(1.0, -2 * std::numbers::pi * double(k) / double(half));
    unpack_.resize(half);
    for (std::size_t k = 0; k < half; ++k)
        unpack_[k] = std::polar(1.0, -2 * std::numbers::pi * double(k) / double(size));
    reversed_.resize(half);
    const int bits = std::countr_zero(half);
    for (std::size_t i = 0; i < half; ++i) {
        std::size_t r = 0;
        for (int b = 0; b < bits; ++b)
            r |= ((i >> b) & 1u) << (bits - 1 - b);
        reversed_[i] = r;
    }
    work_.resize(half);
}

void RealFft::transform(bool inverse) {
    const std::size_t n = work_.size();
    for (std::size_t i = 0; i < n; ++i)
        if (i < reversed_[i])
            std::swap(work_[i], work_[reversed_[i]]);
    // The butterflies on the interleaved parts, with plain arithmetic as in times().
    double* data = reinterpret_cast<double*>(work_.data());
    const double* twiddles = reinterpret_cast<const double*>(twiddles_.data());
    const double sign = inverse ? -1.0 : 1.0;
    for (std::size_t length = 2; length <= n; length *= 2) {
        const std::size_t half = length / 2;
        const std::size_t stride = n / length;
        for (std::size_t start = 0; start < n; start += length) {
            double* even = data + 2 * start;
            double* odd = even + 2 * half;
            for (std::size_t k = 0; k < half; ++k) {
                const double wr = twiddles[2 * k * stride];
                const double wi = sign * twiddles[2 * k * stride + 1];
                const double ore = odd[2 * k] * wr - odd[2 * k + 1] * wi;
                const double oim = odd[2 * k] * wi + odd[2 * k + 1] * wr;
                const double ere = even[2 * k];
                const double eim = even[2 * k + 1];
                even[2 * k] = ere + ore;
                even[2 * k + 1] = eim + oim;
                odd[2 * k] = ere - ore;
                odd[2 * k + 1] = eim - oim;
            }
        }
    }
}

void RealFft::forward(std::span<const double> input, std::span<std::complex<double>> spectrum) {
    if (input.size() != size_ || spectrum.size() != bins())
        throw std::invalid_argument("FFT buffers do not match its size");
    const std::size_t half = size_ / 2;
    // Even samples as the real part, odd ones as the imaginary part.
    for (std::size_t i = 0; i < half; ++i)
        work_[i] = {input[2 * i], input[2 * i + 1]};
    transform(false);
    for (std::size_t k = 0; k < half; ++k) {
        const auto z = work_[k];
        const auto mirror = std::conj(work_[k == 0 ? 0 : half - k]);
        const auto even = 0.5 * (z + mirror);
        const auto odd = -0.5 * turned(z - mirror);
        spectrum[k] = even + times(unpack_[k], odd);
        if (k == 0)
            spectrum[half] = even - odd;
    }
}

void RealFft::inverse(std::span<const std::complex<double>> spectrum, std::span<double> output) {
    if (output.size() != size_ || spectrum.size() != bins())
        throw std::invalid_argument("FFT buffers do not match its size");
    const std::size_t half = size_ / 2;
    for (std::size_t k = 0; k < half; ++k) {
        const auto x = spectrum[k];
        const auto mirror = std::conj(spectrum[half - k]);
        const auto even = 0.5 * (x + mirror);
        const auto odd = 0.5 * times(x - mirror, std::conj(unpack_[k]));
        work_[k] = even + turned(odd);
    }
    transform(true);
    const double scale = 1.0 / double(half);
    for (std::size_t i = 0; i < half; ++i) {
        output[2 * i] = work_[i].real() * scale;
        output[2 * i + 1] = work_[i].imag() * scale;
    }
}

} // namespace strumvale::sound

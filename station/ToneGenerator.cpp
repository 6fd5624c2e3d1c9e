#include "ToneGenerator.h"

#include <cmath>
#include <numbers>

ToneGenerator::ToneGenerator(double frequencyHz, int sampleRate, int channels, double amplitude)
    : frequencyHz_(frequencyHz),
      sampleRate_(sampleRate),
      channels_(channels),
      amplitude_(amplitude) {}

void ToneGenerator::Reset() {
    position_ = 0;
}

int64_t ToneGenerator::Next(int frames, std::vector<int16_t>& block) {
    block.resize(static_cast<size_t>(frames) * static_cast<size_t>(channels_));
    // A whole-number frequency repeats exactly once a second, so the phase is taken from the
    // position within the current second and stays exact however long the station runs.
    const int64_t period = sampleRate_;
    const double frequencyHz = frequencyHz_;
    for (int i = 0; i < frames; ++i) {
        const int64_t n = position_ + i;
        const double cycles =
            std::fmod(frequencyHz * static_cast<double>(n % period) / sampleRate_, 1.0);
        const auto value = static_cast<int16_t>(
            std::lround(amplitude_ * 32767.0 * std::sin(2.0 * std::numbers::pi * cycles)));
        for (int c = 0; c < channels_; ++c) {
            block[static_cast<size_t>(i * channels_ + c)] = value;
        }
    }
    const int64_t timestamp = position_ * 1'000'000 / sampleRate_;
    position_ += frames;
    return timestamp;
}

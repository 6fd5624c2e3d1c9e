#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

// A steady sine tone as interleaved 16-bit samples, block after block without a seam: the
// phase runs on from one block to the next, so the decoded stream holds one clean frequency.
// The frequency is a whole number of hertz; it may be changed while the tone runs (from
// another thread), and the next block has the new one.
class ToneGenerator {
public:
    ToneGenerator(double frequencyHz, int sampleRate, int channels, double amplitude);

    void Reset();
    // Fills block with the next `frames` sample frames; returns their time stamp in
    // microseconds from the start of the tone.
    int64_t Next(int frames, std::vector<int16_t>& block);

    int SampleRate() const { return sampleRate_; }
    int Channels() const { return channels_; }
    double Frequency() const { return frequencyHz_; }
    void SetFrequency(double frequencyHz) { frequencyHz_ = frequencyHz; }

private:
    std::atomic<double> frequencyHz_;
    int sampleRate_;
    int channels_;
    double amplitude_;
    int64_t position_ = 0;  // sample frames produced so far
};

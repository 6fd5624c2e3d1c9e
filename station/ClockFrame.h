#pragma once

#include <QTime>

#include <cstdint>
#include <vector>

// The picture of the visual channel: the station clock's time of day in large seven-segment
// digits, a bar that fills with the seconds of the minute and a marker that sweeps across the
// bottom with every frame, so that any two frames a moment apart differ. Frames are packed
// 24-bit RGB, top row first.
class ClockFrame {
public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;

    void Render(const QTime& time, int64_t frameIndex, std::vector<uint8_t>& pixels) const;

private:
    struct Color {
        uint8_t r, g, b;
    };
    void Fill(std::vector<uint8_t>& pixels, int x, int y, int w, int h, Color color) const;
    void Digit(std::vector<uint8_t>& pixels, int x, int y, int value) const;
    void Colon(std::vector<uint8_t>& pixels, int x, int y) const;
};

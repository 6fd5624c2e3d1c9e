#include "ClockFrame.h"

#include <algorithm>

namespace {

// Never pure blue: RGB(0,0,255) is the see-through colour of the client's windows.
constexpr uint8_t kBackground[] = {18, 28, 64};
constexpr int kDigitW = 28;
constexpr int kDigitH = 52;
constexpr int kStroke = 6;
constexpr int kGap = 6;
constexpr int kColonW = 10;

// Segments a..g of each digit, as bits 0..6.
constexpr uint8_t kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

}  // namespace

void ClockFrame::Render(const QTime& time, int64_t frameIndex, std::vector<uint8_t>& pixels) const {
    pixels.resize(static_cast<size_t>(kWidth * kHeight * 3));
    Fill(pixels, 0, 0, kWidth, kHeight, {kBackground[0], kBackground[1], kBackground[2]});
    Fill(pixels, 0, 0, kWidth, 24, {200, 40, 60});  // the channel's red title band

    const int digits[6] = {time.hour() / 10,   time.hour() % 10,   time.minute() / 10,
                           time.minute() % 10, time.second() / 10, time.second() % 10};
    const int totalW = 6 * kDigitW + 4 * kGap + 2 * (kColonW + 2 * kGap);
    int x = (kWidth - totalW) / 2;
    const int y = 70;
    for (int i = 0; i < 6; ++i) {
        Digit(pixels, x, y, digits[i]);
        x += kDigitW + kGap;
        if (i == 1 || i == 3) {
            Colon(pixels, x + kGap / 2, y);
            x += kColonW + 2 * kGap;
        }
    }

    const int secondsW = (kWidth - 40) * time.second() / 59;
    Fill(pixels, 20, 150, kWidth - 40, 10, {50, 60, 100});
    Fill(pixels, 20, 150, secondsW, 10, {90, 200, 120});

    const int markerX = static_cast<int>((frameIndex * 8) % (kWidth - 24));
    Fill(pixels, markerX, 200, 24, 16, {240, 240, 240});
}

void ClockFrame::Fill(std::vector<uint8_t>& pixels, int x, int y, int w, int h, Color color) const {
    const int right = std::min(x + w, kWidth);
    const int bottom = std::min(y + h, kHeight);
    for (int row = std::max(y, 0); row < bottom; ++row) {
        for (int col = std::max(x, 0); col < right; ++col) {
            uint8_t* pixel = &pixels[static_cast<size_t>((row * kWidth + col) * 3)];
            pixel[0] = color.r;
            pixel[1] = color.g;
            pixel[2] = color.b;
        }
    }
}

void ClockFrame::Digit(std::vector<uint8_t>& pixels, int x, int y, int value) const {
    const Color on{255, 210, 60};
    const int half = kDigitH / 2;
    const uint8_t segments = kSegments[value];
    const struct {
        int x, y, w, h;
    } rects[7] = {
        {x, y, kDigitW, kStroke},                          // a, top
        {x + kDigitW - kStroke, y, kStroke, half},         // b, upper right
        {x + kDigitW - kStroke, y + half, kStroke, half},  // c, lower right
        {x, y + kDigitH - kStroke, kDigitW, kStroke},      // d, bottom
        {x, y + half, kStroke, half},                      // e, lower left
        {x, y, kStroke, half},                             // f, upper left
        {x, y + half - kStroke / 2, kDigitW, kStroke},     // g, middle
    };
    for (int s = 0; s < 7; ++s) {
        if (segments & (1 << s)) {
            Fill(pixels, rects[s].x, rects[s].y, rects[s].w, rects[s].h, on);
        }
    }
}

void ClockFrame::Colon(std::vector<uint8_t>& pixels, int x, int y) const {
    const Color on{255, 210, 60};
    Fill(pixels, x, y + kDigitH / 3 - kStroke / 2, kColonW, kStroke + 2, on);
    Fill(pixels, x, y + 2 * kDigitH / 3 - kStroke / 2, kColonW, kStroke + 2, on);
}

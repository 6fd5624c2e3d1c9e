#pragma once

#include <QImage>
#include <QSize>

struct Theme;

// The volume slider's four bitmaps. Both channel pictures share one outline (the player draws
// each through the other's mask) and the thumb is as high as the channel, since it is drawn at
// the channel's top.
struct SliderImages {
    QImage channel, channelActive, thumb, thumbPressed;
};

class SliderArt {
public:
    static SliderImages Render(const Theme& theme, QSize channel, int thumbWidth);

private:
    static QImage Channel(const Theme& theme, QSize size, bool active);
    static QImage Thumb(const Theme& theme, QSize size, bool pressed);
};

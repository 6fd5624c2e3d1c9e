#pragma once

#include <QImage>
#include <QMutex>
#include <QWidget>
#include <atomic>

// The video area of the viewer. On X11 the media engine draws straight into its native window.
// Where a window cannot be handed to the engine (Wayland gives no client another's surface), the
// engine decodes into this widget's frame buffer instead, from its own thread, and the widget
// paints the newest whole frame. Black until the first frame arrives.
class VideoFrameView : public QWidget {
    Q_OBJECT

public:
    // the size the engine scales every frame to; painting scales it to the widget
    static constexpr int kFrameWidth = 320;
    static constexpr int kFrameHeight = 240;

    explicit VideoFrameView(QWidget* parent = nullptr);

    // Called on the engine's thread: the buffer of 32-bit pixels to decode the next frame into,
    // then the news that it is whole.
    uchar* LockFrame();
    void PresentFrame();

    // Back to black, as before the first frame.
    void Clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QMutex mutex_;
    // the engine writes into decoding_; a whole frame is copied to shown_ under the mutex
    QImage decoding_;
    QImage shown_;
    // one repaint asked for at a time, however fast frames come
    std::atomic<bool> repaintPending_ = false;
};

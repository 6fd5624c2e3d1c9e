#include "player/VideoFrameView.h"

#include <QMutexLocker>
#include <QPainter>

VideoFrameView::VideoFrameView(QWidget* parent)
    : QWidget(parent), decoding_(kFrameWidth, kFrameHeight, QImage::Format_RGB32) {
    // the whole area is painted every time: nothing below needs drawing first
    setAttribute(Qt::WA_OpaquePaintEvent);
}

uchar* VideoFrameView::LockFrame() {
    // only the engine's thread writes decoding_, one frame after another
    return decoding_.bits();
}

void VideoFrameView::PresentFrame() {
    {
        QMutexLocker lock(&mutex_);
        shown_ = decoding_.copy();
    }
    if (!repaintPending_.exchange(true)) {
        QMetaObject::invokeMethod(this, [this] {
            repaintPending_ = false;
            update();
        });
    }
}

void VideoFrameView::Clear() {
    {
        QMutexLocker lock(&mutex_);
        shown_ = QImage();
    }
    update();
}

void VideoFrameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QMutexLocker lock(&mutex_);
    if (shown_.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, shown_.size() != size());
    painter.drawImage(rect(), shown_);
}

#include "skin/CSkinSlider.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <cstdlib>

#include "skin/BitmapFileCache.h"
#include "skin/ColorKey.h"

namespace {

QImage Keyed(const QImage& image, bool transparent, QRgb key) {
    return transparent ? WithKeyTransparent(image, key) : image;
}

}  // namespace

CSkinSlider::CSkinSlider(QWidget* parent) : QAbstractSlider(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setOrientation(Qt::Horizontal);
    setRange(0, 100);
    setPageStep(20);
    // moving the thumb reports where it goes at once, not only when it is let go
    setTracking(true);
    resize(0, 0);
}

bool CSkinSlider::LoadPair(BitmapPair& pair, const QString& normalPath, const QString& activePath,
                           bool transparent, std::optional<QRgb> colorKey, QPoint keyPixel) {
    pair = BitmapPair{};
    if (normalPath.isEmpty()) {
        return true;
    }
    const QImage normal = BitmapFileCache::Load(normalPath);
    if (normal.isNull()) {
        return false;
    }
    QRgb key = kSkinColorKey;
    if (colorKey) {
        key = *colorKey;
    } else if (normal.rect().contains(keyPixel)) {
        key = normal.pixel(keyPixel);
    }
    pair.normal = Keyed(normal, transparent, key);
    if (!activePath.isEmpty()) {
        const QImage active = BitmapFileCache::Load(activePath);
        if (!active.isNull()) {
            pair.active = Keyed(active, transparent, key);
        }
    }
    pair.loaded = true;
    return true;
}

bool CSkinSlider::SetBitmapChannel(const QString& normalPath, const QString& activePath,
                                   bool transparent, std::optional<QRgb> colorKey,
                                   QPoint keyPixel) {
    const bool loaded = LoadPair(channel_, normalPath, activePath, transparent, colorKey, keyPixel);
    if (channel_.loaded) {
        channelWidth_ = channel_.normal.width();
        channelHeight_ = channel_.normal.height();
        resize(channelWidth_, channelHeight_);
    }
    update();
    return loaded;
}

bool CSkinSlider::SetBitmapThumb(const QString& normalPath, const QString& activePath,
                                 bool transparent, std::optional<QRgb> colorKey, QPoint keyPixel) {
    const bool loaded = LoadPair(thumb_, normalPath, activePath, transparent, colorKey, keyPixel);
    thumbWidth_ = thumb_.loaded ? thumb_.normal.width() : 0;
    thumbHeight_ = thumb_.loaded ? thumb_.normal.height() : 0;
    if (!channel_.loaded) {
        channelWidth_ = width();
        channelHeight_ = height();
    }
    update();
    return loaded;
}

void CSkinSlider::SetPos(int position) {
    const QSignalBlocker quiet(this);
    setValue(position);
    update();
}

void CSkinSlider::SetMargins(int left, int top, int right, int bottom) {
    leftMargin_ = left;
    topMargin_ = top;
    rightMargin_ = right;
    bottomMargin_ = bottom;
    update();
}

int CSkinSlider::ThumbCentreFor(int position) const {
    const double span = maximum() - minimum();
    const double travel = channelWidth_ - rightMargin_ - thumbWidth_ - leftMargin_;
    const double offset = span != 0 ? (position - minimum()) / span * travel : 0.0;
    return thumbWidth_ / 2 + leftMargin_ + static_cast<int>(std::trunc(offset));
}

int CSkinSlider::PositionFor(int thumbCentre) const {
    const double travel = channelWidth_ - rightMargin_ - leftMargin_ - thumbWidth_;
    if (travel == 0) {
        return minimum();
    }
    const double fraction = (thumbCentre - thumbWidth_ / 2 - leftMargin_) / travel;
    return static_cast<int>(std::trunc(fraction * (maximum() - minimum()) + minimum()));
}

void CSkinSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int centre = ThumbCentreFor(value());
    if (channel_.loaded) {
        if (channel_.active.isNull() || !isEnabled()) {
            painter.drawImage(QPoint(0, 0), channel_.normal);
        } else {
            const int height = channel_.normal.height();
            painter.drawImage(QPoint(centre, 0), channel_.normal,
                              QRect(centre, 0, channel_.normal.width() - centre, height));
            painter.drawImage(QPoint(0, 0), channel_.active, QRect(0, 0, centre, height));
        }
    }
    if (thumb_.loaded && isEnabled()) {
        const QImage& thumb =
            (dragging_ && !thumb_.active.isNull()) ? thumb_.active : thumb_.normal;
        painter.drawImage(QPoint(centre - thumbWidth_ / 2, topMargin_), thumb);
    }
    focusMark_.Paint(painter, *this);
}

void CSkinSlider::focusInEvent(QFocusEvent* event) {
    focusMark_.FocusIn(event->reason());
    QAbstractSlider::focusInEvent(event);
}

void CSkinSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractSlider::mousePressEvent(event);
        return;
    }
    event->accept();
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    const int x = event->position().toPoint().x();
    const int fromCentre = x - ThumbCentreFor(value());
    // a press on the thumb keeps the point it was taken by; elsewhere the thumb's centre jumps to
    // the pointer
    grabOffset_ = std::abs(fromCentre) <= thumbWidth_ / 2 ? fromCentre : 0;
    TrackPointer(x);
    update();
}

void CSkinSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QAbstractSlider::mouseMoveEvent(event);
        return;
    }
    event->accept();
    TrackPointer(event->position().toPoint().x());
}

void CSkinSlider::TrackPointer(int x) {
    const int lowest = thumbWidth_ / 2 + leftMargin_;
    const int highest = channelWidth_ - rightMargin_ - thumbWidth_ / 2;
    const int centre = qMin(qMax(x - grabOffset_, lowest), highest);
    if (centre == ThumbCentreFor(value())) {
        return;
    }
    SetPos(PositionFor(centre));
    emit sliderMoved(value());
}

void CSkinSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) {
        QAbstractSlider::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    dragging_ = false;
    update();
    emit positionSet(value());
}

void CSkinSlider::keyPressEvent(QKeyEvent* event) {
    int position = value();
    switch (event->key()) {
        case Qt::Key_PageUp:
            position -= pageStep();
            break;
        case Qt::Key_PageDown:
            position += pageStep();
            break;
        case Qt::Key_End:
            position = maximum();
            break;
        case Qt::Key_Home:
            position = minimum();
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            position -= 1;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            position += 1;
            break;
        default:
            QAbstractSlider::keyPressEvent(event);
            return;
    }
    event->accept();
    SetPos(position);
    // reported even when the thumb stayed where it was, at either end
    emit positionSet(value());
}

// The wheel is not one of the slider's ways: it would move the thumb without telling anyone.
void CSkinSlider::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

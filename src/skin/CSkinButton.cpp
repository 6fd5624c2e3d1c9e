#include "skin/CSkinButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/WindowMessage.h"
#include "skin/BitmapFileCache.h"
#include "skin/ColorKey.h"
#include "windows/UserMessages.h"

CSkinButton::CSkinButton(int controlId, QWidget* parent) : QWidget(parent), controlId_(controlId) {
    // the control takes the keyboard focus by Tab, as the dialogs' other controls do
    setFocusPolicy(Qt::TabFocus);
    resize(0, 0);
}

bool CSkinButton::LoadBitmaps(const QString& upPath, const QString& downPath,
                              const QString& disabledPath, Kind kind, bool handCursor) {
    const QImage up = BitmapFileCache::Load(upPath);
    const QImage disabled = disabledPath.isEmpty() ? QImage() : BitmapFileCache::Load(disabledPath);
    return SetBitmaps(up, BitmapFileCache::Load(downPath), disabled, kind, handCursor);
}

bool CSkinButton::SetBitmaps(const QImage& up, const QImage& down, const QImage& disabled,
                             Kind kind, bool handCursor) {
    up_ = up;
    down_ = down;
    disabled_ = disabled.isNull() ? up : disabled;
    RebuildKeyedImages();
    kind_ = kind;
    if (handCursor) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    shown_ = Shown::kNone;
    if (isEnabled()) {
        state_ = kUp;
        Show(Shown::kUp);
    } else {
        state_ = kDisabled;
        Show(Shown::kDisabled);
    }
    return !ImageOf(shown_).isNull();
}

void CSkinButton::SetTransparentColor(QRgb color) {
    colorKey_ = color;
    RebuildKeyedImages();
    update();
}

void CSkinButton::RebuildKeyedImages() {
    if (!colorKey_) {
        keyedUp_ = up_;
        keyedDown_ = down_;
        keyedDisabled_ = disabled_;
        return;
    }
    keyedUp_ = up_.isNull() ? QImage() : WithKeyTransparent(up_, *colorKey_);
    keyedDown_ = down_.isNull() ? QImage() : WithKeyTransparent(down_, *colorKey_);
    keyedDisabled_ = disabled_.isNull() ? QImage() : WithKeyTransparent(disabled_, *colorKey_);
}

void CSkinButton::SetState(int state) {
    switch (state) {
        case kRemoved:
            hide();
            up_ = down_ = disabled_ = QImage();
            RebuildKeyedImages();
            shown_ = Shown::kNone;
            break;
        case kUp:
            Show(Shown::kUp);
            break;
        case kDown:
            Show(Shown::kDown);
            break;
        case kDisabled:
            setEnabled(false);
            break;
        default:
            return;
    }
    state_ = state;
}

const QImage& CSkinButton::ImageOf(Shown which) const {
    static const QImage none;
    switch (which) {
        case Shown::kUp:
            return keyedUp_;
        case Shown::kDown:
            return keyedDown_;
        case Shown::kDisabled:
            return keyedDisabled_;
        case Shown::kNone:
            break;
    }
    return none;
}

void CSkinButton::Show(Shown which) {
    if (which == shown_) {
        return;
    }
    shown_ = which;
    resize(ImageOf(which).size());
    update();
}

void CSkinButton::paintEvent(QPaintEvent*) {
    const QImage& image = ImageOf(shown_);
    if (image.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

bool CSkinButton::IsOverButton(const QPoint& point) const {
    return point.x() >= 0 && point.x() <= width() && point.y() >= 0 && point.y() <= height();
}

void CSkinButton::PostClick(int value) {
    PostMessage(parentWidget(), UM_SKINBUTTON_CLICK, static_cast<WPARAM>(controlId_), value);
}

void CSkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    if (kind_ == kToggle) {
        state_ = (state_ == kDown) ? kUp : kDown;
        Show(state_ == kDown ? Shown::kDown : Shown::kUp);
        PostClick(state_);
        return;
    }
    state_ = kDown;
    Show(Shown::kDown);
}

void CSkinButton::mouseMoveEvent(QMouseEvent* event) {
    // A toggle holds no press: the pointer leaving it changes nothing. A pressed push button
    // dragged off shows up again and will not click on a release out there.
    if (kind_ == kPushButton && state_ == kDown && !IsOverButton(event->position().toPoint())) {
        state_ = kUp;
        Show(Shown::kUp);
    }
    event->accept();
}

void CSkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    if (kind_ == kToggle) {
        return;
    }
    state_ = kUp;
    Show(Shown::kUp);
    if (IsOverButton(event->position().toPoint())) {
        PostClick(0);
    }
}

void CSkinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (isEnabled()) {
            state_ = kUp;
            Show(Shown::kUp);
        } else {
            state_ = kDisabled;
            Show(Shown::kDisabled);
        }
    }
    QWidget::changeEvent(event);
}

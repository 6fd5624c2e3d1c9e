#include "skin/CSkinButton.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "skin/BitmapFileCache.h"
#include "skin/ColorKey.h"

CSkinButton::CSkinButton(QWidget* parent) : QAbstractButton(parent) {
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
    removed_ = false;
    setCheckable(kind == Kind::Toggle);
    setChecked(false);
    setDown(false);
    if (handCursor) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    FitToBitmap();
    return !ShownImage().isNull();
}

void CSkinButton::SetTransparentColor(QRgb color) {
    colorKey_ = color;
    RebuildKeyedImages();
    update();
}

void CSkinButton::RebuildKeyedImages() {
    const auto keyed = [this](const QImage& image) {
        return image.isNull() || !colorKey_ ? image : WithKeyTransparent(image, *colorKey_);
    };
    keyedUp_ = keyed(up_);
    keyedDown_ = keyed(down_);
    keyedDisabled_ = keyed(disabled_);
}

void CSkinButton::SetState(State state) {
    switch (state) {
        case kRemoved:
            hide();
            up_ = down_ = disabled_ = QImage();
            RebuildKeyedImages();
            removed_ = true;
            break;
        case kUp:
        case kDown:
            if (isCheckable()) {
                setChecked(state == kDown);
            } else {
                setDown(state == kDown);
            }
            break;
        case kDisabled:
            setEnabled(false);
            break;
    }
    FitToBitmap();
}

CSkinButton::State CSkinButton::GetState() const {
    if (removed_) {
        return kRemoved;
    }
    if (!isEnabled()) {
        return kDisabled;
    }
    return isDown() || isChecked() ? kDown : kUp;
}

const QImage& CSkinButton::ShownImage() const {
    switch (GetState()) {
        case kDisabled:
            return keyedDisabled_;
        case kDown:
            return keyedDown_;
        case kUp:
        case kRemoved:
            break;
    }
    return keyedUp_;
}

QSize CSkinButton::sizeHint() const {
    return ShownImage().size();
}

void CSkinButton::FitToBitmap() {
    resize(ShownImage().size());
    update();
}

void CSkinButton::paintEvent(QPaintEvent*) {
    const QImage& image = ShownImage();
    if (image.isNull()) {
        return;
    }
    // the control always takes the size of the bitmap it shows
    if (size() != image.size()) {
        resize(image.size());
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
    focusMark_.Paint(painter, *this);
}

void CSkinButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat()) {
                click();
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            event->ignore();
            break;
        default:
            QAbstractButton::keyPressEvent(event);
    }
}

void CSkinButton::focusInEvent(QFocusEvent* event) {
    focusMark_.FocusIn(event->reason());
    QAbstractButton::focusInEvent(event);
}

bool CSkinButton::hitButton(const QPoint& point) const {
    return point.x() >= 0 && point.x() <= width() && point.y() >= 0 && point.y() <= height();
}

// A toggle changes and reports on the press and holds no press afterwards.
void CSkinButton::mousePressEvent(QMouseEvent* event) {
    if (kind_ != Kind::Toggle || event->button() != Qt::LeftButton) {
        QAbstractButton::mousePressEvent(event);
        return;
    }
    event->accept();
    setChecked(!isChecked());
    FitToBitmap();
    emit clicked(isChecked());
}

void CSkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (kind_ == Kind::Toggle && event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

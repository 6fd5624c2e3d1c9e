#include "skin/CSkinDialog.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "platform/Screen.h"
#include "skin/BitmapFileCache.h"
#include "skin/ColorKey.h"

namespace {

bool PaintImage(QPainter& painter, const QImage& image, const QRect& target) {
    if (image.isNull() || !target.isValid()) {
        return false;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, image.size() != target.size());
    painter.drawImage(target, image);
    painter.restore();
    return true;
}

}  // namespace

CSkinDialog::CSkinDialog(QWidget* owner, Qt::WindowFlags extraFlags)
    : QDialog(owner, Qt::Window | Qt::FramelessWindowHint | extraFlags) {
    // decided before the window exists: only then can it be given a surface with alpha
    setAttribute(Qt::WA_TranslucentBackground, DesktopShowsTranslucency());
}

bool CSkinDialog::LoadBackground(const QString& path) {
    const QImage background = BitmapFileCache::Load(path);
    if (background.isNull()) {
        return false;
    }
    backgroundPath_ = path;
    keyedFace_ = QImage();
    resize(background.size());
    update();
    return true;
}

void CSkinDialog::SetTopMost(bool topMost) {
    // a Wayland compositor keeps no client's window above the others, and changing the flag
    // would only take the window down and let the compositor place it anew
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost || !WindowsPlaceThemselves()) {
        return;
    }
    // changing the flag takes the window off the screen
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    if (wasVisible) {
        show();
    }
}

void CSkinDialog::SetFallbackBackground(const QString& resourcePath) {
    fallbackResource_ = resourcePath;
    keyedFace_ = QImage();
    update();
}

bool CSkinDialog::SetColorKeyTransparency(QRgb color, bool enable) {
    if (!enable) {
        clearMask();
        keyedFace_ = QImage();
        update();
        return true;
    }
    // the built-in face shapes the window as a skin's would
    const QImage background =
        HasBackground() ? BitmapFileCache::Load(backgroundPath_) : QImage(fallbackResource_);
    if (background.isNull()) {
        return false;
    }
    // the face is the bitmap at the window's size, so the outline is scaled the same way
    const QImage face = background.size() == size() ? background : background.scaled(size());
    // the mask is where clicks land; on a translucent window the transparent pixels are what is
    // seen, and without them a compositor shows the key colour where the mask cuts nothing
    setMask(OpaqueRegion(face, color));
    if (testAttribute(Qt::WA_TranslucentBackground)) {
        keyedFace_ =
            WithKeyTransparent(face, color).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        update();
    }
    return true;
}

bool CSkinDialog::PaintBitmapFile(QPainter& painter, const QString& path, const QRect& target) {
    return !path.isEmpty() && PaintImage(painter, BitmapFileCache::Load(path), target);
}

bool CSkinDialog::PaintBitmapResource(QPainter& painter, const QString& resourcePath,
                                      const QRect& target) {
    return !resourcePath.isEmpty() && PaintImage(painter, QImage(resourcePath), target);
}

bool CSkinDialog::GetBitmapFileSize(const QString& path, QSize& size) {
    const QImage image = BitmapFileCache::Load(path);
    if (image.isNull()) {
        return false;
    }
    size = image.size();
    return true;
}

QPoint CSkinDialog::ClampToScreen(const QPoint& wanted, const QSize& size) {
    const QRect area = AvailableScreenArea();
    const int x = qMax(area.left(), qMin(wanted.x(), area.left() + area.width() - size.width()));
    const int y = qMax(area.top(), qMin(wanted.y(), area.top() + area.height() - size.height()));
    return {x, y};
}

void CSkinDialog::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (keyedFace_.size() == size()) {
        PaintFacePart(painter, keyedFace_, event->region());
    } else if (HasBackground()) {
        PaintFacePart(painter, BitmapFileCache::Load(backgroundPath_), event->region());
    } else {
        PaintBitmapResource(painter, fallbackResource_, rect());
    }
}

// A face the window's size is copied only where it changed, rectangle by rectangle: most repaints
// are a sprite's, the animation's and the ticker's few pixels far apart, and drawing the whole face
// (or the box around them all) clipped to them costs the whole face.
void CSkinDialog::PaintFacePart(QPainter& painter, const QImage& face, const QRegion& changed) {
    if (face.size() == size()) {
        for (const QRect& part : changed) {
            painter.drawImage(part.topLeft(), face, part);
        }
    } else {
        PaintImage(painter, face, rect());
    }
}

void CSkinDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragEnabled_) {
        QDialog::mousePressEvent(event);
        return;
    }
    StartFaceDrag(event->globalPosition().toPoint());
    event->accept();
}

void CSkinDialog::StartFaceDrag(const QPoint& globalPressPoint) {
    if (StartPlatformMove()) {
        return;
    }
    followingPointer_ = true;
    pointerOffset_ = globalPressPoint - pos();
}

bool CSkinDialog::StartPlatformMove() {
    QWindow* window = windowHandle();
    return window != nullptr && window->startSystemMove();
}

void CSkinDialog::mouseMoveEvent(QMouseEvent* event) {
    if (!followingPointer_) {
        QDialog::mouseMoveEvent(event);
        return;
    }
    move(event->globalPosition().toPoint() - pointerOffset_);
    event->accept();
}

void CSkinDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (!followingPointer_ || event->button() != Qt::LeftButton) {
        QDialog::mouseReleaseEvent(event);
        return;
    }
    followingPointer_ = false;
    event->accept();
}

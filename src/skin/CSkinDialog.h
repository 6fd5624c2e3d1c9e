#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QSize>
#include <QString>

#include <QDialog>

class QPainter;

// The base of every skinned window: a borderless window whose whole face is a skin bitmap, with
// the bitmap's pure blue cut out so the window takes the bitmap's outline and clicks on blue
// reach whatever lies below. Where the desktop draws transparency (Wayland, a compositing X11
// desktop) the window is translucent and the blue pixels are fully transparent; elsewhere a shape
// mask cuts them. A left-button press anywhere on the face that no control takes moves the window.
//
// The usual sequence of a window: LoadBackground, place it (through ClampToScreen when it opens
// beside another window), SetColorKeyTransparency(kSkinColorKey, true), then place the controls
// from the skin's keys.
class CSkinDialog : public QDialog {
    Q_OBJECT

public:
    explicit CSkinDialog(QWidget* owner = nullptr, Qt::WindowFlags extraFlags = {});

    // Makes the bitmap file the window's face and sizes the window to it. False (and nothing
    // changes) when the file cannot be loaded.
    bool LoadBackground(const QString& path);
    bool HasBackground() const { return !backgroundPath_.isEmpty(); }
    const QString& BackgroundPath() const { return backgroundPath_; }
    // What the face shows when no skin background is set (a bitmap of the program's resources).
    void SetFallbackBackground(const QString& resourcePath);

    // With enable, the background's pixels of `color` become see-through and let clicks through;
    // without, the whole window is solid again. The built-in face shapes the window when no skin
    // background is set. False when there is no background to shape by.
    bool SetColorKeyTransparency(QRgb color, bool enable);

    // Keeps the window above all others, or not; a window on screen stays on screen.
    void SetTopMost(bool topMost);

    void SetDragEnabled(bool enabled) { dragEnabled_ = enabled; }
    bool IsDragEnabled() const { return dragEnabled_; }

    // Paints the bitmap file stretched over `target`. The file is read at paint time (a decoded
    // copy is reused while the file is unchanged). False, painting nothing, when it cannot be
    // loaded.
    static bool PaintBitmapFile(QPainter& painter, const QString& path, const QRect& target);
    // The same for a bitmap of the program's resources (":/res/...").
    static bool PaintBitmapResource(QPainter& painter, const QString& resourcePath,
                                    const QRect& target);
    // The pixel size of a bitmap file; false when it cannot be loaded.
    static bool GetBitmapFileSize(const QString& path, QSize& size);
    // The top-left a window of `size` takes instead of `wanted` so that it lies inside the
    // screen's available area: pulled back until its right or bottom edge touches the area's,
    // and never left of or above the area (that wins for a window larger than the screen).
    static QPoint ClampToScreen(const QPoint& wanted, const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // Starts moving the window with the pointer, as if its title bar had been grabbed. Windows
    // with click areas of their own call it when a press hits none of them.
    void StartFaceDrag(const QPoint& globalPressPoint);
    // Hands the move to the window system. False where the window manager offers no such move;
    // the window then follows the pointer by itself until the button is released.
    virtual bool StartPlatformMove();

private:
    void PaintFacePart(QPainter& painter, const QImage& face, const QRegion& changed);

    bool dragEnabled_ = true;
    QString backgroundPath_;
    QString fallbackResource_;
    // on a translucent window, the face with its see-through pixels made transparent
    QImage keyedFace_;
    // set while the window follows the pointer by itself: pointer minus window top-left
    bool followingPointer_ = false;
    QPoint pointerOffset_;
};

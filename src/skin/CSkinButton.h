#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QRgb>
#include <QString>
#include <optional>

#include "skin/FocusMark.h"

// The one clickable bitmap control: a push button, a two-state toggle (mute buttons, skinned
// check boxes) or a clickable picture link with the hand cursor. It draws nothing but the bitmap
// of its state and takes that bitmap's size.
//
// A push button emits clicked() on a release over it; a press dragged off it and released
// elsewhere does not click. A toggle is checkable: it changes on the press, not the release, and
// tells the change with clicked(checked). Space and Enter click either kind; the arrow keys are
// left to the face (they move its volume). Setting the state from code emits nothing.
class CSkinButton : public QAbstractButton {
    Q_OBJECT

public:
    enum class Kind { PushButton, Toggle };
    enum State { kRemoved = 0, kUp = 1, kDown = 2, kDisabled = 3 };

    explicit CSkinButton(QWidget* parent);

    // Loads the bitmap files (an empty disabled path means the up bitmap serves), then
    // SetBitmaps. True when the bitmap now shown could be loaded.
    bool LoadBitmaps(const QString& upPath, const QString& downPath, const QString& disabledPath,
                     Kind kind, bool handCursor);
    // Replaces all bitmaps; the control shows the up bitmap when enabled, the disabled one
    // otherwise, and takes its size. True when the bitmap now shown is not empty.
    bool SetBitmaps(const QImage& up, const QImage& down, const QImage& disabled, Kind kind,
                    bool handCursor);
    // Pixels of this colour show what the parent shows behind the control.
    void SetTransparentColor(QRgb color);

    // kRemoved hides the control and drops its bitmaps; kUp and kDown show that bitmap (a
    // toggle's kDown is "on"); kDisabled disables the control.
    void SetState(State state);
    State GetState() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    // the shown bitmap's edges count as inside, both ends inclusive
    bool hitButton(const QPoint& point) const override;

private:
    const QImage& ShownImage() const;
    void FitToBitmap();
    void RebuildKeyedImages();

    // as loaded, and with the colour key made see-through for drawing
    QImage up_, down_, disabled_;
    QImage keyedUp_, keyedDown_, keyedDisabled_;
    std::optional<QRgb> colorKey_;
    Kind kind_ = Kind::PushButton;
    bool removed_ = true;
    FocusMark focusMark_;
};

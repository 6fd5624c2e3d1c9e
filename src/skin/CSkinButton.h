#pragma once

#include <QImage>
#include <QRgb>
#include <QString>
#include <QWidget>
#include <optional>

// The one clickable bitmap control: a push button, a two-state toggle (mute buttons, skinned
// check boxes) or a clickable picture link with the hand cursor. It draws nothing but the bitmap
// of its state, takes that bitmap's size, and tells its parent about clicks by posting
// UM_SKINBUTTON_CLICK (wParam: its control id; lParam: 0 for a push button's click, the new state
// 1 or 2 for a toggle).
//
// A push button clicks on a release over it; a press dragged off it and released elsewhere does
// not click. A toggle changes and reports its state on the press.
class CSkinButton : public QWidget {
    Q_OBJECT

public:
    enum Kind { kPushButton = 0, kToggle = 2 };
    enum State { kRemoved = 0, kUp = 1, kDown = 2, kDisabled = 3 };

    CSkinButton(int controlId, QWidget* parent);

    int ControlId() const { return controlId_; }

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

    // kRemoved hides the control and drops its bitmaps; kUp and kDown show that bitmap;
    // kDisabled disables the control. The state is recorded in every case.
    void SetState(int state);
    int GetState() const { return state_; }
    Kind GetKind() const { return kind_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Shown { kNone, kUp, kDown, kDisabled };

    void Show(Shown which);
    const QImage& ImageOf(Shown which) const;
    // the shown bitmap's edges count as inside, both ends inclusive
    bool IsOverButton(const QPoint& point) const;
    void PostClick(int value);
    void RebuildKeyedImages();

    int controlId_;
    // as loaded, and with the colour key made see-through for drawing
    QImage up_, down_, disabled_;
    QImage keyedUp_, keyedDown_, keyedDisabled_;
    std::optional<QRgb> colorKey_;
    Shown shown_ = Shown::kNone;
    Kind kind_ = kPushButton;
    int state_ = kRemoved;
};

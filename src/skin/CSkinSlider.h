#pragma once

#include <QAbstractSlider>
#include <QImage>
#include <QRgb>
#include <QString>
#include <optional>

#include "skin/FocusMark.h"

// The volume control: a horizontal channel bitmap with a thumb bitmap the listener drags, clicks
// to, or moves with the keyboard. Left of the thumb the channel is drawn from a second "active"
// bitmap, so the track fills up with the volume. Movement is reported, never acted on here:
// sliderMoved(position) while dragging, positionSet(position) on release and on every key. A
// position set from code reports nothing.
class CSkinSlider : public QAbstractSlider {
    Q_OBJECT

public:
    explicit CSkinSlider(QWidget* parent);

    // The channel's normal bitmap (right of the thumb) and, optionally, its active one (left of
    // it; both must share one outline). With `transparent`, pixels of the key colour are
    // see-through; no key means the colour of the normal bitmap's pixel at `keyPixel`.
    // An empty normal path drops the channel and succeeds. The control takes the channel's size.
    bool SetBitmapChannel(const QString& normalPath, const QString& activePath, bool transparent,
                          std::optional<QRgb> colorKey, QPoint keyPixel = {});
    // The same for the thumb: normal bitmap, and the one shown while it is dragged.
    bool SetBitmapThumb(const QString& normalPath, const QString& activePath, bool transparent,
                        std::optional<QRgb> colorKey, QPoint keyPixel = {});

    // Clamped into the range; reports nothing.
    void SetPos(int position);
    // Insets of the thumb's travel inside the channel.
    void SetMargins(int left, int top, int right, int bottom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

signals:
    // the listener let go of the thumb, or moved it with a key
    void positionSet(int position);

private:
    struct BitmapPair {
        QImage normal;
        QImage active;  // null when not given
        bool loaded = false;
    };

    static bool LoadPair(BitmapPair& pair, const QString& normalPath, const QString& activePath,
                         bool transparent, std::optional<QRgb> colorKey, QPoint keyPixel);
    int ThumbCentreFor(int position) const;
    int PositionFor(int thumbCentre) const;
    void TrackPointer(int x);

    int channelWidth_ = 0;
    int channelHeight_ = 0;
    int thumbWidth_ = 0;
    int thumbHeight_ = 0;
    int leftMargin_ = 0;
    int rightMargin_ = 0;
    int topMargin_ = 0;
    int bottomMargin_ = 0;
    int grabOffset_ = 0;
    bool dragging_ = false;
    BitmapPair channel_;
    BitmapPair thumb_;
    FocusMark focusMark_;
};

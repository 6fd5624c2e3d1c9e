#pragma once

#include <QImage>
#include <QRgb>
#include <QString>
#include <QWidget>
#include <optional>

// The volume control: a horizontal channel bitmap with a thumb bitmap the listener drags, clicks
// to, or moves with the keyboard. Left of the thumb the channel is drawn from a second "active"
// bitmap, so the track fills up with the volume. Movement is reported to the parent, never acted
// on here: UM_SLIDER_TRACK while dragging, UM_SLIDER_SET on release and on every key (wParam: the
// control id, lParam: the position).
class CSkinSlider : public QWidget {
    Q_OBJECT

public:
    CSkinSlider(int controlId, QWidget* parent);

    int ControlId() const { return controlId_; }

    // The channel's normal bitmap (right of the thumb) and, optionally, its active one (left of
    // it; both must share one outline). With `transparent`, pixels of the key colour are
    // see-through; no key means the colour of the normal bitmap's pixel at `keyPixel`.
    // An empty normal path drops the channel and succeeds. The control takes the channel's size.
    bool SetBitmapChannel(const QString& normalPath, const QString& activePath, bool transparent,
                          std::optional<QRgb> colorKey, QPoint keyPixel = {});
    // The same for the thumb: normal bitmap, and the one shown while it is dragged.
    bool SetBitmapThumb(const QString& normalPath, const QString& activePath, bool transparent,
                        std::optional<QRgb> colorKey, QPoint keyPixel = {});

    void SetRange(int minimum, int maximum, bool redraw);
    void SetRangeMin(int minimum, bool redraw);
    void SetRangeMax(int maximum, bool redraw);
    // Clamped into the range; reports nothing to the parent.
    void SetPos(int position);
    int GetPos() const { return position_; }
    int GetRangeMin() const { return minimum_; }
    int GetRangeMax() const { return maximum_; }
    // Insets of the thumb's travel inside the channel.
    void SetMargins(int left, int top, int right, int bottom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

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
    void Post(unsigned message) const;

    int controlId_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    int page_ = 20;
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
};

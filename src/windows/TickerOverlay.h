#pragma once

#include <QWidget>

class CTickerCtrl;

// A small sign drawn over a face's ticker, never taken from the skin, so every skin shows it
// alike: clicks pass through it to the ticker, and it follows the ticker when a skin moves or
// resizes it. The ticker moves what is on screen a pixel at a time, the sign's pixels with it,
// so a shown sign is drawn again after each step. A subclass says where over the ticker it sits
// and paints itself.
class TickerOverlay : public QWidget {
    Q_OBJECT

public:
    explicit TickerOverlay(CTickerCtrl& ticker);

protected:
    // the sign's place, in the coordinates the ticker's `line` is given in
    virtual QRect PlaceOver(const QRect& line) const = 0;
    // places the sign again, as when its size changes
    void Place();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CTickerCtrl& ticker_;
};

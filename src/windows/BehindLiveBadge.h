#pragma once

#include "windows/TickerOverlay.h"

class PlayerModel;

// How far what is heard is behind what is on air ("-1:05"), at the right end of a face's ticker,
// while the listener is paused or playing behind live.
class BehindLiveBadge : public TickerOverlay {
    Q_OBJECT

public:
    BehindLiveBadge(CTickerCtrl& ticker, const PlayerModel& model);

    // "-1:05", "-1:02:03"
    static QString Text(qint64 behindMs);

protected:
    QRect PlaceOver(const QRect& line) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Show(qint64 behindMs);

    QString text_;
};

#include "windows/TickerOverlay.h"

#include <QEvent>

#include "skin/CTickerCtrl.h"

TickerOverlay::TickerOverlay(CTickerCtrl& ticker)
    : QWidget(ticker.parentWidget()), ticker_(ticker) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    ticker_.installEventFilter(this);
    connect(&ticker_, &CTickerCtrl::stepped, this, [this] {
        if (isVisible()) {
            update();
        }
    });
}

void TickerOverlay::Place() {
    setGeometry(PlaceOver(ticker_.geometry()));
    raise();
}

bool TickerOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &ticker_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        Place();
    }
    return QWidget::eventFilter(watched, event);
}

#include "skin/FocusMark.h"

#include <QPainter>
#include <QWidget>

void FocusMark::FocusIn(Qt::FocusReason reason) {
    switch (reason) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            shown_ = true;
            break;
        case Qt::MouseFocusReason:
            shown_ = false;
            break;
        default:
            // the window coming back, a menu closing: the mark stays as it was
            break;
    }
}

void FocusMark::Paint(QPainter& painter, const QWidget& control) const {
    if (!shown_ || !control.hasFocus()) {
        return;
    }
    const QRect edge = control.rect().adjusted(0, 0, -1, -1);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(edge);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(edge);
    painter.restore();
}

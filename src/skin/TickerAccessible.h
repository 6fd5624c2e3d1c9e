#pragma once

#include <QAccessibleWidget>

class CTickerCtrl;

// What assistive technology sees of the ticker: a static text whose name and value are the text
// it scrolls, so a screen reader reads the program's news rather than a blank strip.
class TickerAccessible : public QAccessibleWidget {
public:
    explicit TickerAccessible(CTickerCtrl* ticker);

    QString text(QAccessible::Text kind) const override;

    // Lets Qt's accessibility make a TickerAccessible for every ticker.
    static void Install();
};

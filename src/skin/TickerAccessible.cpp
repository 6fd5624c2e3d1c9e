#include "skin/TickerAccessible.h"

#include "skin/CTickerCtrl.h"

namespace {

QAccessibleInterface* MakeForTicker(const QString& className, QObject* object) {
    if (className == QLatin1String(CTickerCtrl::staticMetaObject.className())) {
        return new TickerAccessible(static_cast<CTickerCtrl*>(object));
    }
    return nullptr;
}

}  // namespace

TickerAccessible::TickerAccessible(CTickerCtrl* ticker)
    : QAccessibleWidget(ticker, QAccessible::StaticText) {}

QString TickerAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name || kind == QAccessible::Value) {
        return static_cast<const CTickerCtrl*>(widget())->ShownText();
    }
    return QAccessibleWidget::text(kind);
}

void TickerAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeForTicker);
        return true;
    }();
    Q_UNUSED(installed);
}

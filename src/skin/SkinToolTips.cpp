#include "skin/SkinToolTips.h"

#include <QApplication>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace {

// The application's own look, with the tip delay of the skinned controls.
class QuickTipStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ToolTip_WakeUpDelay) {
            return SkinToolTips::kWakeUpDelayMs;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* QuickTips() {
    // made once, owned by the application, and never deleted while a control uses it
    static QuickTipStyle* style = [] {
        auto* made = new QuickTipStyle();
        made->setParent(qApp);
        return made;
    }();
    return style;
}

}  // namespace

namespace SkinToolTips {

void Set(QWidget& control, const QString& text) {
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(255, 255, 230));
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
    control.setToolTip(text);
    control.setAccessibleName(text);
    control.setStyle(QuickTips());
}

}  // namespace SkinToolTips

#include "skin/NewMenuStyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

#include "skin/CNewMenu.h"

namespace {

// the command images are 16 x 15 pixels
constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;
// the image column, and where the text begins
constexpr int kImageColumn = kImageWidth + 8;
constexpr int kTextLeft = kImageWidth + 12;
// an item is at least as high as a menu bar, and leaves 4 pixels above and below its image
constexpr int kMenuBarHeight = 19;
constexpr int kItemHeight = qMax(kMenuBarHeight, kImageHeight + 8);
constexpr int kSeparatorHeight = 7;
// room for an accelerator column after a tab, and for a submenu's arrow
constexpr int kAcceleratorSpace = 15;
constexpr int kArrowSpace = 12;

QColor Mix(const QColor& a, const QColor& b, int percentOfA) {
    const auto channel = [&](int x, int y) {
        return (x * percentOfA + y * (100 - percentOfA)) / 100;
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

QColor TitleColorOf(const QWidget* widget, const QPalette& palette) {
    if (const auto* menu = qobject_cast<const CNewMenu*>(widget)) {
        return menu->MenuTitleColor();
    }
    return palette.color(QPalette::Highlight);
}

void DrawSeparator(QPainter* painter, const QRect& rect, const QPalette& palette) {
    const int y = rect.center().y();
    const int left = rect.left() + kTextLeft - 4;
    const int right = rect.right() - 4;
    painter->setPen(palette.color(QPalette::Mid));
    painter->drawLine(left, y, right, y);
    painter->setPen(palette.color(QPalette::Light));
    painter->drawLine(left, y + 1, right, y + 1);
}

// A filled triangle pointing right at the item's right end: the item opens a submenu.
void DrawSubmenuArrow(QPainter* painter, const QRect& rect, const QColor& color) {
    const QPoint tip(rect.right() - 6, rect.center().y());
    const QPoint points[] = {tip, tip + QPoint(-4, -4), tip + QPoint(-4, 4)};
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawPolygon(points, 3);
}

// The mark of the chosen one of a set of exclusive items, in the image column.
void DrawChosenMark(QPainter* painter, const QRect& rect, const QColor& color) {
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->drawEllipse(QPoint(rect.left() + kImageColumn / 2, rect.center().y()), 3, 3);
}

void DrawItem(QPainter* painter, const QStyleOptionMenuItem& item, const QWidget* widget) {
    const QRect& rect = item.rect;
    const bool enabled = (item.state & QStyle::State_Enabled) != 0;
    const bool selected = enabled && (item.state & QStyle::State_Selected) != 0;
    const QColor menuColor = item.palette.color(QPalette::Window);
    if (selected) {
        const QColor titleColor = TitleColorOf(widget, item.palette);
        painter->setPen(titleColor);
        painter->setBrush(Mix(titleColor, menuColor, 25));
        painter->drawRoundedRect(rect.adjusted(1, 1, -2, -2), 2, 2);
    }
    if (!item.icon.isNull()) {
        const QPixmap image = item.icon.pixmap(QSize(kImageWidth, kImageHeight),
                                               enabled ? QIcon::Normal : QIcon::Disabled);
        const QSize shown = image.deviceIndependentSize().toSize();
        painter->drawPixmap(rect.left() + (kImageColumn - shown.width()) / 2,
                            rect.top() + (rect.height() - shown.height()) / 2, image);
    }
    const QString text = item.text.section(QLatin1Char('\t'), 0, 0);
    const QString accelerator = item.text.section(QLatin1Char('\t'), 1);
    painter->setFont(item.font);
    painter->setPen(enabled ? item.palette.color(QPalette::Active, QPalette::WindowText)
                            : item.palette.color(QPalette::Disabled, QPalette::WindowText));
    const QRect textRect = rect.adjusted(kTextLeft, 0, -4, 0);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    painter->drawText(textRect, flags | Qt::AlignLeft, text);
    if (!accelerator.isEmpty()) {
        painter->drawText(textRect, flags | Qt::AlignRight, accelerator);
    }
    if (item.menuItemType == QStyleOptionMenuItem::SubMenu) {
        DrawSubmenuArrow(painter, rect, painter->pen().color());
    }
    if (item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked &&
        item.icon.isNull()) {
        DrawChosenMark(painter, rect, painter->pen().color());
    }
}

}  // namespace

NewMenuStyle::NewMenuStyle() = default;

QSize NewMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& size, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || item == nullptr) {
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        return {size.width(), kSeparatorHeight};
    }
    const QFontMetrics metrics(item->font);
    int width = metrics.horizontalAdvance(item->text.section(QLatin1Char('\t'), 0, 0)) +
                2 * kImageWidth + 2;
    if (item->text.contains(QLatin1Char('\t'))) {
        width +=
            kAcceleratorSpace + metrics.horizontalAdvance(item->text.section(QLatin1Char('\t'), 1));
    }
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        width += kArrowSpace;
    }
    return {width, qMax(kItemHeight, metrics.height() + 4)};
}

void NewMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuEmptyArea) {
        painter->fillRect(option->rect, option->palette.color(QPalette::Window));
        return;
    }
    if (element != CE_MenuItem || item == nullptr) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->fillRect(item->rect, item->palette.color(QPalette::Window));
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        DrawSeparator(painter, item->rect, item->palette);
    } else {
        DrawItem(painter, *item, widget);
    }
    painter->restore();
}

void NewMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    if (element == PE_PanelMenu) {
        painter->fillRect(option->rect, option->palette.color(QPalette::Window));
        return;
    }
    if (element == PE_FrameMenu) {
        painter->save();
        painter->setPen(option->palette.color(QPalette::Dark));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int NewMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    switch (metric) {
        case PM_MenuPanelWidth:
            return 1;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 1;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

#pragma once

#include <QProxyStyle>

// How CNewMenu's items are measured and drawn: an image column at the left, the text beside it,
// a tinted frame around the item under the pointer, grey text and image for a greyed item, and a
// thin etched line for a separator.
class NewMenuStyle : public QProxyStyle {
    Q_OBJECT

public:
    NewMenuStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
};

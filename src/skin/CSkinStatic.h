#pragma once

#include <QColor>
#include <QLabel>
#include <optional>

// A label that sits on a skin bitmap without a box around it: its own font and text colour, and
// either a solid background colour or none, so the skin shows between the letters.
class CSkinStatic : public QLabel {
    Q_OBJECT

public:
    explicit CSkinStatic(QWidget* parent);

    // `height` is the character cell in pixels, `weight` 400 (normal) or 700 (bold).
    void SetTextAndFont(const QString& text, int height, int weight, bool underline,
                        const QString& faceName, QColor textColor);
    void SetTextColor(QColor color);
    // No colour: see-through, the parent's skin shows behind the text.
    void SetBkColor(std::optional<QColor> color);

    // Has the parent repaint its skin under the label (shrunk by 2 pixels on every side), the
    // label then repaints on top. Windows call it after changing the label's text or colours.
    void InvalidateBehind();

private:
    void ApplyColors();

    QColor textColor_ = Qt::black;
    std::optional<QColor> backgroundColor_;
};

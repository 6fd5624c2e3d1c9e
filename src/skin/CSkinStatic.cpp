#include "skin/CSkinStatic.h"

#include "skin/SkinFont.h"

CSkinStatic::CSkinStatic(QWidget* parent) : QLabel(parent) {
    setFont(DialogFont());
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    ApplyColors();
}

void CSkinStatic::SetTextAndFont(const QString& text, int height, int weight, bool underline,
                                 const QString& faceName, QColor textColor) {
    setFont(SkinFont(faceName, height, weight, underline));
    textColor_ = textColor;
    ApplyColors();
    setText(text);
}

void CSkinStatic::SetTextColor(QColor color) {
    textColor_ = color;
    ApplyColors();
}

void CSkinStatic::SetBkColor(std::optional<QColor> color) {
    backgroundColor_ = color;
    ApplyColors();
}

void CSkinStatic::ApplyColors() {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, textColor_);
    if (backgroundColor_) {
        colors.setColor(QPalette::Window, *backgroundColor_);
    }
    setPalette(colors);
    setAutoFillBackground(backgroundColor_.has_value());
    update();
}

void CSkinStatic::InvalidateBehind() {
    if (parentWidget() != nullptr) {
        parentWidget()->update(geometry().adjusted(2, 2, -2, -2));
    }
    update();
}

#include "skin/CSkinEdit.h"

#include "skin/SkinFont.h"

CSkinEdit::CSkinEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setFont(DialogFont());
    setFrameShape(QFrame::NoFrame);
    // Neither the box nor its text area paints a background. A text area that paints nothing
    // underneath is repainted whole when it scrolls (never shifted on screen), so the skin behind
    // is drawn again first and no earlier line stays behind.
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, Qt::transparent);
    colors.setColor(QPalette::Text, Qt::black);
    setPalette(colors);
}

void CSkinEdit::SetTextColor(QColor color) {
    QPalette colors = palette();
    colors.setColor(QPalette::Text, color);
    setPalette(colors);
    if (parentWidget() != nullptr) {
        parentWidget()->update(geometry());
    }
}

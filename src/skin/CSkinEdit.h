#pragma once

#include <QColor>
#include <QPlainTextEdit>

// A multi-line text box with a see-through background: the skin shows behind the text, also
// while the text changes or scrolls, without smeared copies of earlier lines.
class CSkinEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CSkinEdit(QWidget* parent);

    // Stores the colour and has the parent repaint its skin under the box.
    void SetTextColor(QColor color);
};

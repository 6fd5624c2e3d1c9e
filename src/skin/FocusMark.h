#pragma once

#include <Qt>

class QPainter;
class QWidget;

// The mark a skinned control draws over its picture while it holds the keyboard's focus: a dotted
// black and white frame along its edge, which shows on any skin. The skin's pictures know nothing
// of focus, so the mark is never part of them. It shows once the listener moves with Tab or
// Shift+Tab, and a click on a control takes it away again, so a listener who uses the mouse never
// sees it.
class FocusMark {
public:
    // How the control got the focus decides whether the mark shows.
    void FocusIn(Qt::FocusReason reason);
    // Draws the mark around the control when it holds the focus and the mark is due.
    void Paint(QPainter& painter, const QWidget& control) const;

private:
    bool shown_ = false;
};

#include "skin/FocusOrder.h"

#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

// The controls Tab can reach, sorted by their tops.
std::vector<QWidget*> TabControls(QWidget& window) {
    std::vector<QWidget*> controls;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if ((child->focusPolicy() & Qt::TabFocus) != 0 && !child->isWindow()) {
            controls.push_back(child);
        }
    }
    std::stable_sort(controls.begin(), controls.end(),
                     [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    return controls;
}

// A control belongs to the row it overlaps by at least half its height.
bool SameRow(const QWidget& rowStart, const QWidget& control) {
    return control.y() < rowStart.y() + std::max(1, rowStart.height() / 2);
}

}  // namespace

void SetFocusInReadingOrder(QWidget& window) {
    std::vector<QWidget*> controls = TabControls(window);
    for (auto rowStart = controls.begin(); rowStart != controls.end();) {
        auto rowEnd = std::find_if(rowStart, controls.end(), [&](const QWidget* control) {
            return !SameRow(**rowStart, *control);
        });
        std::stable_sort(rowStart, rowEnd,
                         [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        rowStart = rowEnd;
    }
    // each control moves behind the one before it; the first keeps its place, where only
    // controls without focus stand between it and the window
    for (size_t next = 1; next < controls.size(); ++next) {
        QWidget::setTabOrder(controls[next - 1], controls[next]);
    }
}

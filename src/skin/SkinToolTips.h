#pragma once

#include <QString>

class QWidget;

// The tips of the skinned controls: pale yellow with black text, and quick to appear (80 ms
// after the pointer stops on the control rather than the desktop's usual 700 ms). A control that
// shows only a picture is known to screen readers by the same text, so its tip is its name too.
namespace SkinToolTips {

inline constexpr int kWakeUpDelayMs = 80;

void Set(QWidget& control, const QString& text);

}  // namespace SkinToolTips

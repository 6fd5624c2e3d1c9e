#include "windows/RecordingMark.h"

#include <QPainter>

#include "platform/StringTable.h"
#include "windows/ProgramRecorder.h"

namespace {
constexpr int kLargestDot = 10;
constexpr int kSmallestDot = 6;
constexpr int kInset = 2;
}  // namespace

RecordingMark::RecordingMark(CTickerCtrl& ticker, const ProgramRecorder& recorder)
    : TickerOverlay(ticker) {
    setAccessibleName(StringTable::Load(StringId::kRecording));
    Place();
    setVisible(recorder.IsRecording());
    connect(&recorder, &ProgramRecorder::recordingChanged, this, [this](bool recording) {
        Place();
        setVisible(recording);
    });
}

QRect RecordingMark::PlaceOver(const QRect& line) const {
    const int dot = std::clamp(line.height() - 2 * kInset, kSmallestDot, kLargestDot);
    return QRect(line.left() + kInset, line.center().y() - dot / 2, dot, dot);
}

// red with a dark ring, readable on a light ticker and on a dark one
void RecordingMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 0, 0), 1));
    painter.setBrush(QColor(230, 20, 20));
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

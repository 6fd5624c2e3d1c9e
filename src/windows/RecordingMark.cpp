#include "windows/RecordingMark.h"

#include <QEvent>
#include <QPainter>

#include "platform/StringTable.h"
#include "skin/CTickerCtrl.h"
#include "windows/ProgramRecorder.h"

namespace {
constexpr int kLargestDot = 10;
constexpr int kSmallestDot = 6;
constexpr int kInset = 2;
}  // namespace

RecordingMark::RecordingMark(CTickerCtrl& ticker, const ProgramRecorder& recorder)
    : QWidget(ticker.parentWidget()), ticker_(ticker) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(StringTable::Load(StringId::kRecording));
    ticker_.installEventFilter(this);
    Place();
    setVisible(recorder.IsRecording());
    connect(&recorder, &ProgramRecorder::recordingChanged, this, [this](bool recording) {
        Place();
        setVisible(recording);
    });
    connect(&ticker_, &CTickerCtrl::stepped, this, [this] {
        if (isVisible()) {
            update();
        }
    });
}

void RecordingMark::Place() {
    const QRect line = ticker_.geometry();
    const int dot = std::clamp(line.height() - 2 * kInset, kSmallestDot, kLargestDot);
    setGeometry(line.left() + kInset, line.center().y() - dot / 2, dot, dot);
    raise();
}

bool RecordingMark::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &ticker_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        Place();
    }
    return QWidget::eventFilter(watched, event);
}

// red with a dark ring, readable on a light ticker and on a dark one
void RecordingMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 0, 0), 1));
    painter.setBrush(QColor(230, 20, 20));
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

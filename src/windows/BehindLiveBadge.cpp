#include "windows/BehindLiveBadge.h"

#include <QPainter>

#include "content/PlayerModel.h"
#include "platform/StringTable.h"

namespace {
constexpr int kPadding = 3;
constexpr int kInset = 1;
constexpr int kTextPixels = 10;
}  // namespace

BehindLiveBadge::BehindLiveBadge(CTickerCtrl& ticker, const PlayerModel& model)
    : TickerOverlay(ticker) {
    QFont small = font();
    small.setPixelSize(kTextPixels);
    setFont(small);
    Show(model.BehindLiveMs());
    connect(&model, &PlayerModel::behindLiveChanged, this, &BehindLiveBadge::Show);
}

QString BehindLiveBadge::Text(qint64 behindMs) {
    const qint64 seconds = behindMs / 1000;
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2")
            .arg(seconds / 60 % 60, seconds >= 3600 ? 2 : 1, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return seconds >= 3600 ? QStringLiteral("-%1:%2").arg(seconds / 3600).arg(minutesAndSeconds)
                           : QStringLiteral("-") + minutesAndSeconds;
}

void BehindLiveBadge::Show(qint64 behindMs) {
    text_ = Text(behindMs);
    setAccessibleName(StringTable::Load(StringId::kBehindLive).arg(text_.mid(1)));
    setVisible(behindMs > 0);
    Place();
    update();
}

QRect BehindLiveBadge::PlaceOver(const QRect& line) const {
    const int width = fontMetrics().horizontalAdvance(text_) + 2 * kPadding;
    const int height = std::min(line.height() - 2 * kInset, fontMetrics().height() + 2);
    return QRect(line.right() - kInset - width, line.center().y() - height / 2, width, height);
}

// white on dark grey: readable over any ticker colour
void BehindLiveBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40, 220));
    painter.drawRoundedRect(QRectF(rect()), 3, 3);
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, text_);
}

#include "skin/CTickerCtrl.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/DesktopOpen.h"
#include "skin/SkinFont.h"
#include "skin/TickerAccessible.h"

namespace {
// the least space between the end of one item and the start of the next
constexpr int kItemGap = 50;
// the strip lies this far inside the control on every side
constexpr int kStripInset = 2;
// how far a slanted last letter may reach past the text's advance
constexpr int kGlyphOverhang = 4;
// An item wider than this is drawn from its text at every step instead of from a drawing made
// once: a service that sends a megabyte of text must not make the ticker hold gigabytes.
constexpr int kWidestDrawnItem = 8192;
}  // namespace

CTickerCtrl::CTickerCtrl(QWidget* parent)
    : QWidget(parent),
      background_(palette().color(QPalette::Button)),
      openLink_([](const QString& address) { OpenWithDesktop(address); }) {
    setFont(DialogFont());
    setMouseTracking(true);
    // paintEvent fills the whole control: each step repaints the strip alone, not the face's
    // background beneath it
    setAttribute(Qt::WA_OpaquePaintEvent);
    scrollTimer_.setTimerType(Qt::PreciseTimer);
    connect(&scrollTimer_, &QTimer::timeout, this, &CTickerCtrl::Step);
    TickerAccessible::Install();
}

void CTickerCtrl::SetBkColor(QColor color) {
    background_ = color;
    DrawItems();
    update();
}

void CTickerCtrl::SetPeriod(int milliseconds) {
    period_ = qMax(1, milliseconds);
}

int CTickerCtrl::AddItem(const QString& text, const QString& address) {
    Item item;
    item.text = text;
    item.address = address;
    items_.push_back(std::move(item));
    lastText_ = text;
    lastAddress_ = address;
    return 1;
}

QString CTickerCtrl::GetLastItem(QString* address) const {
    if (address != nullptr) {
        *address = lastAddress_;
    }
    return lastText_;
}

QString CTickerCtrl::ShownText() const {
    QStringList texts;
    for (const Item& item : items_) {
        texts << item.text;
    }
    return texts.join(u' ');
}

void CTickerCtrl::AnnounceText() {
    const QString text = ShownText();
    if (text == announcedText_) {
        return;
    }
    announcedText_ = text;
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

int CTickerCtrl::Clear() {
    items_.clear();
    copies_.clear();
    hoveredItem_ = -1;
    // nothing is under the pointer any more: no hand, no underline, and a restart scrolls
    hovering_ = false;
    underlinedCopy_ = -1;
    unsetCursor();
    update();
    return 1;
}

int CTickerCtrl::Start(bool restart) {
    resumeOnShow_ = false;
    if (items_.empty()) {
        SetScrolling(false);
        return 0;
    }
    if (restart) {
        AnnounceText();
        MeasureItems();
        copies_ = {Copy{0, TextRight()}};
        underlinedCopy_ = -1;
        update();
    }
    SetScrolling(isVisible());
    resumeOnShow_ = !isVisible();
    return 1;
}

// (re)starts or stops the steps, and says so when that changes
void CTickerCtrl::SetScrolling(bool scrolling) {
    const bool wasScrolling = scrollTimer_.isActive();
    if (scrolling) {
        scrollTimer_.start(period_);
    } else {
        scrollTimer_.stop();
    }
    if (scrolling != wasScrolling) {
        emit scrollingChanged(scrolling);
    }
}

void CTickerCtrl::SetLinkOpener(std::function<void(const QString&)> opener) {
    openLink_ = std::move(opener);
}

int CTickerCtrl::ItemWidth(int item) const {
    return item >= 0 && item < static_cast<int>(items_.size()) ? items_[item].width : 0;
}

int CTickerCtrl::TextLeft() const {
    return kStripInset;
}

int CTickerCtrl::TextTop() const {
    return kStripInset;
}

int CTickerCtrl::TextRight() const {
    return width() - kStripInset;
}

int CTickerCtrl::TextBottom() const {
    return height() - kStripInset;
}

QRect CTickerCtrl::TextRect() const {
    return QRect(QPoint(TextLeft(), TextTop()), QPoint(TextRight() - 1, TextBottom() - 1));
}

void CTickerCtrl::MeasureItems() {
    const QFontMetrics metrics(font());
    for (Item& item : items_) {
        item.width = metrics.horizontalAdvance(item.text);
        item.height = metrics.height();
    }
    DrawItems();
}

void CTickerCtrl::DrawItems() {
    const qreal pixelRatio = devicePixelRatioF();
    for (int index = 0; index < static_cast<int>(items_.size()); ++index) {
        Item& item = items_[index];
        const QSize size(item.width + kGlyphOverhang, item.height);
        if (size.width() > kWidestDrawnItem) {
            item.drawn = QImage();
            continue;
        }
        item.drawn = QImage(size * pixelRatio, QImage::Format_RGB32);
        item.drawn.setDevicePixelRatio(pixelRatio);
        item.drawn.fill(background_);
        QPainter painter(&item.drawn);
        painter.setFont(font());
        painter.setPen(QColor::fromRgb(IsLinked(index) ? kLinkColor : kPlainColor));
        painter.drawText(QRect(QPoint(0, 0), size),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.text);
    }
}

void CTickerCtrl::Step() {
    if (copies_.empty() || items_.empty()) {
        return;
    }
    for (Copy& copy : copies_) {
        --copy.x;
    }
    // what is on screen moves a pixel to the left where it lies, and only the column that comes
    // in at the right end is painted: a step costs a copy of the strip, not a drawing of its text
    scroll(-1, 0, TextRect());
    const int rightmostItem = copies_.back().item;
    if (const Copy& leftmost = copies_.front();
        leftmost.x + ItemWidth(leftmost.item) <= TextLeft()) {
        copies_.erase(copies_.begin());
    }
    // (in a strip narrower than the gap the only copy can leave before the next one is due)
    const bool nextIsDue =
        copies_.empty() ||
        copies_.back().x + ItemWidth(copies_.back().item) + kItemGap < TextRight();
    if (nextIsDue) {
        const int nextItem = (rightmostItem + 1) % static_cast<int>(items_.size());
        copies_.push_back(Copy{nextItem, TextRight()});
    }
    emit stepped(period_);
}

bool CTickerCtrl::IsLinked(int item) const {
    return item >= 0 && item < static_cast<int>(items_.size()) && !items_[item].address.isEmpty();
}

void CTickerCtrl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), background_);
    const QRect paintedText = event->rect() & TextRect();
    painter.setClipRect(paintedText);
    const QFontMetrics metrics(font());
    // single line, vertically centred in the strip
    const int baseline =
        TextTop() + (TextBottom() - TextTop() - metrics.height()) / 2 + metrics.ascent();
    // The underline is drawn inside the character cell: the substitute face puts its own at the
    // very bottom of the cell, where a strip only a little taller than the text cuts it off.
    const int underlineAt = baseline + qBound(1, metrics.underlinePos(), metrics.descent() - 1);
    for (int index = 0; index < static_cast<int>(copies_.size()); ++index) {
        const Copy& copy = copies_[index];
        if (copy.item >= static_cast<int>(items_.size()) || copy.x >= paintedText.right() + 1 ||
            copy.x + items_[copy.item].width + kGlyphOverhang <= paintedText.left()) {
            continue;
        }
        const Item& item = items_[copy.item];
        if (!item.drawn.isNull()) {
            painter.drawImage(QPoint(copy.x, baseline - metrics.ascent()), item.drawn);
        } else {
            painter.setPen(QColor::fromRgb(IsLinked(copy.item) ? kLinkColor : kPlainColor));
            painter.drawText(QPoint(copy.x, baseline), item.text);
        }
        if (hovering_ && index == underlinedCopy_) {
            painter.fillRect(
                QRect(copy.x, underlineAt, items_[copy.item].width, qMax(1, metrics.lineWidth())),
                QColor::fromRgb(kLinkColor));
        }
    }
}

int CTickerCtrl::HitTest(const QPoint& point) const {
    const int stripHeight = TextBottom() - TextTop();
    for (int index = 0; index < static_cast<int>(copies_.size()); ++index) {
        const Copy& copy = copies_[index];
        if (copy.item >= static_cast<int>(items_.size())) {
            continue;
        }
        const Item& item = items_[copy.item];
        const int left = qMax(copy.x, TextLeft());
        const int right = qMin(copy.x + item.width, TextRight());
        const int top = TextTop() + (stripHeight - item.height) / 2;
        if (point.x() >= left && point.x() < right && point.y() >= top &&
            point.y() < top + item.height) {
            return index;
        }
    }
    return -1;
}

void CTickerCtrl::mouseMoveEvent(QMouseEvent* event) {
    const int copyIndex = HitTest(event->position().toPoint());
    hoveredItem_ = copyIndex >= 0 ? copies_[copyIndex].item : -1;
    if (hovering_ && copyIndex < 0) {
        EndHover();
    } else if (!hovering_ && copyIndex >= 0) {
        BeginHover(copyIndex);
    }
    QWidget::mouseMoveEvent(event);
}

void CTickerCtrl::BeginHover(int copyIndex) {
    SetScrolling(false);
    hovering_ = true;
    if (IsLinked(copies_[copyIndex].item)) {
        underlinedCopy_ = copyIndex;
        setCursor(Qt::PointingHandCursor);
        update(TextRect());
    }
}

void CTickerCtrl::EndHover() {
    hovering_ = false;
    if (underlinedCopy_ >= 0) {
        underlinedCopy_ = -1;
        unsetCursor();
        update(TextRect());
    }
    SetScrolling(true);
}

void CTickerCtrl::showEvent(QShowEvent* event) {
    if (resumeOnShow_ && !hovering_) {
        SetScrolling(true);
    }
    resumeOnShow_ = false;
    QWidget::showEvent(event);
}

void CTickerCtrl::hideEvent(QHideEvent* event) {
    resumeOnShow_ = resumeOnShow_ || scrollTimer_.isActive();
    SetScrolling(false);
    QWidget::hideEvent(event);
}

void CTickerCtrl::leaveEvent(QEvent* event) {
    if (hovering_) {
        EndHover();
    }
    QWidget::leaveEvent(event);
}

void CTickerCtrl::mousePressEvent(QMouseEvent* event) {
    // a press on a linked item is the start of its click; anywhere else it moves the window
    if (event->button() == Qt::LeftButton && hovering_ && IsLinked(hoveredItem_)) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CTickerCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && hovering_ && IsLinked(hoveredItem_)) {
        event->accept();
        if (openLink_) {
            openLink_(items_[hoveredItem_].address);
        }
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

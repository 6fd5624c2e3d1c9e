#include "skin/CNewMenu.h"

#include <QPainter>
#include <QPixmap>

#include "skin/BitmapFileCache.h"
#include "skin/ColorKey.h"
#include "skin/NewMenuStyle.h"

namespace {

// the gradient title runs into 86 % of the window colour plus 14 % of the menu colour
constexpr int kWindowPercent = 86;
constexpr int kMenuPercent = 14;
// space around the title text inside its strip
constexpr int kTitlePadding = 4;
constexpr int kTitleWiderBy = 8;
constexpr qreal kRoundedCorner = 5.0;

int PercentOf(int value, int percent) {
    return (value * percent + 50) / 100;
}

}  // namespace

CNewMenu::CNewMenu(QWidget* parent) : QMenu(parent) {
    auto* look = new NewMenuStyle();
    look->setParent(this);
    setStyle(look);
    titleColor_ = palette().color(QPalette::Active, QPalette::Highlight);
}

bool CNewMenu::InsertMenu(int position, unsigned flags, int commandId, const QString& text) {
    const QList<QAction*> items = actions();
    QAction* before = (position >= 0 && position < items.size()) ? items[position] : nullptr;
    auto* item = new QAction(text, this);
    if ((flags & kSeparator) != 0) {
        item->setSeparator(true);
    } else {
        item->setData(commandId);
        item->setEnabled((flags & kGrayed) == 0);
        item->setIcon(IconFor(commandId));
    }
    insertAction(before, item);
    return true;
}

void CNewMenu::InsertAction(int position, QAction* action) {
    action->setIcon(IconFor(CommandOf(action)));
    insertAction(ItemAt(position), action);
}

QAction* CNewMenu::ItemAt(int position) const {
    const QList<QAction*> items = actions();
    return position >= 0 && position < items.size() ? items[position] : nullptr;
}

int CNewMenu::CommandOf(const QAction* item) {
    return item != nullptr && !item->isSeparator() ? item->data().toInt() : 0;
}

void CNewMenu::SetMenuTitleColor(QColor color) {
    titleColor_ = color;
    update();
}

bool CNewMenu::SetMenuTitle(const QString& text, unsigned titleFlags) {
    QAction* first = ItemAt(0);
    if (first == nullptr || !first->isSeparator()) {
        InsertMenu(0, kByPosition | kSeparator);
        first = ItemAt(0);
    }
    titleHolder_ = first;
    // the title is drawn in a strip of its own, not as a line among the items
    titleHolder_->setVisible(false);
    title_ = text;
    titleFlags_ = titleFlags | kTitleShown;
    ReserveTitleSpace();
    return true;
}

void CNewMenu::ReserveTitleSpace() {
    const QFontMetrics metrics(font());
    titleThickness_ = metrics.height() + 2 * kTitlePadding;
    if ((titleFlags_ & kTitleWider) != 0) {
        titleThickness_ += kTitleWiderBy;
    }
    if ((titleFlags_ & kTitleAtSide) != 0) {
        setContentsMargins(titleThickness_, 0, 0, 0);
    } else {
        setContentsMargins(0, titleThickness_, 0, 0);
    }
}

bool CNewMenu::LoadToolBar(const MenuToolbar& toolbar) {
    const QImage strip = BitmapFileCache::Decode(toolbar.bitmapPath);
    if (strip.isNull() || toolbar.imageSize.isEmpty()) {
        return false;
    }
    const QImage keyed = WithKeyTransparent(strip, toolbar.colorKey);
    for (size_t index = 0; index < toolbar.commandIds.size(); ++index) {
        const int commandId = toolbar.commandIds[index];
        const QRect place(QPoint(static_cast<int>(index) * toolbar.imageSize.width(), 0),
                          toolbar.imageSize);
        if (commandId == 0 || !keyed.rect().contains(place)) {
            continue;
        }
        iconsByCommand_[commandId] = QIcon(QPixmap::fromImage(keyed.copy(place)));
    }
    for (QAction* item : actions()) {
        if (!item->isSeparator()) {
            item->setIcon(IconFor(CommandOf(item)));
        }
    }
    return true;
}

QIcon CNewMenu::IconFor(int commandId) const {
    const auto found = iconsByCommand_.find(commandId);
    return found != iconsByCommand_.end() ? found->second : QIcon();
}

QAction* CNewMenu::TrackPopupMenu(const QPoint& at) {
    return exec(at);
}

QColor CNewMenu::TitleBlendColor() const {
    const QColor window = palette().color(QPalette::Active, QPalette::Base);
    const QColor menu = palette().color(QPalette::Active, QPalette::Window);
    const auto channel = [](int windowPart, int menuPart) {
        return qMin(255, PercentOf(windowPart, kWindowPercent) + PercentOf(menuPart, kMenuPercent));
    };
    return QColor(channel(window.red(), menu.red()), channel(window.green(), menu.green()),
                  channel(window.blue(), menu.blue()));
}

QRect CNewMenu::TitleRect() const {
    if (titleHolder_ == nullptr) {
        return {};
    }
    const int frame = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
    const QRect inside = rect().adjusted(frame, frame, -frame, -frame);
    if ((titleFlags_ & kTitleAtSide) != 0) {
        return QRect(inside.topLeft(), QSize(titleThickness_, inside.height()));
    }
    return QRect(inside.topLeft(), QSize(inside.width(), titleThickness_));
}

void CNewMenu::paintEvent(QPaintEvent* event) {
    QMenu::paintEvent(event);
    if (titleHolder_ != nullptr) {
        QPainter painter(this);
        PaintTitle(painter);
    }
}

void CNewMenu::PaintTitle(QPainter& painter) const {
    const QRect strip = TitleRect();
    const bool atSide = (titleFlags_ & kTitleAtSide) != 0;
    const QColor captionColor = palette().color(QPalette::Active, QPalette::Highlight);
    if ((titleFlags_ & kTitleGradient) != 0) {
        // at the side: the blend at the top into the title colour at the bottom; on top: the
        // title colour at the left into the blend at the right
        QLinearGradient gradient(strip.topLeft(), atSide ? strip.bottomLeft() : strip.topRight());
        gradient.setColorAt(0, atSide ? TitleBlendColor() : titleColor_);
        gradient.setColorAt(1, atSide ? titleColor_ : TitleBlendColor());
        painter.fillRect(strip, gradient);
    } else if ((titleFlags_ & kTitleRounded) != 0) {
        painter.fillRect(strip, palette().color(QPalette::Window));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(captionColor);
        painter.drawRoundedRect(strip, kRoundedCorner, kRoundedCorner);
    } else {
        painter.fillRect(strip, captionColor);
    }
    painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    painter.setFont(font());
    if (!atSide) {
        painter.drawText(strip.adjusted(kTitlePadding, 0, -kTitlePadding, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title_);
        return;
    }
    // turned a quarter to the left, so the side title reads upwards from the bottom
    painter.translate(strip.bottomLeft() + QPoint(0, 1));
    painter.rotate(-90);
    painter.drawText(QRect(kTitlePadding, 0, strip.height() - 2 * kTitlePadding, strip.width()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title_);
}

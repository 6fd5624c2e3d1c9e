#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <vector>

#include <QImage>
#include <QTimer>
#include <QWidget>

// The one-line news ticker: text items scroll from right to left through the strip, one pixel
// per tick of its timer, each following the one before with a gap of at least 50 pixels, over
// and over. Pointing at an item pauses the scrolling; a linked item is then underlined and shows
// the hand cursor, and a click opens its address.
//
// New content: Clear, AddItem, Start(true).
class CTickerCtrl : public QWidget {
    Q_OBJECT

public:
    // a linked item's text colour, and a plain item's: near blue and near black, never the
    // see-through pure blue of the skins
    static constexpr QRgb kLinkColor = 0xFF0101FFu;
    static constexpr QRgb kPlainColor = 0xFF010101u;

    // One on-screen copy of an item: which item, and the x of its left end.
    struct Copy {
        int item;
        int x;
    };

    explicit CTickerCtrl(QWidget* parent);

    void SetBkColor(QColor color);
    // Milliseconds per one-pixel step; takes effect at the next start or resume.
    void SetPeriod(int milliseconds);
    int Period() const { return period_; }
    int AddItem(const QString& text, const QString& address);
    // The most recently added item's text (and address).
    QString GetLastItem(QString* address = nullptr) const;
    // The text the strip carries, every item in order: what a screen reader reads.
    QString ShownText() const;
    int Clear();
    // 0 (and the timer stays stopped) without items. With restart, item 0 enters again at the
    // right edge; without, the scrolling resumes where it stood.
    int Start(bool restart);

    // What opens a linked item's address; the desktop's handler unless set.
    void SetLinkOpener(std::function<void(const QString&)> opener);

    // The copies on screen, left to right, and the strip they move through.
    const std::vector<Copy>& VisibleCopies() const { return copies_; }
    int ItemWidth(int item) const;
    QRect TextRect() const;
    // moving now, or due to move as soon as it is shown
    bool IsScrolling() const { return scrollTimer_.isActive() || resumeOnShow_; }
    bool IsHovering() const { return hovering_; }

signals:
    // after each step, which came `milliseconds` after the one before
    void stepped(int milliseconds);
    // the steps started or stopped (pointed at, emptied, hidden, shown)
    void scrollingChanged(bool scrolling);

protected:
    // One pixel to the left, on every tick of the scroll timer.
    void Step();

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Item {
        QString text;
        QString address;
        int width = 0;
        int height = 0;
        // the text drawn once on the strip's background, in its colour: a step copies a column
        // of it and never lays out or draws the text again
        QImage drawn;
    };

    // The strip the text moves through: the control less 2 pixels on every side, taken from the
    // control's size whenever it is needed (right and bottom exclusive).
    int TextLeft() const;
    int TextTop() const;
    int TextRight() const;
    int TextBottom() const;
    void MeasureItems();
    void DrawItems();
    void SetScrolling(bool scrolling);
    // tells assistive technology when the text carried changed
    void AnnounceText();
    // the index in copies_ of the copy under the point, or -1
    int HitTest(const QPoint& point) const;
    void BeginHover(int copyIndex);
    void EndHover();
    bool IsLinked(int item) const;

    QTimer scrollTimer_;
    std::vector<Item> items_;
    std::vector<Copy> copies_;
    QColor background_;
    int period_ = 1;
    // the item under the pointer at the last mouse move, -1 for none
    int hoveredItem_ = -1;
    // the copy drawn underlined since the hover began, -1 for none
    int underlinedCopy_ = -1;
    bool hovering_ = false;
    // the strip was scrolling when its window was hidden (or was started while hidden): it goes
    // on when shown, and no timer wakes the program meanwhile
    bool resumeOnShow_ = false;
    QString lastText_;
    QString announcedText_;
    QString lastAddress_;
    std::function<void(const QString&)> openLink_;
};

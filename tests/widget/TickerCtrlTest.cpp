#include "skin/CTickerCtrl.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <algorithm>

#include "WidgetTestKit.h"

using namespace Qt::StringLiterals;
using namespace WidgetTestKit;

namespace {

// a period no test outlives: the ticker moves only when a test steps it
constexpr int kHour = 3600 * 1000;

// A ticker whose timer step a test takes itself.
class SteppedTicker : public CTickerCtrl {
public:
    using CTickerCtrl::CTickerCtrl;
    using CTickerCtrl::Step;

    // the widest area one paint of the strip covered
    int widestPaint = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        widestPaint = std::max(widestPaint, event->rect().width());
        CTickerCtrl::paintEvent(event);
    }
};

class Ticker : public ::testing::Test {
protected:
    void SetUp() override {
        ticker_.setGeometry(10, 10, 400, 20);
        ticker_.SetBkColor(QColor(255, 250, 230));
        ticker_.SetPeriod(kHour);
        host_.resize(420, 40);
    }

    void Hover(const QPoint& point) {
        QMouseEvent move(QEvent::MouseMove, point, ticker_.mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&ticker_, &move);
    }

    // the middle of a copy's text
    QPoint OnCopy(size_t index) const {
        const CTickerCtrl::Copy& copy = ticker_.VisibleCopies().at(index);
        return {copy.x + ticker_.ItemWidth(copy.item) / 2, ticker_.height() / 2};
    }

    static qsizetype LinkPixels(const QImage& image) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constBits());
        return std::count(pixels, pixels + rgb.width() * rgb.height(), CTickerCtrl::kLinkColor);
    }

    TestFace host_;
    SteppedTicker ticker_{&host_};
};

}  // namespace

TEST_F(Ticker, PointingPausesItAndOnlyLinkedItemsLookAndActAsLinks) {
    QStringList opened;
    ticker_.SetLinkOpener([&](const QString& address) { opened << address; });
    ticker_.AddItem(u"plain"_s, {});
    ticker_.AddItem(u"first"_s, u"http://station.test/a"_s);
    ticker_.AddItem(u"second"_s, u"http://station.test/b"_s);
    ticker_.Start(true);
    while (ticker_.VisibleCopies().size() < 3) {
        ticker_.Step();
    }
    for (int i = 0; i < ticker_.ItemWidth(2) + 5; ++i) {  // the last one wholly in
        ticker_.Step();
    }
    ASSERT_TRUE(ShowAndWait(host_));
    const QImage before = ticker_.grab().toImage();

    // a plain item: paused, but no underline, no hand and no click
    Hover(OnCopy(0));
    EXPECT_TRUE(ticker_.IsHovering());
    EXPECT_FALSE(ticker_.IsScrolling());
    EXPECT_FALSE(ticker_.testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(ticker_.grab().toImage(), before);
    QTest::mouseClick(&ticker_, Qt::LeftButton, {}, OnCopy(0));
    EXPECT_TRUE(opened.isEmpty());
    Hover(QPoint(1, 1));  // off every item: scrolling again
    EXPECT_TRUE(ticker_.IsScrolling());

    // a linked item: underlined across its width, with the hand cursor
    Hover(OnCopy(1));
    EXPECT_FALSE(ticker_.IsScrolling());
    EXPECT_EQ(ticker_.cursor().shape(), Qt::PointingHandCursor);
    const QImage underlined = ticker_.grab().toImage();
    EXPECT_GE(LinkPixels(underlined), LinkPixels(before) + ticker_.ItemWidth(1) - 1);
    // on to the next linked one: still paused and still the first underlined; a click opens the
    // item under the pointer
    Hover(OnCopy(2));
    EXPECT_EQ(ticker_.grab().toImage(), underlined);
    QTest::mouseClick(&ticker_, Qt::LeftButton, {}, OnCopy(2));
    EXPECT_EQ(opened, QStringList{u"http://station.test/b"_s});

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&ticker_, &leave);
    EXPECT_TRUE(ticker_.IsScrolling());
    EXPECT_FALSE(ticker_.testAttribute(Qt::WA_SetCursor));

    // new content while a link is pointed at (the program changed under the pointer): the hand
    // and the pause go with the old item, and the new one scrolls
    Hover(OnCopy(1));
    ASSERT_EQ(ticker_.cursor().shape(), Qt::PointingHandCursor);
    ticker_.Clear();
    ticker_.AddItem(u"The next program"_s, {});
    EXPECT_FALSE(ticker_.testAttribute(Qt::WA_SetCursor));
    EXPECT_FALSE(ticker_.IsHovering());
    EXPECT_EQ(ticker_.Start(true), 1);
    EXPECT_TRUE(ticker_.IsScrolling());
}

TEST_F(Ticker, AStepPaintsOnlyTheColumnComingInAndTheScreenShowsTheWholeTextMoved) {
    ticker_.AddItem(u"Good morning, radio"_s, {});
    ticker_.AddItem(u"linked"_s, u"http://station.test/a"_s);
    ticker_.Start(true);
    ASSERT_TRUE(ShowAndWait(host_));
    ticker_.widestPaint = 0;
    // the first item all the way through, the second one coming in behind it
    for (int step = 0; step < 300; ++step) {
        ticker_.Step();
        QCoreApplication::processEvents();
    }
    ASSERT_GE(ticker_.VisibleCopies().size(), 2U);
    EXPECT_EQ(ticker_.widestPaint, 1);
    const auto onScreen = [&] {
        return host_.screen()
            ->grabWindow(host_.winId(), ticker_.x(), ticker_.y(), ticker_.width(), ticker_.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    EXPECT_EQ(onScreen(), ticker_.grab().toImage().convertToFormat(QImage::Format_RGB32));

    // an item too long to keep a drawing of is drawn from its text, with the same result
    ticker_.Clear();
    ticker_.AddItem(u"A long day of news, "_s.repeated(200), {});
    ticker_.Start(true);
    ASSERT_GT(ticker_.ItemWidth(0), 8192);
    for (int step = 0; step < 200; ++step) {
        ticker_.Step();
        QCoreApplication::processEvents();
    }
    const QImage longItem = onScreen();
    EXPECT_EQ(longItem, ticker_.grab().toImage().convertToFormat(QImage::Format_RGB32));
    const auto* pixels = reinterpret_cast<const QRgb*>(longItem.constBits());
    const auto textPixels = std::count_if(pixels, pixels + longItem.width() * longItem.height(),
                                          [](QRgb pixel) { return qGray(pixel) < 128; });
    EXPECT_GT(textPixels, 100) << "the long item's text is drawn";
}

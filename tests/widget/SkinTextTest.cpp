#include <gtest/gtest.h>

#include <QPainter>

#include "WidgetTestKit.h"
#include "skin/CSkinStatic.h"

using namespace WidgetTestKit;

namespace {

const QColor kStripeA(250, 210, 120);
const QColor kStripeB(120, 200, 250);

QImage StripedFace(QSize size) {
    QImage face = Filled(size, kStripeA);
    QPainter painter(&face);
    for (int x = 0; x < size.width(); x += 6) {
        painter.fillRect(QRect(x, 0, 3, size.height()), kStripeB);
    }
    return face;
}

int CountOf(const QImage& image, QColor color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

TEST(SkinText, ALabelShowsTheSkinBetweenItsLettersUnlessItHasABackground) {
    TestFace host;
    ASSERT_TRUE(host.LoadBackground(SaveBitmap("info_bg.bmp", StripedFace({220, 80}))));
    CSkinStatic title(&host);
    title.setGeometry(10, 10, 200, 40);
    title.SetTextAndFont(QStringLiteral("퀼로 Quilo"), 10, 700, false,
                         QStringLiteral("MS Sans Serif"), Qt::black);
    title.InvalidateBehind();

    // the face that stands in for "MS Sans Serif" has the Korean letters itself
    EXPECT_TRUE(QFontMetrics(title.font()).inFontUcs4(U'퀼'))
        << title.fontInfo().family().toStdString();
    EXPECT_TRUE(title.font().bold());

    const QImage seeThrough = host.grab(title.geometry()).toImage();
    EXPECT_GT(CountOf(seeThrough, kStripeA), 1000);
    EXPECT_GT(CountOf(seeThrough, kStripeB), 1000);
    EXPECT_GT(CountOf(seeThrough, Qt::black), 10);

    title.SetBkColor(QColor(Qt::white));
    title.InvalidateBehind();
    const QImage solid = host.grab(title.geometry()).toImage();
    EXPECT_EQ(CountOf(solid, kStripeA), 0);
    EXPECT_EQ(CountOf(solid, kStripeB), 0);
    EXPECT_GT(CountOf(solid, Qt::white), 1000);
}

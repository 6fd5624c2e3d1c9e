#include "skin/CSkinSlider.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "WidgetTestKit.h"
#include "skin/ColorKey.h"

using namespace WidgetTestKit;

namespace {

const QColor kFace(235, 225, 200);
const QColor kChannel(150, 150, 150);
const QColor kFill(40, 190, 70);
const QColor kThumb(220, 30, 30);
const QColor kThumbDragged(120, 10, 10);

// a 110 x 12 channel bitmap with a pure blue top row; with a 10-pixel thumb its centre travels
// 5..105, one pixel per step of 0..100
QString Channel(const QString& name, QColor color) {
    QImage image = Filled({110, 12}, color);
    QPainter(&image).fillRect(QRect(0, 0, 110, 1), QColor::fromRgb(kSkinColorKey));
    return SaveBitmap(name, image);
}

class SkinSlider : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host_.LoadBackground(SaveBitmap("main_bg.bmp", Filled({200, 60}, kFace))));
        ASSERT_TRUE(slider_.SetBitmapChannel(Channel("ch.bmp", kChannel),
                                             Channel("ch_dn.bmp", kFill), true, kSkinColorKey));
        ASSERT_TRUE(slider_.SetBitmapThumb(SaveBitmap("th.bmp", Filled({10, 12}, kThumb)),
                                           SaveBitmap("th_dn.bmp", Filled({10, 12}, kThumbDragged)),
                                           true, kSkinColorKey));
        slider_.setRange(0, 100);
        slider_.SetPos(0);
        slider_.move(20, 20);
        ASSERT_TRUE(ShowAndWait(host_));
    }

    static QPoint At(int x) { return {x, 6}; }
    QColor ShownAt(int x, int y = 6) {
        return host_.grab().toImage().pixelColor(slider_.geometry().topLeft() + QPoint(x, y));
    }
    TestFace host_;
    CSkinSlider slider_{&host_};
    // while dragging, and when let go or moved by a key
    QSignalSpy tracked_{&slider_, &CSkinSlider::sliderMoved};
    QSignalSpy set_{&slider_, &CSkinSlider::positionSet};
};

}  // namespace

TEST_F(SkinSlider, PressFarFromTheThumbJumpsThereAndDraggingStopsAtTheEnds) {
    QTest::mousePress(&slider_, Qt::LeftButton, {}, At(60));
    EXPECT_EQ(Take(tracked_), std::vector<int>{55});
    QTest::mouseMove(&slider_, At(400));
    QTest::mouseMove(&slider_, At(500));
    QTest::mouseMove(&slider_, At(-80));
    QTest::mouseRelease(&slider_, Qt::LeftButton, {}, At(-80));
    EXPECT_EQ(Take(tracked_), (std::vector<int>{100, 0}))
        << "held at the ends; a move that does not shift the thumb reports nothing";
    EXPECT_EQ(Take(set_), std::vector<int>{0});

    // a press on the thumb keeps the point it was taken by: no jump
    slider_.SetPos(40);  // centre at x = 45
    QTest::mousePress(&slider_, Qt::LeftButton, {}, At(48));
    EXPECT_EQ(ShownAt(45), kThumbDragged);
    QTest::mouseMove(&slider_, At(60));
    QTest::mouseRelease(&slider_, Qt::LeftButton, {}, At(60));
    EXPECT_EQ(Take(tracked_), std::vector<int>{52});
    EXPECT_EQ(Take(set_), std::vector<int>{52});
    EXPECT_EQ(ShownAt(57), kThumb);
}

TEST_F(SkinSlider, EveryKeyReportsThePositionItLeadsTo) {
    slider_.setFocus();
    slider_.SetPos(90);
    for (const Qt::Key key :
         {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_Left, Qt::Key_Right,
          Qt::Key_Down, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Up}) {
        QTest::keyClick(&slider_, key);
    }
    EXPECT_EQ(Take(set_), (std::vector<int>{100, 100, 0, 0, 1, 2, 0, 100, 99}));
    EXPECT_TRUE(Take(tracked_).empty());
}

TEST_F(SkinSlider, TheTrackFillsUpToTheThumb) {
    slider_.SetPos(50);  // centre at x = 55
    EXPECT_EQ(ShownAt(20), kFill);
    EXPECT_EQ(ShownAt(55), kThumb);
    EXPECT_EQ(ShownAt(90), kChannel);
    EXPECT_EQ(ShownAt(90, 0), kFace) << "the channel's blue shows the face";
}

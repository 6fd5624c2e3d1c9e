#include "skin/CSkinButton.h"

#include <gtest/gtest.h>

#include <QTest>

#include "WidgetTestKit.h"

using namespace WidgetTestKit;

namespace {

const QColor kUp(70, 70, 80);
const QColor kDown(200, 200, 60);
const QPoint kInside(10, 10);

class SkinButton : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host_.LoadBackground(SaveBitmap("bg.bmp", Filled({200, 100}, Qt::white))));
        ASSERT_TRUE(button_.LoadBitmaps(SaveBitmap("up.bmp", Filled({30, 20}, kUp)),
                                        SaveBitmap("dn.bmp", Filled({30, 20}, kDown)), {},
                                        CSkinButton::Kind::PushButton, false));
        button_.move(20, 20);
        ASSERT_TRUE(ShowAndWait(host_));
    }

    QColor Shown() { return host_.grab().toImage().pixelColor(button_.geometry().center()); }

    TestFace host_;
    CSkinButton button_{&host_};
    QSignalSpy clicks_{&button_, &CSkinButton::clicked};
};

}  // namespace

TEST_F(SkinButton, PushButtonClicksOnlyOnAReleaseOverIt) {
    QTest::mousePress(&button_, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(button_.GetState(), CSkinButton::kDown);
    EXPECT_EQ(Shown(), kDown);
    EXPECT_TRUE(clicks_.isEmpty()) << "a push button clicks on the release";
    QTest::mouseRelease(&button_, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(Take(clicks_).size(), 1u);
    EXPECT_EQ(Shown(), kUp);

    // dragged off while pressed and released elsewhere: no click, the button is up
    QTest::mousePress(&button_, Qt::LeftButton, {}, kInside);
    QTest::mouseMove(&button_, QPoint(80, 10));
    EXPECT_EQ(button_.GetState(), CSkinButton::kUp);
    EXPECT_EQ(Shown(), kUp);
    QTest::mouseRelease(&button_, Qt::LeftButton, {}, QPoint(80, 10));
    EXPECT_TRUE(clicks_.isEmpty());

    // dragged off and back: the release over the button clicks, its far edges included
    QTest::mousePress(&button_, Qt::LeftButton, {}, kInside);
    QTest::mouseMove(&button_, QPoint(-15, 10));
    QTest::mouseMove(&button_, QPoint(30, 20));
    QTest::mouseRelease(&button_, Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_EQ(Take(clicks_).size(), 1u);
}

TEST_F(SkinButton, DisabledButtonShowsItsUpBitmapAndTakesNoClick) {
    button_.SetState(CSkinButton::kDisabled);
    EXPECT_FALSE(button_.isEnabled());
    EXPECT_EQ(Shown(), kUp);
    QTest::mouseClick(&button_, Qt::LeftButton, {}, kInside);
    EXPECT_TRUE(clicks_.isEmpty());
    button_.setEnabled(true);
    EXPECT_EQ(button_.GetState(), CSkinButton::kUp);
    QTest::mouseClick(&button_, Qt::LeftButton, {}, kInside);
    // the keyboard clicks too; a state set from code (a window showing the mute state) does not
    button_.setFocus();
    QTest::keyClick(&button_, Qt::Key_Space);
    button_.SetState(CSkinButton::kDown);
    button_.SetState(CSkinButton::kUp);
    EXPECT_EQ(clicks_.size(), 2);

    // removed, then bitmaps that cannot be loaded: hidden and without a size
    button_.SetState(CSkinButton::kRemoved);
    EXPECT_FALSE(button_.isVisible());
    EXPECT_FALSE(
        button_.LoadBitmaps("no_up.bmp", "no_dn.bmp", {}, CSkinButton::Kind::PushButton, true));
    EXPECT_EQ(button_.size(), QSize(0, 0));
}

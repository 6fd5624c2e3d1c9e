#include "skin/CSkinDialog.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
#include <QTest>

#include "WidgetTestKit.h"
#include "platform/Screen.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinStatic.h"
#include "skin/ColorKey.h"
#include "support/Await.h"

using namespace WidgetTestKit;

namespace {

const QColor kStripeA(210, 220, 230);
const QColor kStripeB(120, 150, 90);
const QColor kBelow(230, 0, 200);
const QColor kButtonFace(70, 70, 80);
const QRgb kBlue = kSkinColorKey;

// Counts the presses a window receives.
class PressCounter : public QObject {
public:
    explicit PressCounter(QObject* watched) { watched->installEventFilter(this); }
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        presses += event->type() == QEvent::MouseButtonPress ? 1 : 0;
        return false;
    }
};

// pure blue left of x = 50, two-colour stripes right of it
QImage StripedFace(QSize size) {
    QImage face = Filled(size, kStripeA);
    QPainter painter(&face);
    for (int x = 50; x < size.width(); x += 4) {
        painter.fillRect(QRect(x, 0, 2, size.height()), kStripeB);
    }
    painter.fillRect(QRect(0, 0, 50, size.height()), QColor::fromRgb(kBlue));
    return face;
}

}  // namespace

// A desktop without a compositor cuts the outline by a shape; one with a compositor (xcompmgr)
// draws the blue pixels fully transparent.
class EitherX11Desktop : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) {
            compositor_.start("xcompmgr");
            ASSERT_TRUE(Await(DesktopShowsTranslucency)) << "the compositor runs";
        }
    }
    void TearDown() override {
        compositor_.kill();
        compositor_.waitForFinished();
    }
    QProcess compositor_;
};

TEST_P(EitherX11Desktop, BluePixelsShowAndPassClicksToTheWindowBelow) {
    ParkPointer();
    const QRect place(200, 200, 150, 90);
    QWidget below(nullptr, Qt::FramelessWindowHint);
    below.setStyleSheet(QStringLiteral("background: %1").arg(kBelow.name()));
    below.setGeometry(place.adjusted(-20, -20, 20, 20));
    PressCounter belowPresses(&below);
    ASSERT_TRUE(ShowAndWait(below));

    TestFace face;
    face.SetDragEnabled(false);
    PressCounter facePresses(&face);
    const QImage faceImage = StripedFace(place.size());
    ASSERT_TRUE(face.LoadBackground(SaveBitmap("face_bg.bmp", faceImage)));
    EXPECT_EQ(face.size(), place.size());
    face.move(place.topLeft());
    ASSERT_TRUE(face.SetColorKeyTransparency(kBlue, true));
    // a button with a blue border, half over the face's blue
    QImage buttonImage = Filled({30, 20}, QColor::fromRgb(kBlue));
    QPainter(&buttonImage).fillRect(QRect(3, 3, 24, 14), kButtonFace);
    CSkinButton button(&face);
    button.SetBitmaps(buttonImage, buttonImage, {}, CSkinButton::Kind::PushButton, false);
    button.SetTransparentColor(kBlue);
    button.move(40, 30);
    ASSERT_TRUE(ShowAndWait(face));
    EXPECT_EQ(face.testAttribute(Qt::WA_TranslucentBackground), GetParam());

    const auto onScreen = [&](int x, int y) { return ScreenPixel(face.mapToGlobal(QPoint(x, y))); };
    ASSERT_TRUE(Await([&] { return onScreen(100, 70) == faceImage.pixelColor(100, 70); }));
    EXPECT_EQ(onScreen(20, 70), kBelow);
    EXPECT_EQ(onScreen(55, 40), kButtonFace);
    // the button's blue shows the face's stripes behind it, or, where the face is blue, the window
    // below
    for (const int x : {64, 66}) {
        EXPECT_EQ(onScreen(x, 31), faceImage.pixelColor(x, 31)) << x;
    }
    EXPECT_EQ(onScreen(41, 31), kBelow);

    // (a click raises the window it lands on: the face first, while it is the one on top)
    ASSERT_TRUE(RealClick(face.mapToGlobal(QPoint(100, 70))));
    ASSERT_TRUE(Await([&] { return facePresses.presses == 1; }));
    ASSERT_TRUE(RealClick(face.mapToGlobal(QPoint(20, 70))));
    ASSERT_TRUE(Await([&] { return belowPresses.presses == 1; }));
    EXPECT_EQ(facePresses.presses, 1);
}

INSTANTIATE_TEST_SUITE_P(SkinDialog, EitherX11Desktop, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "Composited" : "Shaped";
                         });

TEST(SkinDialog, PressesNoControlTakesMoveTheWindowWithoutAWindowManagerMove) {
    TestFace face;  // its window manager offers no move: the face follows the pointer
    ASSERT_TRUE(face.LoadBackground(SaveBitmap("face_bg.bmp", Filled({200, 100}, kStripeA))));
    face.move(100, 100);
    CSkinStatic label(&face);
    label.setGeometry(10, 10, 80, 20);
    CSkinButton button(&face);
    button.SetBitmaps(Filled({30, 20}, Qt::gray), Filled({30, 20}, Qt::darkGray), {},
                      CSkinButton::Kind::PushButton, false);
    button.move(120, 40);
    ASSERT_TRUE(ShowAndWait(face));
    const QPoint moved = face.pos() + QPoint(30, 20);

    // the label takes no press: it reaches the window, which follows the pointer to the release
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&label, QPoint(35, 25));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(35, 25));
    EXPECT_EQ(face.pos(), moved);
    // a button keeps its press and the window stays where it is
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&button, QPoint(60, 50));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(60, 50));
    EXPECT_EQ(face.pos(), moved);
}

TEST(SkinDialog, TheOutlineAndTheSeeThroughPixelsAgreeWhateverThePixelsAlphaByteHolds) {
    // an image Qt calls opaque whose raw bytes carry 0 in the alpha byte, as a decoder may leave
    QImage image(4, 2, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] = x < 2 ? (kSkinColorKey & 0x00FFFFFFu) : 0x00FF0000u;
        }
    }
    const QRegion opaque = OpaqueRegion(image, kSkinColorKey);
    EXPECT_EQ(opaque, QRegion(2, 0, 2, 2));
    const QImage keyed = WithKeyTransparent(image, kSkinColorKey);
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
    EXPECT_FALSE(opaque.contains(QPoint(0, 0)));
}

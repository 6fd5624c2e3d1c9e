// What the listener sees of the skinned windows on the desktop itself, on whichever desktop the
// test runs (an X11 one without a compositor, or Wayland): pictures of the whole screen show the
// desktop, never the skin's key colour, where the skin cuts the window's outline.
#include <gtest/gtest.h>

#include <QTest>

#include "FaceRun.h"
#include "dialogs/CLoginDlg.h"
#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"
#include "support/Await.h"
#include "support/DesktopShot.h"
#include "support/FaceParts.h"
#include "windows/CMainDlg.h"
#include "windows/CMiniDlg.h"

namespace {

using DesktopLook = FaceRun;

// Finds the window on a picture of the desktop and looks at every pixel its skin cuts away.
void ExpectDesktopWhereTheSkinIsCut(CSkinDialog& window) {
    const QImage keyed = QImage(window.BackgroundPath()).scaled(window.size());
    ASSERT_EQ(keyed.pixel(0, 0) | 0xFF000000u, kSkinColorKey) << "a skin with cut corners";
    QImage shot;
    std::optional<QPoint> at;
    ASSERT_TRUE(Await(
        [&] {
            shot = DesktopShot::Take();
            at = DesktopShot::Find(shot, window);
            return at.has_value();
        },
        30000))
        << window.BackgroundPath().toStdString() << " is on the desktop";
    int cutPixels = 0;
    int keyShown = 0;
    for (int y = 0; y < keyed.height(); ++y) {
        for (int x = 0; x < keyed.width(); ++x) {
            if ((keyed.pixel(x, y) | 0xFF000000u) == kSkinColorKey) {
                ++cutPixels;
                keyShown += (shot.pixel(*at + QPoint(x, y)) | 0xFF000000u) == kSkinColorKey;
            }
        }
    }
    EXPECT_GT(cutPixels, 3);
    EXPECT_EQ(keyShown, 0) << window.BackgroundPath().toStdString();
}

}  // namespace

TEST_F(DesktopLook, TheLogInAndBothFacesInEitherSkinShowTheDesktopWhereTheSkinIsCut) {
    Start();
    {
        CLoginDlg login(program_, *program_.webRequest);
        login.open();
        ExpectDesktopWhereTheSkinIsCut(login);
    }
    Run([&](CMainDlg& window) {
        ExpectDesktopWhereTheSkinIsCut(window);
        QTest::mouseClick(FaceParts::Button(window, FaceButton::Mini), Qt::LeftButton, {},
                          QPoint(2, 2));
        ASSERT_TRUE(
            Await([] { return FaceParts::Mini() != nullptr && FaceParts::Mini()->isVisible(); }));
        ExpectDesktopWhereTheSkinIsCut(*FaceParts::Mini());

        // the other skin, worn by the mini face and then by the main face on its return
        FaceParts::Mini()->SwitchSkin("Midnight");
        ASSERT_TRUE(Await([&] { return program_.skin.Name() == "Midnight"; }));
        ExpectDesktopWhereTheSkinIsCut(*FaceParts::Mini());
        QTest::mouseClick(FaceParts::Mini()->Button(FaceButton::Main), Qt::LeftButton, {},
                          QPoint(2, 2));
        ASSERT_TRUE(Await([&] { return window.isVisible(); }));
        ExpectDesktopWhereTheSkinIsCut(window);
    });
    CLoginDlg login(program_, *program_.webRequest);
    login.open();
    ExpectDesktopWhereTheSkinIsCut(login);
}

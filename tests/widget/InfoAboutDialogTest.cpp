#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>

#include "DialogTestKit.h"
#include "WidgetTestKit.h"
#include "content/Program.h"
#include "dialogs/CAboutDlg.h"
#include "platform/DesktopOpen.h"
#include "platform/StringTable.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinStatic.h"
#include "support/Await.h"
#include "web/CWebLauncher.h"

using namespace Qt::StringLiterals;
using namespace WidgetTestKit;

namespace {

class InfoAndAbout : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(u"./Skins/Bare"_s);
        DialogTestKit::LinkShippedSkins();
        ASSERT_TRUE(program_.skin.Load(u"Quilo2"_s));
        StringTable::SetKorean(false);
        face_.LoadBackground(SaveBitmap(u"face.bmp"_s, Filled(QSize(300, 200), Qt::darkGray)));
        SetDesktopOpener([this](const QString& address) {
            opened_ << address;
            return true;
        });
    }
    void TearDown() override { SetDesktopOpener({}); }

    Program program_;
    TestFace face_;
    QStringList opened_;
};

}  // namespace

TEST_F(InfoAndAbout, TheAboutDialogInBothLooksOpensTheSiteFromItsLinkAreaOnly) {
    face_.move(100, 120);
    ASSERT_TRUE(ShowAndWait(face_));
    const CWebLauncher web({program_.config.webServer, program_.config.mainSite},
                           program_.config.domain);
    for (const char* skin : {"Quilo2", "Bare"}) {
        SCOPED_TRACE(skin);
        program_.skin.SetName(QString::fromLatin1(skin));
        const bool skinned = program_.skin.Name() == u"Quilo2"_s;
        CAboutDlg about(program_, web, &face_);
        about.SetDragEnabled(false);
        ASSERT_TRUE(ShowAndWait(about));
        EXPECT_EQ(about.IsSkinned(), skinned);
        EXPECT_EQ(about.frameGeometry().topLeft(), QPoint(400, 120)) << "right of the face";
        EXPECT_TRUE(about.VersionLabel().text().startsWith(u"Version 2.01\n"_s));
        EXPECT_EQ(about.VersionLabel().text().count(u'\n'), 2);

        opened_.clear();
        // a press on the link starts the window's move; the site opens when the move ends, on
        // the release, also when the pointer has left the link meanwhile
        about.SetDragEnabled(true);
        const QPoint link = about.mapToGlobal(about.LinkArea().center());
        ASSERT_TRUE(RealMove(link) && RealButton(true));
        ASSERT_TRUE(Await([] { return QGuiApplication::mouseButtons() == Qt::LeftButton; }));
        ASSERT_TRUE(RealMove(link + QPoint(80, 50)));
        EXPECT_TRUE(opened_.isEmpty()) << "not on the press";
        ASSERT_TRUE(RealButton(false));
        about.SetDragEnabled(false);
        ASSERT_TRUE(RealClick(about.mapToGlobal(QPoint(10, 100))));
        ASSERT_TRUE(Await([&] { return !opened_.isEmpty(); }));
        EXPECT_EQ(opened_, QStringList{program_.config.webServer}) << "the site, once";
        ASSERT_TRUE(DialogTestKit::RealClickOn(about.OkButton()));
        EXPECT_TRUE(Await([&] { return about.isHidden(); }));
        EXPECT_EQ(about.result(), QDialog::Accepted);
    }
}

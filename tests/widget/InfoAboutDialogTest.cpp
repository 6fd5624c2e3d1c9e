#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QTest>

#include "DialogTestKit.h"
#include "WidgetTestKit.h"
#include "content/Program.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CInfoDlg.h"
#include "platform/DesktopOpen.h"
#include "platform/StringTable.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinEdit.h"
#include "skin/CSkinStatic.h"
#include "support/Await.h"
#include "support/OnAir.h"
#include "web/CWebLauncher.h"

using namespace WidgetTestKit;

namespace {

class InfoAndAbout : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(QStringLiteral("./Skins/Bare"));
        DialogTestKit::LinkShippedSkins();
        ASSERT_TRUE(program_.skin.Load(QStringLiteral("Quilo2")));
        StringTable::SetKorean(false);
        face_.LoadBackground(
            SaveBitmap(QStringLiteral("face.bmp"), Filled(QSize(300, 200), Qt::darkGray)));
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

QPoint Global(const QWidget& window, const QPoint& local) {
    return window.mapToGlobal(local);
}

}  // namespace

TEST_F(InfoAndAbout, TheInfoDialogSitsLeftOfTheFaceShowsTheProgramOnceAndOnlyItsButtonClosesIt) {
    face_.move(500, 120);
    ASSERT_TRUE(ShowAndWait(face_));
    ReadOnAir(program_.player, [&](AppState& onAir) {
        onAir.title = QStringLiteral("Morning Jazz");
        onAir.contents = QStringLiteral("First line\r\nSecond line");
    });
    QPointer<CInfoDlg> info = new CInfoDlg(program_, &face_, &face_);
    info->SetDragEnabled(false);
    ASSERT_TRUE(info->Open());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(info));
    EXPECT_EQ(info->frameGeometry().topRight(), QPoint(499, 120)) << "left of the face";
    ASSERT_TRUE(Await([&] { return !info->Title().text().isEmpty(); }));
    EXPECT_EQ(info->Title().text(), QStringLiteral("Morning Jazz"));
    EXPECT_EQ(info->Description().toPlainText(), QStringLiteral("First line\nSecond line"));
    ReadOnAir(program_.player, [&](AppState& onAir) { onAir.title = QStringLiteral("Noon News"); });
    QTest::keyClick(info, Qt::Key_Escape);
    QTest::keyClick(info, Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_FALSE(info.isNull());
    EXPECT_TRUE(info->isVisible()) << "the keyboard does not close it";
    EXPECT_EQ(info->Title().text(), QStringLiteral("Morning Jazz")) << "taken once";

    ASSERT_TRUE(RealClick(Global(info->CloseButton(), info->CloseButton().rect().center())));
    EXPECT_TRUE(Await([&] { return info.isNull(); })) << "closed and gone";

    // near the screen's left edge it is pushed right to the edge
    face_.move(100, 120);
    QPointer<CInfoDlg> second = new CInfoDlg(program_, &face_, &face_);
    ASSERT_TRUE(second->Open());
    EXPECT_EQ(second->pos(), QPoint(0, 120));
    delete second;
}

TEST_F(InfoAndAbout, TheAboutDialogInBothLooksOpensTheSiteFromItsLinkAreaOnly) {
    face_.move(100, 120);
    ASSERT_TRUE(ShowAndWait(face_));
    const CWebLauncher web({program_.config.webServer, program_.config.mainSite},
                           program_.config.domain);
    for (const char* skin : {"Quilo2", "Bare"}) {
        SCOPED_TRACE(skin);
        program_.skin.SetName(QString::fromLatin1(skin));
        const bool skinned = program_.skin.Name() == QStringLiteral("Quilo2");
        CAboutDlg about(program_, web, &face_);
        about.SetDragEnabled(false);
        ASSERT_TRUE(ShowAndWait(about));
        EXPECT_EQ(about.IsSkinned(), skinned);
        EXPECT_EQ(about.frameGeometry().topLeft(), QPoint(400, 120)) << "right of the face";
        EXPECT_TRUE(about.VersionLabel().text().startsWith(QStringLiteral("Version 2.01\n")));
        EXPECT_EQ(about.VersionLabel().text().count(u'\n'), 2);

        opened_.clear();
        // a press on the link starts the window's move; the site opens when the move ends, on
        // the release, also when the pointer has left the link meanwhile
        about.SetDragEnabled(true);
        const QPoint link = Global(about, about.LinkArea().center());
        ASSERT_TRUE(RealMove(link) && RealButton(true));
        ASSERT_TRUE(Await([] { return QGuiApplication::mouseButtons() == Qt::LeftButton; }));
        ASSERT_TRUE(RealMove(link + QPoint(80, 50)));
        EXPECT_TRUE(opened_.isEmpty()) << "not on the press";
        ASSERT_TRUE(RealButton(false));
        about.SetDragEnabled(false);
        ASSERT_TRUE(RealClick(Global(about, QPoint(10, 100))));
        ASSERT_TRUE(Await([&] { return !opened_.isEmpty(); }));
        EXPECT_EQ(opened_, QStringList{program_.config.webServer}) << "the site, once";
        ASSERT_TRUE(RealClick(Global(about.OkButton(), about.OkButton().rect().center())));
        EXPECT_TRUE(Await([&] { return about.isHidden(); }));
        EXPECT_EQ(about.result(), QDialog::Accepted);
    }
}

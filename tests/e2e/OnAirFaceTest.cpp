// The main window fed by the program-table cycle for real, against a station of its own on its
// simulated clock: scheduled playback and the message board.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "FaceRun.h"
#include "platform/LogMessages.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "skin/CSkinButton.h"
#include "support/Await.h"
#include "support/DesktopShot.h"
#include "support/FaceParts.h"
#include "support/QtPrinting.h"
#include "windows/CMainDlg.h"
#include "windows/MessageEdit.h"

namespace {

constexpr int kTickWaitMs = 60000;

using OnAirFace = FaceRun;

}  // namespace

TEST_F(OnAirFace, AScheduledMinuteBringsTheWaitingFaceBackFromTheTrayAndPlays) {
    // started by the scheduler: the face waits in the tray, silent, until 09:30 on the server
    Start({"--clock-start", "2007-07-01T09:29:45"});
    program_.scheduledStart = true;
    program_.prefs.SetOptionSchedule(true);
    ScheduleBytes schedule;
    schedule.fill(0xFF);
    schedule[0] = 0x80 + 9;
    schedule[1] = 30;
    program_.prefs.SetSchedule(schedule);

    // seen as the listener sees it: without a tray on the desktop (Wayland here) the face waits
    // minimised instead
    const auto onDesktop = [](CMainDlg& window) {
        return DesktopShot::Find(DesktopShot::Take(), window).has_value();
    };
    Run([&](CMainDlg& window) {
        ASSERT_TRUE(Await([&] { return program_.player.Mode() == ViewMode::MainHidden; }));
        EXPECT_FALSE(onDesktop(window));
        ASSERT_TRUE(Await([&] { return Logged(LogText::kTimeDone) >= 1; }, 15000));
        EXPECT_FALSE(FaceParts::Only<CViewerDlg>(window).IsPlayRequested())
            << "nothing plays before its time";

        ASSERT_TRUE(
            Await([&] { return program_.player.Mode() == ViewMode::MainShown; }, kTickWaitMs));
        EXPECT_TRUE(Await([&] { return onDesktop(window); }))
            << "the scheduled minute brought the face back";
        EXPECT_TRUE(Await([&] { return FaceParts::Only<CViewerDlg>(window).IsPlaying(); }, 30000));
        EXPECT_TRUE(AwaitLevel([](double level) { return level > 0.2; }))
            << "the audio channel is heard";
    });
}

TEST_F(OnAirFace, AMessageReachesTheBoardByteExactAndEveryFailureKeepsTheText) {
    Start({"--clock-start", "2007-07-01T12:10:00"});
    program_.login = {"demo", "quilo2007", "홍길동"};
    Run([&](CMainDlg& window) {
        ASSERT_TRUE(
            Await([&] { return FaceParts::Button(window, FaceButton::Info)->isVisible(); }, 30000));
        MessageEdit& edit = *&FaceParts::Only<MessageEdit>(window);
        CSkinButton& send = *FaceParts::Button(window, FaceButton::Send);

        // the prompt is no message
        QTest::mouseClick(&send, Qt::LeftButton, {}, QPoint(4, 4));
        ASSERT_TRUE(Await([&] { return !shown_.empty(); }));
        EXPECT_EQ(shown_, std::vector<StringId>{StringId::kMessageEmpty});
        EXPECT_TRUE(edit.toPlainText().isEmpty());

        edit.setFocus();
        // Korean comes from the input method, committed syllable by syllable
        for (const QChar syllable : QStringLiteral("좋은 노래 고마워요")) {
            QInputMethodEvent typed;
            typed.setCommitString(syllable);
            QApplication::sendEvent(&edit, &typed);
        }
        edit.insertPlainText("\n똠방각하 신청합니다");
        const QString message = edit.toPlainText();
        EXPECT_EQ(FaceParts::Only<QLineEdit>(window).text(), "39/200") << "CR LF: two bytes";

        // answers that store nothing keep the text
        ASSERT_TRUE(station_->Control("/_station/fault?name=board&answer=4"));
        shown_.clear();
        QTest::mouseClick(&send, Qt::LeftButton, {}, QPoint(4, 4));
        ASSERT_TRUE(Await([&] { return !shown_.empty(); }));
        EXPECT_EQ(shown_, std::vector<StringId>{StringId::kNoUserName});
        EXPECT_EQ(edit.toPlainText(), message);

        ASSERT_TRUE(station_->Control("/_station/fault?name=board&answer=1"));
        shown_.clear();
        // an answer the board never gives runs out the wait
        QTest::mouseClick(&send, Qt::LeftButton, {}, QPoint(4, 4));
        ASSERT_TRUE(Await([&] { return !shown_.empty(); }));
        EXPECT_EQ(shown_, std::vector<StringId>{StringId::kSendFailed});
        EXPECT_EQ(edit.toPlainText(), message);

        ASSERT_TRUE(station_->Control("/_station/fault?name=clear"));
        // the good news in the real box, which has no icon
        SetMessageAnswerer({});
        QMessageBox::Icon icon = QMessageBox::Warning;
        QString told;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                icon = box->icon();
                told = box->text();
                box->accept();
            }
        });
        watch.start(10);
        // a second press before the board answers sends nothing more
        QTest::mouseClick(&send, Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseClick(&send, Qt::LeftButton, {}, QPoint(4, 4));
        ASSERT_TRUE(Await([&] { return !told.isEmpty(); }));
        EXPECT_EQ(told, StringTable::Load(StringId::kMessageSent));
        EXPECT_EQ(icon, QMessageBox::NoIcon);
        EXPECT_TRUE(edit.toPlainText().isEmpty());
        EXPECT_EQ(FaceParts::Only<QLineEdit>(window).text(), "0/200");
    });
    const QJsonArray stored =
        QJsonDocument::fromJson(station_->Get(StationProcess::kControl, "/_station/messages").body)
            .array();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0]["contents"].toString(), "좋은 노래 고마워요\r\n똠방각하 신청합니다");
    EXPECT_EQ(stored[0]["writer"].toString(), "홍길동");
    EXPECT_EQ(stored[0]["progcd"].toString(), program_.player.OnAir().programCode);
}

#include "windows/CMainDlg.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "content/Program.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "skin/CTickerCtrl.h"
#include "support/Await.h"
#include "support/LogReading.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "windows/UserMessages.h"

namespace {

QString Shipped(const QString& skin) {
    return TestEnvironment::SourceDir() + QStringLiteral("/Skins/") + skin;
}

// A copy of the default skin whose description is replaced key by key.
void MakeVariantSkin(const QString& name, const std::map<QByteArray, QByteArray>& changes) {
    const QString folder = QStringLiteral("./Skins/") + name;
    QDir().mkpath(folder);
    for (const QString& file : QDir(Shipped(QStringLiteral("Quilo2"))).entryList(QDir::Files)) {
        QFile::copy(Shipped(QStringLiteral("Quilo2")) + u'/' + file, folder + u'/' + file);
    }
    QFile ini(folder + QStringLiteral("/skininfo.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    for (const auto& [key, line] : changes) {
        const qsizetype at = text.indexOf(key);
        ASSERT_GE(at, 0) << key.toStdString();
        const qsizetype end = text.indexOf("\r\n", at) + 2;
        text.replace(at, end - at, line.isEmpty() ? QByteArray() : line + "\r\n");
    }
    QFile::remove(ini.fileName());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(text);
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(QStringLiteral("./Skins"));
        for (const char* skin : {"Quilo2", "Midnight"}) {
            QFile::link(Shipped(QString::fromLatin1(skin)),
                        QStringLiteral("./Skins/") + QString::fromLatin1(skin));
        }
        StringTable::SetKorean(false);
        SetMessageAnswerer([this](int id, const QString&) {
            messages_.push_back(id);
            return answer_;
        });
    }

    // Runs the main window as the program does and `body` while it is open; the window then
    // ends as the close command would and the test sees what it left behind.
    void RunMainWindow(const QString& skin, const std::function<void(CMainDlg&)>& body) {
        ASSERT_TRUE(program_.skin.Load(skin));
        CMainDlg window(program_);
        QTimer::singleShot(0, &window, [&] {
            body(window);
            window.CloseWithoutAsking();
        });
        window.DoModal();
    }

    QStringList LogMessages() const { return LoggedMessages(program_.log.FileName()); }

    Program program_;
    std::vector<int> messages_;
    int answer_ = IDYES;
};

bool Started(CMainDlg& window) {
    return Await([&] { return window.Viewer()->GetFlags() & CViewerDlg::kCreated; });
}

}  // namespace

TEST_F(MainWindow, TheSkinPlacesEveryControlAndTheProgramButtonsWaitForAProgram) {
    RunMainWindow(QStringLiteral("Quilo2"), [&](CMainDlg& window) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_EQ(window.size(), QSize(300, 476));
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Quilo"));
        EXPECT_EQ(window.Button(CMainDlg::kPlayButton)->pos(), QPoint(16, 218));
        EXPECT_TRUE(window.Button(CMainDlg::kPlayButton)->isVisible());
        EXPECT_EQ(window.VolumeSlider()->pos(), QPoint(152, 231));
        EXPECT_EQ(window.Ticker()->geometry(), QRect(18, 188, 264, 20));
        EXPECT_EQ(window.MessageEdit()->geometry(), QRect(18, 372, 264, 58));
        EXPECT_EQ(window.MessageEdit()->toPlainText(), StringTable::Load(117));
        EXPECT_EQ(window.CounterEdit()->text(), QStringLiteral("0/200"));
        EXPECT_FALSE(window.Button(CMainDlg::kInfoButton)->isVisible());
        EXPECT_FALSE(window.Button(CMainDlg::kViewButton)->isVisible());
        EXPECT_EQ(window.Button(CMainDlg::kViewButton)->pos(), QPoint(156, 154));
        EXPECT_EQ(window.Button(CMainDlg::kPlayButton)->toolTip(), QStringLiteral("Play"));

        program_.state.hasVfm = 1;
        SendMessage(&window, UM_PROGRAM_CHANGED);
        EXPECT_TRUE(window.Button(CMainDlg::kInfoButton)->isVisible());
        EXPECT_TRUE(window.Button(CMainDlg::kViewButton)->isVisible());
        SendMessage(&window, UM_PROGRAM_CLEARED);
        EXPECT_FALSE(window.Button(CMainDlg::kInfoButton)->isVisible());
        EXPECT_FALSE(window.Button(CMainDlg::kViewButton)->isVisible());
        EXPECT_EQ(window.Ticker()->GetLastItem(), StringTable::Load(120));
    });
}

TEST_F(MainWindow, MissingKeysHideTheirControlsAndEditColoursNeverTakeBlueZero) {
    MakeVariantSkin(QStringLiteral("Variant"), {{"[MAIN_EDIT]", ""},
                                                {"[MAIN_EDIT_COL]", "[MAIN_EDIT_COL]=0,0,0"},
                                                {"[MAIN_LENG_COL]", "[MAIN_LENG_COL]=10,20,0"},
                                                {"[MAIN_SCR_COL]", "[MAIN_SCR_COL]=0,0,0"},
                                                {"[MAIN_STOP]", ""}});
    RunMainWindow(QStringLiteral("Variant"), [&](CMainDlg& window) {
        EXPECT_FALSE(window.MessageEdit()->isVisible());
        EXPECT_FALSE(window.Button(CMainDlg::kStopButton)->isVisible());
        EXPECT_TRUE(window.Button(CMainDlg::kPlayButton)->isVisible());
        EXPECT_EQ(window.EditColor(), QColor(0, 0, 1));
        EXPECT_EQ(window.CounterColor(), QColor(10, 20, 1));
    });
}

TEST_F(MainWindow, OpensAtTheLoginPlaceOrTheSavedOneKeptOnTheScreen) {
    const QRect area = AvailableScreenArea();
    program_.prefs.SetPosX(100000);
    program_.prefs.SetPosY(100000);
    RunMainWindow(QStringLiteral("Quilo2"), [&](CMainDlg& window) {
        EXPECT_EQ(window.pos(), QPoint(area.right() + 1 - 300, area.bottom() + 1 - 476));
    });
    program_.prefs.SetPosX(static_cast<uint32_t>(-40));
    program_.prefs.SetPosY(50);
    RunMainWindow(QStringLiteral("Quilo2"), [&](CMainDlg& window) {
        EXPECT_EQ(window.pos(), QPoint(-40, 50)) << "no lower bound: partly off the left edge";
    });
    program_.loginPosition = QPoint(120, 130);
    RunMainWindow(QStringLiteral("Quilo2"),
                  [&](CMainDlg& window) { EXPECT_EQ(window.pos(), QPoint(120, 130)); });
    uint32_t savedX = 0;
    program_.prefs.GetPosX(savedX);
    EXPECT_EQ(savedX, 120u) << "the place is saved when the window ends";
}

TEST_F(MainWindow, StartsPlayingTheAudioChannelAtTheSavedVolumeOrTwenty) {
    program_.prefs.SetVolume(0);
    RunMainWindow(QStringLiteral("Quilo2"), [&](CMainDlg& window) {
        ASSERT_TRUE(Started(window));
        EXPECT_EQ(window.FmUrl(), QStringLiteral("mms://127.0.0.1:8080/L-FM_300k"));
        EXPECT_EQ(window.VfmUrl(), QStringLiteral("mms://127.0.0.1:8080/L-VFM_300k"));
        EXPECT_EQ(window.VolumeSlider()->GetPos(), 20);
        EXPECT_EQ(window.Viewer()->GetVolume(), 20);
        EXPECT_FALSE(window.Viewer()->GetFlags() & CViewerDlg::kMuted);
        EXPECT_TRUE(window.Viewer()->GetFlags() & CViewerDlg::kPlaying);
        EXPECT_EQ(window.Ticker()->GetLastItem(), StringTable::Load(119));

        PostMessage(&window, UM_SLIDER_SET, CMainDlg::kVolumeSlider, 65);
        ASSERT_TRUE(Await([&] { return window.Viewer()->GetVolume() == 65; }));
        window.VolumeSlider()->SetPos(65);
        PostMessage(&window, UM_SKINBUTTON_CLICK, CMainDlg::kMuteButton, 2);
        ASSERT_TRUE(Await([&] { return window.Viewer()->GetFlags() & CViewerDlg::kMuted; }));
        PostMessage(&window, UM_SKINBUTTON_CLICK, CMainDlg::kMuteButton, 1);
        ASSERT_TRUE(Await([&] { return !(window.Viewer()->GetFlags() & CViewerDlg::kMuted); }));
    });
    EXPECT_EQ(LogMessages().mid(0, 2),
              (QStringList{QStringLiteral("TRY to play."), QStringLiteral("SUXES to play.")}));
    uint32_t volume = 0;
    program_.prefs.GetVolume(volume);
    EXPECT_EQ(volume, 65u);
}

TEST_F(MainWindow, AScheduledStartWithTheMiniOptionWaitsSilentlyInTheTray) {
    program_.scheduledStart = 1;
    program_.prefs.SetOptionMini(1);
    RunMainWindow(QStringLiteral("Quilo2"), [&](CMainDlg& window) {
        ASSERT_TRUE(Started(window));
        ASSERT_TRUE(Await([&] { return program_.viewMode == kViewMiniHidden; }));
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(window.MiniWindow()->isVisible());
        EXPECT_FALSE(window.Viewer()->GetFlags() & CViewerDlg::kPlaying);
        EXPECT_FALSE(LogMessages().contains(QStringLiteral("TRY to play.")));

        // the schedule fires: the mini face comes back and plays
        SendMessage(&window, UM_SCHEDULE_FIRE);
        EXPECT_EQ(program_.viewMode, kViewMiniShown);
        EXPECT_TRUE(window.MiniWindow()->isVisible());
        EXPECT_TRUE(window.Viewer()->GetFlags() & CViewerDlg::kPlaying);
    });
    int mini = 0;
    program_.prefs.GetOptionMini(mini);
    EXPECT_EQ(mini, 1);
}

TEST_F(MainWindow, HideAndShowMoveBetweenTheFirstTwoViewModesThroughTheTray) {
    RunMainWindow(QStringLiteral("Quilo2"), [&](CMainDlg& window) {
        ASSERT_TRUE(program_.tray.IsEnabled()) << "the test display has a tray";
        SendMessage(&window, UM_SKINBUTTON_CLICK, CMainDlg::kHideButton, 0);
        EXPECT_EQ(program_.viewMode, kViewMainHidden);
        EXPECT_FALSE(window.isVisible());
        // a double click on the tray icon asks for the face again
        SendMessage(&window, UM_TRAY_NOTIFY, 124, 0x203);
        ASSERT_TRUE(Await([&] { return program_.viewMode == kViewMainShown; }));
        EXPECT_TRUE(window.isVisible());
        SendMessage(&window, UM_ACTIVATE_INSTANCE);
        EXPECT_EQ(program_.viewMode, kViewMainShown);
        EXPECT_EQ(SendMessage(&window, UM_TRAY_NOTIFY, 125, 0x203), 0) << "not our icon";
    });
}

TEST_F(MainWindow, ClosingWithTheScheduleOnAsksFirst) {
    program_.prefs.SetOptionSchedule(1);
    ASSERT_TRUE(program_.skin.Load(QStringLiteral("Quilo2")));
    CMainDlg window(program_);
    QTimer::singleShot(0, &window, [&] {
        ASSERT_TRUE(Started(window));
        ASSERT_TRUE(Await([&] { return program_.scheduleOption == 1; }));
        answer_ = IDNO;
        window.OnCommand(32776);
        EXPECT_EQ(messages_, std::vector<int>{142});
        EXPECT_TRUE(window.IsInModalRun()) << "the listener said no";
        answer_ = IDYES;
        window.OnCommand(32776);
    });
    window.DoModal();
    EXPECT_EQ(messages_, (std::vector<int>{142, 142}));
}

TEST_F(MainWindow, ASkinThatCannotBeAppliedGivesWayToThePreviousOne) {
    MakeVariantSkin(QStringLiteral("Broken"), {});
    QFile::remove(QStringLiteral("./Skins/Broken/main_bg.bmp"));
    RunMainWindow(QStringLiteral("Quilo2"), [&](CMainDlg& window) {
        SendMessage(&window, UM_CHANGE_SKIN, 0, 0, QStringLiteral("Broken"));
        EXPECT_EQ(messages_, std::vector<int>{106});
        EXPECT_EQ(program_.skin.Name(), QStringLiteral("Quilo2"));
        EXPECT_EQ(window.size(), QSize(300, 476));

        SendMessage(&window, UM_CHANGE_SKIN, 0, 0, QStringLiteral("Midnight"));
        EXPECT_EQ(program_.skin.Name(), QStringLiteral("Midnight"));
        EXPECT_NE(window.size(), QSize(300, 476));
        QString saved;
        program_.prefs.GetSkin(saved);
        EXPECT_EQ(saved, QStringLiteral("Midnight"));
    });
}

TEST_F(MainWindow, EnterAndEscapeInTheMessageEditNeitherSendNorClose) {
    RunMainWindow(QStringLiteral("Quilo2"), [&](CMainDlg& window) {
        window.MessageEdit()->setPlainText(QStringLiteral("hello"));
        window.MessageEdit()->setFocus();
        QTest::keyClick(window.MessageEdit(), Qt::Key_Return);
        QTest::keyClick(window.MessageEdit(), Qt::Key_Escape);
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_EQ(window.MessageEdit()->toPlainText(), QStringLiteral("hello"));
        EXPECT_TRUE(window.IsInModalRun());
    });
}

TEST_F(MainWindow, TheContextMenuOpensAboveTheClickAndGreysSeeingRadioWithoutVideo) {
    RunMainWindow(QStringLiteral("Quilo2"), [&](CMainDlg& window) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QPoint click = window.mapToGlobal(QPoint(150, 400));
        QMenu* shown = nullptr;
        QTimer::singleShot(0, &window, [&] {
            ASSERT_TRUE(Await([&] {
                return (shown = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr;
            }));
            EXPECT_EQ(shown->geometry().top(), click.y() - 180);
            for (QAction* item : shown->actions()) {
                if (item->text() == StringTable::Load(109)) {
                    EXPECT_FALSE(item->isEnabled()) << "no visual stream on air";
                }
            }
            shown->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(150, 400), click);
        QApplication::sendEvent(&window, &event);
        EXPECT_NE(shown, nullptr);
    });
}

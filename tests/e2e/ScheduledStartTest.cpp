// A scheduled start from end to end: a minute scheduled in the settings, the companion writing the
// timer a user manager would run, the program started by that timer's command playing at the
// minute on the station's clock, and the schedule switched off removing the timer again. The
// user manager is a recording stand-in: the test never touches the real one.
#include <gtest/gtest.h>

#include "support/QtPrinting.h"
#include "support/SavedPassword.h"

#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>

#include "DialogTestKit.h"
#include "StationProcess.h"
#include "content/Config.h"
#include "content/Program.h"
#include "dialogs/CScheduleDlg.h"
#include "dialogs/CSettingsDlg.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "skin/CSkinButton.h"
#include "support/Await.h"
#include "support/TestEnvironment.h"
#include "support/ToneAnalysis.h"
#include "web/CWebRequestDlg.h"
#include "windows/CMainDlg.h"
#include "windows/PlayerActions.h"

namespace {

constexpr double kFmToneHz = 1000;

using DialogTestKit::WhenModal;

void Click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(3, 3));
}

void Type(QLineEdit& field, const QString& text) {
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, text);
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class ScheduledStart : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(station_.IsReady()) << station_.Failure();
        const QString root = TestEnvironment::Root();
        heard_ = root + QStringLiteral("/heard.wav");
        WriteFile(root + QStringLiteral("/quilo.conf"),
                  QStringLiteral("[Service]\nWebServer=http://%1:8081\nMainSite=http://%1:8082\n"
                                 "SsoSite=http://%1:8083\nStreamServer=%1\nDomain=%1\n"
                                 "[Player]\nVlcArgs=--aout=afile --audiofile-file=%2 "
                                 "--audiofile-channels=1 --audiofile-format=s16\n")
                      .arg(station_.Host(), heard_));
        qputenv("QUILO_CONF", (root + QStringLiteral("/quilo.conf")).toLocal8Bit());
        // the user manager: running, every call noted, every call a success
        const QString systemctl = root + QStringLiteral("/systemctl");
        WriteFile(systemctl,
                  QStringLiteral("#!/bin/sh\necho \"$*\" >> '%1/systemctl.calls'\n"
                                 "case \"$*\" in *is-system-running*) echo running ;; esac\n")
                      .arg(root));
        QFile::setPermissions(systemctl, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("QUILO_LAUNCH_SCHEDULER", "systemd");
        qputenv("QUILO_LAUNCH_SYSTEMCTL", systemctl.toLocal8Bit());

        DialogTestKit::LinkShippedSkins();
        program_.config = Config::Load();
        // the face in this process plays too: into a file of its own
        program_.config.vlcArgs = {
            QStringLiteral("--aout=afile"),
            QStringLiteral("--audiofile-file=") + root + QStringLiteral("/this-process.wav")};
        ASSERT_TRUE(program_.skin.Load(QStringLiteral("Quilo2")));
        program_.login = {QStringLiteral("demo"), QStringLiteral("quilo2007"), QString()};
        program_.webRequest = std::make_unique<CWebRequestDlg>(
            program_.log, WebAddresses{program_.config.webServer, program_.config.mainSite},
            program_.login);
        // the scheduled copy logs in by itself
        program_.prefs.SetID(program_.login.userId);
        SavedPassword::Write(program_.prefs, program_.login.password);
        program_.prefs.SetOptionAutoLogin(true);
        StringTable::SetKorean(false);
        SetMessageAnswerer([](StringId, const QString&) { return MessageAnswer::Ok; });
    }

    void TearDown() override { SetMessageAnswerer({}); }

    static void WriteFile(const QString& path, const QString& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }

    // Opens the settings from the face's menu, lets `inSettings` work in the dialog, and closes
    // the face once the dialog is done.
    void WithSettings(const std::function<void(CSettingsDlg&)>& inSettings) {
        CMainDlg window(program_);
        ASSERT_TRUE(window.Open());
        // the face closes once the settings are applied: the command runs from the event loop
        WhenModal<CSettingsDlg>(&window, [&](CSettingsDlg& dialog) {
            inSettings(dialog);
            QTimer::singleShot(0, &window, [&] { window.CloseWithoutAsking(); });
        });
        window.Actions().settings.trigger();
        QEventLoop untilClosed;
        QObject::connect(&window, &QDialog::finished, &untilClosed, &QEventLoop::quit);
        untilClosed.exec();
    }

    static QString UnitFile(const char* name) {
        return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/systemd/user/") +
               QString::fromLatin1(name);
    }

    static QString SystemctlCalls() {
        return ReadText(TestEnvironment::Root() + QStringLiteral("/systemctl.calls"));
    }

    // the station's clock starts a minute and a half before the scheduled minute
    StationProcess station_{
        {QStringLiteral("--clock-start"), QStringLiteral("2007-07-01T09:28:30")}, true};
    Program program_;
    QString heard_;
};

}  // namespace

TEST_F(ScheduledStart, AMinuteScheduledInTheSettingsStartsThePlayerThroughTheCompanionsTimer) {
    WithSettings([&](CSettingsDlg& settings) {
        WhenModal<CScheduleDlg>(&settings, [&](CScheduleDlg& schedule) {
            Click(schedule.EnableBox(0));
            Type(schedule.HourField(0), QStringLiteral("9"));
            Type(schedule.MinuteField(0), QStringLiteral("30"));
            Click(schedule.OkButton());
        });
        Click(settings.ScheduleBox());
        Click(settings.ScheduleButton());
        Click(settings.OkButton());
    });
    EXPECT_TRUE(program_.prefs.GetOptionSchedule());
    // 9:30 on the service's clock (UTC+9), the timer a minute early for the start-up and log-in
    ASSERT_TRUE(Await([] { return QFile::exists(UnitFile("quilo-schedule.timer")); }, 15000))
        << SystemctlCalls().toStdString();
    EXPECT_TRUE(ReadText(UnitFile("quilo-schedule.timer"))
                    .contains(QStringLiteral("OnCalendar=*-*-* 00:29:00 UTC")))
        << ReadText(UnitFile("quilo-schedule.timer")).toStdString();
    EXPECT_TRUE(Await([] { return SystemctlCalls().contains(QStringLiteral("enable")); }));

    // what the user manager runs at that time
    const QString service = ReadText(UnitFile("quilo-schedule.service"));
    const QRegularExpressionMatch command =
        QRegularExpression(QStringLiteral("ExecStart=\"([^\"]+)\" /a")).match(service);
    ASSERT_TRUE(command.hasMatch()) << service.toStdString();
    EXPECT_EQ(command.captured(1),
              QCoreApplication::applicationDirPath() + QStringLiteral("/quilo"));
    QFile::remove(heard_);
    QProcess scheduled;
    scheduled.setWorkingDirectory(QCoreApplication::applicationDirPath());
    scheduled.start(command.captured(1), {QStringLiteral("/a")});
    ASSERT_TRUE(scheduled.waitForStarted());
    EXPECT_TRUE(Await([&] { return ToneAnalysis::ToneAtEnd(heard_, kFmToneHz); }, 120000))
        << "the scheduled minute comes and the copy plays";
    ::kill(static_cast<pid_t>(scheduled.processId()), SIGTERM);
    EXPECT_TRUE(scheduled.waitForFinished(15000));

    // scheduled playback switched off: the companion takes the timer away
    WithSettings([&](CSettingsDlg& settings) {
        Click(settings.ScheduleBox());
        Click(settings.OkButton());
    });
    EXPECT_FALSE(program_.prefs.GetOptionSchedule());
    EXPECT_TRUE(Await([] { return !QFile::exists(UnitFile("quilo-schedule.timer")); }, 15000));
    EXPECT_TRUE(Await([] { return SystemctlCalls().contains(QStringLiteral("disable")); }))
        << SystemctlCalls().toStdString();
}

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

#include "platform/CPrefStore.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"

namespace {

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void Write(const QString& path, const QString& text, bool executable = false) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    if (executable) {
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }
}

QStringList OnCalendarLines(const QString& unit) {
    QStringList lines = unit.split(u'\n');
    lines.removeIf([](const QString& line) { return !line.startsWith(u"OnCalendar="); });
    return lines;
}

ScheduleBytes Schedule(std::initializer_list<uint8_t> entries) {
    ScheduleBytes bytes;
    bytes.fill(0xFF);
    std::copy(entries.begin(), entries.end(), bytes.begin());
    return bytes;
}

class Launch : public ::testing::Test {
protected:
    static QString Root() { return TestEnvironment::Root(); }
    // blanks and "%" need escaping in unit files and crontab lines alike ("%n" is a unit
    // specifier)
    static QString InstallFolder() { return Root() + "/opt/Quilo %n"; }
    static QString CallsFile() { return Root() + "/calls"; }
    static QString CrontabFile() { return Root() + "/crontab"; }
    static QString UnitPath(const char* name) {
        return Root() + "/home/.config/systemd/user/" + name;
    }
    // where enabling a timer links it
    static QString WantsFolder() {
        return Root() + "/home/.config/systemd/user/timers.target.wants";
    }

    void SetUp() override {
        // the stand-ins record every call; the manager's state and the crontab are plain files
        Write(Root() + "/fakebin/systemctl",
              QStringLiteral("#!/bin/sh\necho \"systemctl $*\" >> '%1'\ncase \"$2\" in\n"
                             "is-system-running) cat '%2';;\n"
                             "enable) mkdir -p '%3' && ln -sf \"../$3\" '%3';;\n"
                             "disable) rm -f '%3'/\"$4\";;\nesac\n")
                  .arg(CallsFile(), Root() + "/manager-state", WantsFolder()),
              true);
        Write(Root() + "/fakebin/crontab",
              QStringLiteral("#!/bin/sh\necho \"crontab $*\" >> '%1'\ncase \"$1\" in\n"
                             "-l) [ -f '%2' ] && exec cat '%2'; echo 'no crontab for tester' >&2;"
                             " exit 1;;\n-) exec cat > '%2';;\nesac\n")
                  .arg(CallsFile(), CrontabFile()),
              true);
        // quilo itself only tells where and how it was started
        Write(InstallFolder() + "/quilo",
              QStringLiteral("#!/bin/sh\necho \"$PWD|$*|$DISPLAY\" > '%1'\n")
                  .arg(Root() + "/started"),
              true);
        SetManager("running");
        CPrefStore().SetSchedule(Schedule({0x87, 0x1E}));
    }

    static void SetManager(const char* state) {
        Write(Root() + "/manager-state", QString::fromLatin1(state) + u'\n');
    }

    // Runs quilo-launch as the settings dialog would; its exit code and what it said.
    static std::pair<int, QString> RunLaunch(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"QUILO_LAUNCH_SCHEDULER", "QUILO_LAUNCH_SYSTEMCTL", "QUILO_LAUNCH_CRONTAB",
              "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"}) {
            environment.remove(QString::fromLatin1(name));
        }
        environment.insert("PATH", Root() + "/fakebin:/usr/bin:/bin");
        environment.insert("TZ", "UTC");
        environment.insert("DISPLAY", ":5");
        QProcess launch;
        launch.setProcessEnvironment(environment);
        launch.start(TestEnvironment::BinaryDir() + "/quilo-launch", arguments);
        EXPECT_TRUE(launch.waitForFinished(30000));
        return {launch.exitCode(), QString::fromUtf8(launch.readAllStandardError())};
    }

    static QStringList TakeCalls() {
        const QString calls = Read(CallsFile());
        QFile::remove(CallsFile());
        return calls.split(u'\n', Qt::SkipEmptyParts);
    }
};

}  // namespace

TEST_F(Launch, TimersStartQuiloAMinuteAheadOfEachEnabledTimeAndGoAwayWithD) {
    // 07:30 and 13:00 enabled, 10:00 disabled, empty, midnight, noon, 07:30 again, hour 24
    CPrefStore().SetSchedule(Schedule({0x87, 0x1E, 0x8D, 0x00, 0x0A, 0x00, 0xFF, 0xFF, 0x80, 0x00,
                                       0x8C, 0x00, 0x87, 0x1E, 0x98, 0x00}));
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(RunLaunch({InstallFolder()}).first, 0);
        // the service's clock is UTC+9
        EXPECT_EQ(OnCalendarLines(Read(UnitPath("quilo-schedule.timer"))),
                  QStringList({"OnCalendar=*-*-* 22:29:00 UTC", "OnCalendar=*-*-* 03:59:00 UTC",
                               "OnCalendar=*-*-* 14:59:00 UTC", "OnCalendar=*-*-* 02:59:00 UTC"}));
        EXPECT_EQ(
            TakeCalls(),
            QStringList({"systemctl --user is-system-running", "systemctl --user daemon-reload",
                         "systemctl --user enable quilo-schedule.timer",
                         "systemctl --user restart quilo-schedule.timer", "crontab -l"}));
    }
    const QString service = Read(UnitPath("quilo-schedule.service"));
    EXPECT_TRUE(service.contains("\nWorkingDirectory=" + Root() + "/opt/Quilo %%n\n"));
    EXPECT_TRUE(service.contains("\nExecStart=\"" + Root() + "/opt/Quilo %%n/quilo\" /a\n"));

    // a schedule with nothing enabled replaces the set with no starts at all
    CPrefStore().SetSchedule(Schedule({0x07, 0x1E, 0x00, 0x00}));
    ASSERT_EQ(RunLaunch({InstallFolder()}).first, 0);
    EXPECT_FALSE(QFile::exists(UnitPath("quilo-schedule.timer")));
    EXPECT_TRUE(TakeCalls().contains("systemctl --user disable --now quilo-schedule.timer"));

    CPrefStore().SetSchedule(Schedule({0x87, 0x1E}));
    ASSERT_EQ(RunLaunch({InstallFolder()}).first, 0);
    TakeCalls();
    ASSERT_EQ(RunLaunch({"/d"}).first, 0);
    EXPECT_FALSE(QFile::exists(UnitPath("quilo-schedule.timer")));
    EXPECT_FALSE(QFile::exists(UnitPath("quilo-schedule.service")));
    EXPECT_EQ(TakeCalls(), QStringList({"systemctl --user is-system-running",
                                        "systemctl --user disable --now quilo-schedule.timer",
                                        "systemctl --user daemon-reload", "crontab -l"}));
}

TEST_F(Launch, WrittenUnitsPassSystemdsOwnCheck) {
    ASSERT_EQ(RunLaunch({InstallFolder()}).first, 0);
    const QString analyzer = QStandardPaths::findExecutable("systemd-analyze");
    if (analyzer.isEmpty()) {
        // without systemd's checker: every line is a section or a known setting
        const QString units = Read(UnitPath("quilo-schedule.timer")) + u'\n' +
                              Read(UnitPath("quilo-schedule.service"));
        const QRegularExpression wellFormed(QStringLiteral(
            R"(^(|\[(Unit|Timer|Service|Install)\]|(Description|WorkingDirectory|ExecStart|)"
            R"(KillMode|AccuracySec|Persistent|WantedBy)=.+|OnCalendar=\*-\*-\* \d\d:\d\d:00 UTC)$)"));
        for (const QString& line : units.split(u'\n')) {
            EXPECT_TRUE(wellFormed.match(line).hasMatch()) << line.toStdString();
        }
        return;
    }
    QProcess verify;
    verify.setProcessChannelMode(QProcess::MergedChannels);
    verify.start(analyzer,
                 {"verify", UnitPath("quilo-schedule.timer"), UnitPath("quilo-schedule.service")});
    ASSERT_TRUE(verify.waitForFinished(60000));
    const QString said = QString::fromUtf8(verify.readAll());
    EXPECT_EQ(verify.exitCode(), 0) << said.toStdString();
    EXPECT_FALSE(said.contains("quilo-schedule")) << said.toStdString();
}

TEST_F(Launch, WithoutAUserManagerTheCrontabGetsOneBlockAndKeepsTheUsersLines) {
    const QString users = "MAILTO=me\n0 5 * * * backup.sh\n\n# mine\n";
    Write(CrontabFile(), users);
    ASSERT_EQ(RunLaunch({InstallFolder()}).first, 0);  // leaves timers behind
    SetManager("offline");
    for (int run = 0; run < 2; ++run) {
        const auto [exitCode, said] = RunLaunch({InstallFolder()});
        ASSERT_EQ(exitCode, 0) << said.toStdString();
        EXPECT_TRUE(said.contains("crontab")) << said.toStdString();
    }
    EXPECT_FALSE(QFile::exists(UnitPath("quilo-schedule.timer")));
    EXPECT_FALSE(QFileInfo(WantsFolder() + "/quilo-schedule.timer").isSymLink());
    // written once: the second run found the block it wanted
    EXPECT_EQ(TakeCalls().count("crontab -"), 1);
    const QStringList lines = Read(CrontabFile()).split(u'\n');
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.mid(0, 4).join(u'\n') + u'\n', users);
    EXPECT_TRUE(lines[4].startsWith(u"# BEGIN"));
    EXPECT_TRUE(lines[6].startsWith(u"# END"));

    // the line, as cron hands it to the shell (a "\%" there is a "%"), starts quilo in its
    // folder with "/a" on the display it was enabled from, at 07:29 on the service's clock
    ASSERT_TRUE(lines[5].startsWith(u"29 22 * * * ")) << lines[5].toStdString();
    const QString command = lines[5].mid(12).replace("\\%", "%");
    QProcess::execute("/bin/sh", {"-c", command});
    EXPECT_EQ(Read(Root() + "/started"), InstallFolder() + "|/a|:5\n");

    // a line the user adds later stays where it is when the block is replaced and removed
    Write(CrontabFile(), Read(CrontabFile()) + "30 6 * * * later.sh\n");
    CPrefStore().SetSchedule(Schedule({0x87, 0x1E, 0x96, 0x00}));
    ASSERT_EQ(RunLaunch({InstallFolder()}).first, 0);
    EXPECT_EQ(Read(CrontabFile()).count("/quilo' /a"), 2);
    ASSERT_EQ(RunLaunch({"/d"}).first, 0);
    EXPECT_EQ(Read(CrontabFile()), users + "30 6 * * * later.sh\n");
}

TEST_F(Launch, BadInputIsToldAndChangesNothing) {
    const std::pair<QStringList, QString> cases[] = {
        {{}, "usage"},
        {{"/d", "/d"}, "usage"},
        {{Root()}, "executable quilo"},
    };
    for (const auto& [arguments, told] : cases) {
        const auto [exitCode, said] = RunLaunch(arguments);
        EXPECT_NE(exitCode, 0);
        EXPECT_TRUE(said.contains(told)) << said.toStdString();
    }
    // a schedule too short to be one, then no preferences at all
    const QString prefs = CPrefStore().FilePath();
    Write(prefs, "[Prefs]\nSchedule=871E\n");
    for (int run = 0; run < 2; ++run) {
        const auto [exitCode, said] = RunLaunch({InstallFolder()});
        EXPECT_NE(exitCode, 0);
        EXPECT_TRUE(said.contains(prefs)) << said.toStdString();
        QFile::remove(prefs);
    }
    EXPECT_FALSE(QFile::exists(CallsFile()));
    EXPECT_FALSE(QFile::exists(UnitPath("quilo-schedule.timer")));
}

#include "QuiloRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <csignal>

#include "platform/CPrefStore.h"
#include "support/Await.h"
#include "support/LogReading.h"
#include "support/SavedPassword.h"
#include "support/TestEnvironment.h"

QuiloRun::QuiloRun() = default;

QuiloRun::~QuiloRun() {
    if (IsRunning()) {
        process_->kill();
        process_->waitForFinished(5000);
    }
}

QString QuiloRun::ProgramFolder() {
    return TestEnvironment::Root() + QStringLiteral("/app");
}

void QuiloRun::Install(const QStringList& skinNames) {
    const QString folder = ProgramFolder();
    QDir().mkpath(folder);
    QFile::remove(folder + QStringLiteral("/quilo"));
    QFile::copy(TestEnvironment::BinaryDir() + QStringLiteral("/quilo"),
                folder + QStringLiteral("/quilo"));
    QDir().mkpath(folder + QStringLiteral("/Skins"));
    for (const QString& name : skinNames) {
        QFile::link(TestEnvironment::SourceDir() + QStringLiteral("/Skins/") + name,
                    folder + QStringLiteral("/Skins/") + name);
    }
}

void QuiloRun::WriteConfig(const QString& host, const QString& heardWav) {
    QFile conf(ProgramFolder() + QStringLiteral("/quilo.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write(QStringLiteral("[Service]\nWebServer=http://%1:8081\nMainSite=http://%1:8082\n"
                              "SsoSite=http://%1:8083\nStreamServer=%1\nDomain=%1\n"
                              "[Player]\nVlcArgs=--aout=afile --audiofile-file=%2 "
                              "--audiofile-channels=1 --audiofile-format=s16\n")
                   .arg(host, heardWav)
                   .toUtf8());
}

QString QuiloRun::HeardWav() {
    return TestEnvironment::Root() + QStringLiteral("/heard.wav");
}

void QuiloRun::InstallFor(const QString& host, bool automaticLogIn) {
    Install();
    WriteConfig(host, HeardWav());
    if (automaticLogIn) {
        SaveAutomaticLogIn();
    }
}

QStringList QuiloRun::XdoTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished();
    return QString::fromLatin1(tool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

void QuiloRun::SaveAutomaticLogIn() {
    CPrefStore prefs;
    prefs.SetID(QStringLiteral("demo"));
    SavedPassword::Write(prefs, QStringLiteral("quilo2007"));
    prefs.SetOptionAutoLogin(true);
}

void QuiloRun::Start(const QStringList& arguments, const QProcessEnvironment& environment) {
    process_ = std::make_unique<QProcess>();
    process_->setProcessEnvironment(environment);
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    process_->setWorkingDirectory(TestEnvironment::WorkDir());
    process_->start(ProgramFolder() + QStringLiteral("/quilo"), arguments);
    process_->waitForStarted(10000);
}

bool QuiloRun::Terminate(int timeoutMs, int signal) {
    if (!IsRunning()) {
        return false;
    }
    ::kill(static_cast<pid_t>(process_->processId()), signal);
    return WaitForExit(timeoutMs);
}

bool QuiloRun::WaitForExit(int timeoutMs) {
    if (process_ == nullptr) {
        return false;
    }
    // QProcess will not wait for a process it already saw end; that end counts too
    const bool ended =
        process_->state() == QProcess::NotRunning || process_->waitForFinished(timeoutMs);
    return ended && process_->exitStatus() == QProcess::NormalExit;
}

bool QuiloRun::IsRunning() const {
    return process_ != nullptr && process_->state() != QProcess::NotRunning;
}

QStringList QuiloRun::LogFiles() {
    return QDir(ProgramFolder() + QStringLiteral("/Log"))
        .entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
}

QStringList QuiloRun::LogLines(const QString& fileName) {
    QFile file(ProgramFolder() + QStringLiteral("/Log/") + fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

QStringList QuiloRun::LogMessages(const QString& fileName) {
    return LoggedMessages(ProgramFolder() + QStringLiteral("/Log/") + fileName);
}

QString QuiloRun::AllLogLines() {
    QStringList lines;
    for (const QString& file : LogFiles()) {
        lines << LogLines(file);
    }
    return lines.join(u'\n');
}

QStringList QuiloRun::QuiloWindows() {
    return XdoTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--name"), QStringLiteral("^Quilo$")});
}

bool QuiloRun::WaitForMainWindow(const QString& logFolder) {
    const QDir folder(logFolder.isEmpty() ? ProgramFolder() + QStringLiteral("/Log") : logFolder);
    return WaitUntil(
        [&folder] {
            const QStringList files =
                folder.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
            QFile newest(folder.filePath(files.value(files.size() - 1)));
            return !files.isEmpty() && newest.open(QIODevice::ReadOnly) &&
                   newest.readAll().contains("TRY to download the program table file.");
        },
        15000);
}

bool QuiloRun::WaitForLogLine(const QString& text, int timeoutMs) {
    return WaitUntil(
        [&text] {
            for (const QString& file : LogFiles()) {
                for (const QString& line : LogLines(file)) {
                    if (line.endsWith(text)) {
                        return true;
                    }
                }
            }
            return false;
        },
        timeoutMs);
}

bool QuiloRun::WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return Await(condition, timeoutMs);
}

bool QuiloRun::CopyAnswers() {
    QLocalSocket probe;
    probe.connectToServer(InstanceSocket());
    return probe.waitForConnected(1000);
}

QString QuiloRun::InstanceSocket() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/quilo-instance");
}

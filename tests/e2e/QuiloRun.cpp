#include "QuiloRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>

#include "platform/CPrefStore.h"
#include "support/LogReading.h"
#include "support/SavedPassword.h"
#include "support/TestEnvironment.h"

QuiloRun::~QuiloRun() {
    if (IsRunning()) {
        process_->kill();
        process_->waitForFinished(5000);
    }
}

QString QuiloRun::ProgramFolder() {
    return TestEnvironment::Root() + "/app";
}

void QuiloRun::Install(const QStringList& skinNames) {
    const QString folder = ProgramFolder();
    QDir().mkpath(folder);
    QFile::remove(folder + "/quilo");
    QFile::copy(TestEnvironment::BinaryDir() + "/quilo", folder + "/quilo");
    QDir().mkpath(folder + "/Skins");
    for (const QString& name : skinNames) {
        QFile::link(TestEnvironment::SourceDir() + "/Skins/" + name, folder + "/Skins/" + name);
    }
}

QString QuiloRun::HeardWav() {
    return TestEnvironment::Root() + "/heard.wav";
}

void QuiloRun::InstallFor(const QString& host, bool automaticLogIn) {
    Install();
    QFile conf(ProgramFolder() + "/quilo.conf");
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write(QStringLiteral("[Service]\nWebServer=http://%1:8081\nMainSite=http://%1:8082\n"
                              "SsoSite=http://%1:8083\nStreamServer=%1\nDomain=%1\n"
                              "[Player]\nVlcArgs=--aout=afile --audiofile-file=%2 "
                              "--audiofile-channels=1 --audiofile-format=s16\n")
                   .arg(host, HeardWav())
                   .toUtf8());
    if (automaticLogIn) {
        CPrefStore prefs;
        prefs.SetID("demo");
        SavedPassword::Write(prefs, "quilo2007");
        prefs.SetOptionAutoLogin(true);
    }
}

QStringList QuiloRun::XdoTool(const QStringList& arguments) {
    QProcess tool;
    tool.start("xdotool", arguments);
    tool.waitForFinished();
    return QString::fromLatin1(tool.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

void QuiloRun::Start(const QStringList& arguments, const QProcessEnvironment& environment) {
    process_ = std::make_unique<QProcess>();
    process_->setProcessEnvironment(environment);
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    process_->setWorkingDirectory(TestEnvironment::WorkDir());
    process_->start(ProgramFolder() + "/quilo", arguments);
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
    return QDir(ProgramFolder() + "/Log").entryList({"*.log"}, QDir::Files, QDir::Name);
}

QStringList QuiloRun::LogMessages(const QString& fileName) {
    return LoggedMessages(ProgramFolder() + "/Log/" + fileName);
}

QString QuiloRun::AllLogLines() {
    QStringList lines;
    for (const QString& name : LogFiles()) {
        QFile file(ProgramFolder() + "/Log/" + name);
        if (file.open(QIODevice::ReadOnly)) {
            lines << QString::fromLatin1(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
        }
    }
    return lines.join(u'\n');
}

QStringList QuiloRun::QuiloWindows() {
    return XdoTool({"search", "--onlyvisible", "--name", "^Quilo$"});
}

bool QuiloRun::WaitForLogLine(const QString& text, int timeoutMs) {
    return Await([&text] { return (AllLogLines() + u'\n').contains(text + u'\n'); }, timeoutMs);
}

bool QuiloRun::CopyAnswers() {
    QLocalSocket probe;
    probe.connectToServer(InstanceSocket());
    return probe.waitForConnected(1000);
}

QString QuiloRun::InstanceSocket() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/quilo-instance";
}

#pragma once

#include <QProcess>
#include <QString>
#include <csignal>
#include <memory>

#include "support/Await.h"

// One copy of the program, installed into a fresh program folder of the test's own (the binary
// and a Skins folder), started and watched from outside as a listener's system would see it:
// its log files, its preferences, its exit.
class QuiloRun {
public:
    ~QuiloRun();

    // The program folder (where the copy's binary, Skins and Log live).
    static QString ProgramFolder();
    // Installs the built program into ProgramFolder() with the named shipped skins.
    static void Install(const QStringList& skinNames = {"Quilo2"});
    // The WAV file InstallFor has the copy write what it plays to.
    static QString HeardWav();
    // Installs the copy with the default skin, pointed at the station on `host` and writing what
    // it plays to HeardWav(), and, with automaticLogIn, the demo member saved to log in by itself.
    static void InstallFor(const QString& host, bool automaticLogIn);
    // xdotool's answer, one window or value per line.
    static QStringList XdoTool(const QStringList& arguments);

    // Starts the copy with the given arguments, from a working directory that is not its folder.
    void Start(const QStringList& arguments = {},
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
    // Asks it to end as the desktop would (SIGTERM, or `signal`) and waits for it.
    bool Terminate(int timeoutMs = 15000, int signal = SIGTERM);
    bool WaitForExit(int timeoutMs = 15000);
    bool IsRunning() const;
    qint64 ProcessId() const { return process_ ? process_->processId() : 0; }

    // The log files in the program's Log folder, oldest first.
    static QStringList LogFiles();
    // A log file's lines without the time stamps.
    static QStringList LogMessages(const QString& fileName);
    // Every line of every log file, oldest file first, one text of lines ended by LF.
    static QString AllLogLines();
    // The program's windows titled "Quilo" on screen: the log-in dialog, the player, a message box.
    static QStringList QuiloWindows();
    // Waits until some log file holds a line ending in `text`.
    static bool WaitForLogLine(const QString& text, int timeoutMs = 15000);
    // Waits until a run has logged in and opened its main window, whose program-table cycle
    // writes its first line at once.
    static bool WaitForMainWindow() {
        return WaitForLogLine("TRY to download the program table file.");
    }

    static QString InstanceSocket();
    // Whether a running copy answers on the instance socket (it has passed its start checks).
    static bool CopyAnswers();

private:
    std::unique_ptr<QProcess> process_;
};

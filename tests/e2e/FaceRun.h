#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

#include "StationProcess.h"
#include "content/Program.h"
#include "support/PulseSink.h"
#include "support/QtPrinting.h"

class CMainDlg;

// The main window as the program runs it, in this process, against a station of its own, heard
// through a private sound server.
class FaceRun : public ::testing::Test {
protected:
    // Starts the station (with `stationOptions` and its streams) and the sound server, loads the
    // default skin and points the program at the station. Without `programTable` no server
    // answers the program table, so the programs a test announces by hand are the only ones.
    void Start(const QStringList& stationOptions = {}, bool programTable = true);
    void TearDown() override;

    // Opens the main window, runs `body` in its event loop and closes the window; what `attach`
    // makes of the open window lives as long as it.
    void Run(const std::function<void(CMainDlg&)>& body,
             const std::function<std::unique_ptr<QObject>(CMainDlg&)>& attach = {});
    // Waits until the sound heard lately at `hz` satisfies the condition (amplitude 0..1).
    bool AwaitLevel(double hz, const std::function<bool(double)>& condition);
    // How many lines of the program's log say `line`.
    int Logged(const char* line) const;

    std::unique_ptr<StationProcess> station_;
    PulseSink sink_;
    Program program_;
};

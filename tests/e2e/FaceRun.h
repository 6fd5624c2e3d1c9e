#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "StationProcess.h"
#include "content/Program.h"
#include "platform/MessageBox.h"
#include "support/PulseSink.h"
#include "support/QtPrinting.h"

class CMainDlg;

// The program in this process against a station of its own: its sites and web channel point at
// the station, and every message box it shows is noted in shown_ and answered with answer_.
class FaceRun : public ::testing::Test {
protected:
    // Starts the station (with `stationOptions`, and its streams with `streams`), loads the
    // default skin and points the program's sites and web channel at the station.
    void StartStation(const QStringList& stationOptions = {}, bool streams = false);
    // The main window's run: the station with its streams, heard through a private sound
    // server. Without `programTable` no server answers the program table, so the programs a
    // test announces by hand are the only ones.
    void Start(const QStringList& stationOptions = {}, bool programTable = true);
    void TearDown() override;

    // Opens the main window, runs `body` in its event loop and closes the window; what `attach`
    // makes of the open window lives as long as it.
    void Run(const std::function<void(CMainDlg&)>& body,
             const std::function<std::unique_ptr<QObject>(CMainDlg&)>& attach = {});
    // The station's tones: its audio channel's, and its visual channel's sound.
    static constexpr double kFmToneHz = 1000;
    static constexpr double kVfmToneHz = 660;
    // Waits until the sound heard lately at `hz` satisfies the condition (amplitude 0..1).
    bool AwaitLevel(const std::function<bool(double)>& condition, double hz = kFmToneHz);
    // How many lines of the program's log say `line`.
    int Logged(const char* line) const;

    std::unique_ptr<StationProcess> station_;
    PulseSink sink_;
    Program program_;
    std::vector<StringId> shown_;
    MessageAnswer answer_ = MessageAnswer::Ok;
};

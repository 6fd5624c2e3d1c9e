#pragma once

#include <QObject>

class CMainDlg;
class Program;

// The program on the desktop's session bus: the media player interfaces under the name
// "org.mpris.MediaPlayer2.quilo" and the notification of a new program while the face is
// hidden. Without a session bus there is none of this, and the log says so once.
class DesktopBus : public QObject {
    Q_OBJECT

public:
    static constexpr char kServiceName[] = "org.mpris.MediaPlayer2.quilo";

    DesktopBus(Program& program, CMainDlg& mainWindow);
    ~DesktopBus() override;

    // Registers on the session bus. False when there is no bus or the name is taken.
    bool Join();

private:
    Program& program_;
    CMainDlg& mainWindow_;
    bool joined_ = false;
};

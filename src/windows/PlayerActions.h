#pragma once

#include <QAction>
#include <QActionGroup>
#include <QObject>
#include <array>

// The player's commands as the tray menu and the faces' context menu offer them. The main window
// owns them and connects each to what it does; a menu only shows them. Each carries its command
// as data, which picks its image from the program's toolbar.
class PlayerActions : public QObject {
    Q_OBJECT

public:
    // the commands in the order of the toolbar's images
    enum Command {
        kHideShow = 1,
        kView,
        kTodaysPrograms,
        kPlay,
        kStop,
        kSettings,
        kSkins,
        kVersion,
        kClose,
    };

    explicit PlayerActions(QObject* parent = nullptr);

    // Texts for the current language and state: "Show" instead of "Hide" while the face is
    // hidden, "Seeing Radio" greyed while the program on air has no visual stream.
    void Update(bool faceHidden, bool hasVisualStream);

    QAction hideShow;
    QAction view;
    QAction todaysPrograms;
    QAction play;
    QAction stop;
    QAction settings;
    QAction skins;
    QAction version;
    QAction close;
    // holding what is on air, and catching up with it again
    QAction pause;
    QAction backToLive;

    // The sleep timer's choices, one checked at a time: off, a number of minutes (each action
    // carries its minutes as data), or the end of the program on air.
    static constexpr std::array<int, 4> kSleepMinutes{15, 30, 60, 90};
    QActionGroup sleepChoices{nullptr};
    QAction sleepOff;
    std::array<QAction, kSleepMinutes.size()> sleepAfter;
    QAction sleepAtProgramEnd;

    // Recording: this program, or every program; at most one checked, none when not recording.
    QActionGroup recordChoices{nullptr};
    QAction recordThis;
    QAction recordEvery;

private:
    void SetUpSleepChoices();
    void SetUpRecordChoices();
};

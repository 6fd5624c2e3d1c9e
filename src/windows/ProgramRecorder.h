#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "platform/StringTable.h"

struct AppState;
class CProgramTableDlg;
class OpusRecordingFile;
class PlayerActions;
class Program;
class RecordingStream;
class StreamControl;

// Recording what is on air, one Ogg Opus file per program, chosen from the menus: "Record this
// program" ends with the program, "Record every program" goes on into a new file for each one.
// Files go to the music folder's "Quilo", named by the start time and the program's title,
// tagged with the title, the service, the date and the program code.
//
// A file is cut where the program table says the program ends, by the server's clock; the sound
// after the cut is held until the next program's title is known (its info file follows the
// clock's next reading), and then starts the next file, so nothing falls between two files.
// The recording has its own connection (RecordingStream): what the listener hears is never
// touched, and a stream that breaks is opened again into the same file. Every few seconds the
// free space is looked at: under 200 MB the recording stops with a message and the file is kept.
class ProgramRecorder : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 kFreeSpaceFloorBytes = 200LL * 1024 * 1024;
    static constexpr int kSpaceCheckMs = 5000;
    // the next program's title is given up on after this, and the file named without it
    // (three readings of the server's clock, a minute and a half of sound held: 17 MB)
    static constexpr int kTitleWaitMs = 90000;

    ProgramRecorder(Program& program, const StreamControl& stream, const CProgramTableDlg& table,
                    PlayerActions& actions, QObject* parent);
    ~ProgramRecorder() override;

    bool IsRecording() const { return mode_ != Mode::Off; }
    QString CurrentFile() const { return filePath_; }
    // tests lower the floor's share of a real disk this way
    void SetFreeSpaceFloor(qint64 bytes) { freeSpaceFloor_ = bytes; }

signals:
    void recordingChanged(bool recording);

private:
    enum class Mode { Off, ThisProgram, EveryProgram };
    RecordingStream& Recording();
    void OnChoice();
    void Begin(Mode mode);
    void End();
    // `format` is a string id whose %1 (and the floor's %1 and %2) take `detail`
    void EndWithMessage(StringId format, const QString& detail);
    std::unique_ptr<OpusRecordingFile> NewFile(const QDateTime& start, const AppState& onAir);
    void ArmProgramEnd();
    void OnProgramEnd();
    void CutAt(const QDateTime& nextStart);
    void OnProgramChanged();
    void StartNextFile();
    void StartUntitledFile();
    void StartFileFor(const AppState& onAir);
    void FinishFile(std::unique_ptr<OpusRecordingFile> file);
    void CheckFreeSpace();
    QDateTime ServiceNow() const;
    void Log(const QString& text) const;

    Program& program_;
    const StreamControl& stream_;
    const CProgramTableDlg& table_;
    PlayerActions& actions_;
    RecordingStream* recording_ = nullptr;
    Mode mode_ = Mode::Off;
    QString filePath_;
    QString fileProgramCode_;
    // set from the program's end until the next file begins
    bool betweenPrograms_ = false;
    QDateTime nextFileStart_;
    qint64 freeSpaceFloor_ = kFreeSpaceFloorBytes;
    // once, at the end of the program on air by the server's clock
    QTimer programEnd_;
    // once, when the next program's title is late
    QTimer titleWait_;
    // every few seconds while recording
    QTimer spaceCheck_;
};

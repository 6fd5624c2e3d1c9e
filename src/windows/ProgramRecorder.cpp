#include "windows/ProgramRecorder.h"

#include <QDir>
#include <QStorageInfo>

#include "content/CProgramTableDlg.h"
#include "content/Program.h"
#include "content/RecordingName.h"
#include "platform/LogMessages.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "player/OpusRecordingFile.h"
#include "player/RecordingStream.h"
#include "windows/PlayerActions.h"
#include "windows/StreamControl.h"

ProgramRecorder::ProgramRecorder(Program& program, const StreamControl& stream,
                                 const CProgramTableDlg& table, PlayerActions& actions,
                                 QObject* parent)
    : QObject(parent), program_(program), stream_(stream), table_(table), actions_(actions) {
    programEnd_.setSingleShot(true);
    // a coarse timer may fire a second early over a long wait, into the old program's minute
    programEnd_.setTimerType(Qt::PreciseTimer);
    connect(&programEnd_, &QTimer::timeout, this, &ProgramRecorder::OnProgramEnd);
    titleWait_.setSingleShot(true);
    titleWait_.setInterval(kTitleWaitMs);
    connect(&titleWait_, &QTimer::timeout, this, &ProgramRecorder::StartUntitledFile);
    spaceCheck_.setInterval(kSpaceCheckMs);
    connect(&spaceCheck_, &QTimer::timeout, this, &ProgramRecorder::CheckFreeSpace);

    connect(&actions_.recordThis, &QAction::triggered, this, &ProgramRecorder::OnChoice);
    connect(&actions_.recordEvery, &QAction::triggered, this, &ProgramRecorder::OnChoice);
    connect(&table_, &CProgramTableDlg::clockRead, this, &ProgramRecorder::ArmProgramEnd);
    connect(&program_.player, &PlayerModel::programChanged, this,
            &ProgramRecorder::OnProgramChanged);
}

// The recording's engine is made with the first recording: a listener who never records never
// loads a second one.
RecordingStream& ProgramRecorder::Recording() {
    if (recording_ != nullptr) {
        return *recording_;
    }
    recording_ = new RecordingStream(program_.config.vlcArgs, this);
    connect(recording_, &RecordingStream::writeFailed, this,
            [this] { EndWithMessage(StringId::kRecordingFailed, filePath_); });
    connect(recording_, &RecordingStream::broke, this,
            [this] { Log(QString::fromLatin1(LogText::kRecordingBroke)); });
    connect(recording_, &RecordingStream::soundResumed, this, [this](qint64 gapMs) {
        Log(QString::fromLatin1(LogText::kRecordingGapFormat)
                .arg(gapMs / 1000.0, 0, 'f', 1)
                .arg(filePath_));
    });
    return *recording_;
}

// the last file is ended whole when the program closes
ProgramRecorder::~ProgramRecorder() {
    if (IsRecording()) {
        FinishFile(Recording().Stop());
    }
}

// Both choices come here: the one now checked, or none when the listener unchecked it.
void ProgramRecorder::OnChoice() {
    if (actions_.recordEvery.isChecked()) {
        Begin(Mode::EveryProgram);
    } else if (actions_.recordThis.isChecked()) {
        Begin(Mode::ThisProgram);
    } else {
        End();
    }
}

void ProgramRecorder::Begin(Mode mode) {
    if (IsRecording()) {
        // from one choice to the other: the file goes on
        mode_ = mode;
        return;
    }
    const QString folder = RecordingName::Folder();
    if (!QDir().mkpath(folder)) {
        EndWithMessage(StringId::kRecordingFailed, folder);
        return;
    }
    if (QStorageInfo(folder).bytesAvailable() < freeSpaceFloor_) {
        EndWithMessage(StringId::kRecordingLowDisk, folder);
        return;
    }
    std::unique_ptr<OpusRecordingFile> file =
        Recording().IsCreated() ? NewFile(ServiceNow(), program_.player.OnAir()) : nullptr;
    if (file == nullptr) {
        EndWithMessage(StringId::kRecordingFailed, folder);
        return;
    }
    mode_ = mode;
    Recording().Start(stream_.FmUrl(), std::move(file));
    spaceCheck_.start();
    ArmProgramEnd();
    emit recordingChanged(true);
}

void ProgramRecorder::End() {
    if (!IsRecording()) {
        return;
    }
    mode_ = Mode::Off;
    betweenPrograms_ = false;
    programEnd_.stop();
    titleWait_.stop();
    spaceCheck_.stop();
    FinishFile(Recording().Stop());
    filePath_.clear();
    actions_.recordThis.setChecked(false);
    actions_.recordEvery.setChecked(false);
    emit recordingChanged(false);
}

void ProgramRecorder::EndWithMessage(StringId format, const QString& detail) {
    const QString message =
        format == StringId::kRecordingLowDisk
            ? StringTable::Load(format).arg(freeSpaceFloor_ / (1024 * 1024)).arg(detail)
            : StringTable::Load(format).arg(detail);
    Log(QString::fromLatin1(LogText::kRecordingFailedFormat).arg(message));
    End();
    // a choice that could not begin is taken back as well
    actions_.recordThis.setChecked(false);
    actions_.recordEvery.setChecked(false);
    ShowMessageText(nullptr, format, message, MessageIcon::Warning);
}

std::unique_ptr<OpusRecordingFile> ProgramRecorder::NewFile(const QDateTime& start,
                                                            const AppState& onAir) {
    const QString path = RecordingName::FreePath(RecordingName::Folder(),
                                                 RecordingName::FileName(start, onAir.title));
    const RecordingTags tags{onAir.title, StringTable::Load(StringId::kRecordingArtist),
                             start.toString(QStringLiteral("yyyy-MM-dd")), onAir.programCode};
    QString error;
    std::unique_ptr<OpusRecordingFile> file = OpusRecordingFile::Create(path, tags, error);
    if (file == nullptr) {
        Log(QString::fromLatin1(LogText::kRecordingFailedFormat)
                .arg(path + QStringLiteral(": ") + error));
        return nullptr;
    }
    filePath_ = path;
    fileProgramCode_ = onAir.programCode;
    Log(QString::fromLatin1(LogText::kRecordingStartedFormat).arg(path));
    return file;
}

// Each reading of the server's clock tells again how long the program on air has left.
void ProgramRecorder::ArmProgramEnd() {
    if (!IsRecording() || betweenPrograms_) {
        return;
    }
    if (const std::optional<qint64> left = table_.MsToProgramEnd()) {
        programEnd_.start(static_cast<int>(std::min<qint64>(*left, INT32_MAX)));
    }
}

// The table's end of the program has come (a precise timer may still be a moment early).
void ProgramRecorder::OnProgramEnd() {
    CutAt(ServiceNow().addMSecs(table_.MsToProgramEnd().value_or(0)));
}

// "This program" ends here; "every program" holds the sound from here on until the next
// program's title is known, and its file will say it began at `nextStart`.
void ProgramRecorder::CutAt(const QDateTime& nextStart) {
    if (mode_ == Mode::ThisProgram) {
        End();
        return;
    }
    nextFileStart_ = nextStart;
    betweenPrograms_ = true;
    FinishFile(Recording().HoldSound());
    titleWait_.start();
}

// The program's info arrived. Between two programs it names the next file; a program that
// changed without its end being seen (no clock reading at the time) is cut here.
void ProgramRecorder::OnProgramChanged() {
    if (!IsRecording()) {
        return;
    }
    const QString code = program_.player.OnAir().programCode;
    if (betweenPrograms_) {
        StartNextFile();
    } else if (fileProgramCode_.isEmpty()) {
        // recording began before the program was known: the file is this program's
        fileProgramCode_ = code;
    } else if (code != fileProgramCode_) {
        programEnd_.stop();
        CutAt(ServiceNow());
        if (IsRecording()) {
            StartNextFile();
        }
    }
}

// The next program's title did not come: its file is named without one, and takes the program's
// code when it does come.
void ProgramRecorder::StartUntitledFile() {
    StartFileFor(AppState());
}

void ProgramRecorder::StartNextFile() {
    StartFileFor(program_.player.OnAir());
}

void ProgramRecorder::StartFileFor(const AppState& onAir) {
    titleWait_.stop();
    betweenPrograms_ = false;
    std::unique_ptr<OpusRecordingFile> file = NewFile(nextFileStart_, onAir);
    if (file == nullptr) {
        EndWithMessage(StringId::kRecordingFailed, RecordingName::Folder());
        return;
    }
    FinishFile(Recording().SwitchTo(std::move(file)));
    ArmProgramEnd();
}

void ProgramRecorder::FinishFile(std::unique_ptr<OpusRecordingFile> file) {
    if (file == nullptr) {
        return;
    }
    const QString path = file->Path();
    const bool finished = file->Finish();
    Log(QString::fromLatin1(finished ? LogText::kRecordingFinishedFormat
                                     : LogText::kRecordingFailedFormat)
            .arg(path));
}

void ProgramRecorder::CheckFreeSpace() {
    const QString folder = QFileInfo(filePath_).absolutePath();
    if (QStorageInfo(folder).bytesAvailable() >= freeSpaceFloor_) {
        return;
    }
    EndWithMessage(StringId::kRecordingLowDisk, filePath_);
}

// the service's time where the server's clock was read, the computer's own before that
QDateTime ProgramRecorder::ServiceNow() const {
    return table_.ServiceNow().value_or(QDateTime::currentDateTime());
}

void ProgramRecorder::Log(const QString& text) const {
    program_.log.WriteLog(text.toUtf8());
}

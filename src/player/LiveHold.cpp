#include "player/LiveHold.h"

#include <QStandardPaths>

#include "player/HoldTape.h"
#include "player/OpusRecordingFile.h"
#include "player/RecordingStream.h"

namespace {
// short pages: the sound is on the tape soon after it arrives
constexpr int kPageMs = 200;
}  // namespace

LiveHold::LiveHold(const QStringList& engineOptions, QObject* parent)
    : QObject(parent), keeper_(new RecordingStream(engineOptions, this)) {
    // a tape that cannot be written to ends where it is; the player then comes to its end
    connect(keeper_, &RecordingStream::writeFailed, this, &LiveHold::Stop);
}

LiveHold::~LiveHold() {
    Stop();
}

QString LiveHold::Folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/quilo/hold");
}

bool LiveHold::Start(const QString& address, QString& error) {
    Stop();
    if (!keeper_->IsCreated()) {
        error = QStringLiteral("no media engine");
        return false;
    }
    std::shared_ptr<HoldTape> tape = HoldTape::Create(Folder(), kKeptMs, error);
    const int fd = tape != nullptr ? tape->WritingDescriptor() : -1;
    if (fd < 0) {
        return false;
    }
    std::unique_ptr<OpusRecordingFile> file = OpusRecordingFile::CreateOn(fd, {}, error, kPageMs);
    if (file == nullptr) {
        return false;
    }
    tape->HeadersWritten();
    file->ObservePages([tape = tape.get()](qint64 granule, qint64 fileLength) {
        tape->PageWritten(granule, fileLength);
    });
    tape_ = std::move(tape);
    keeper_->Start(address, std::move(file));
    return true;
}

void LiveHold::Stop() {
    if (tape_ == nullptr) {
        return;
    }
    // the file's writing ends with the connection; what is written stays readable
    keeper_->Stop();
    tape_->EndWriting();
    tape_.reset();
}

#include "player/HoldTape.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// the disk's space is given back in steps of this much, not page by page
constexpr qint64 kFreeingStep = 1 << 20;
constexpr qint64 kBlock = 4096;

// A file no one can open by a name: made nameless where the file system allows it, else made
// in the private folder and its name removed at once.
int OpenNamelessFile(const QString& folder) {
    const QByteArray where = QFile::encodeName(folder);
    int fd = ::open(where.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        return fd;
    }
    QByteArray pattern = where + "/hold-XXXXXX";
    fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) {
        ::unlink(pattern.constData());
    }
    return fd;
}

}  // namespace

struct HoldTape::Reader {
    std::shared_ptr<HoldTape> tape;
    unsigned round = 0;
    // where the reader's data pages begin in the file
    qint64 dataFrom = 0;
    // the position as the reader sees it: headers, then the pages from `dataFrom`
    qint64 position = 0;
    bool started = false;
};

std::shared_ptr<HoldTape> HoldTape::Create(const QString& folder, qint64 keptMs, QString& error) {
    constexpr QFile::Permissions kOwnerOnly =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (!QDir().mkpath(folder) || !QFile::setPermissions(folder, kOwnerOnly)) {
        error = QStringLiteral("%1: cannot be made private").arg(folder);
        return nullptr;
    }
    const int fd = OpenNamelessFile(folder);
    if (fd < 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    return std::shared_ptr<HoldTape>(new HoldTape(fd, keptMs));
}

HoldTape::~HoldTape() {
    ::close(fd_);
}

int HoldTape::WritingDescriptor() const {
    return ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
}

void HoldTape::HeadersWritten() {
    struct stat status {};
    ::fstat(fd_, &status);
    const std::lock_guard guard(lock_);
    headerEnd_ = keptFrom_ = freedUpTo_ = length_ = status.st_size;
}

void HoldTape::PageWritten(qint64 granule, qint64 fileLength) {
    {
        const std::lock_guard guard(lock_);
        pages_.push_back({granule, fileLength});
        length_ = fileLength;
        ForgetOldPages();
    }
    grown_.notify_all();
}

void HoldTape::ForgetOldPages() {
    const qint64 newest = pages_.back().granule;
    while (pages_.size() > 1 && pages_.front().granule < newest - keptSamples_) {
        keptFrom_ = pages_.front().end;
        pages_.pop_front();
    }
    // whole blocks only: the page kept first may share its block with the last one forgotten
    const qint64 freeFrom = (freedUpTo_ + kBlock - 1) / kBlock * kBlock;
    const qint64 freeTo = keptFrom_ / kBlock * kBlock;
    if (freeTo - freeFrom >= kFreeingStep) {
        // a file system that cannot do it keeps the space until the tape is closed
        ::fallocate(fd_, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, freeFrom, freeTo - freeFrom);
        freedUpTo_ = freeTo;
    }
}

void HoldTape::EndWriting() {
    {
        const std::lock_guard guard(lock_);
        writing_ = false;
    }
    grown_.notify_all();
}

void HoldTape::EndReading() {
    {
        const std::lock_guard guard(lock_);
        ++readingRound_;
    }
    grown_.notify_all();
}

qint64 HoldTape::HeldMs() const {
    const std::lock_guard guard(lock_);
    return HeldMsLocked();
}

qint64 HoldTape::HeldMsLocked() const {
    if (pages_.empty()) {
        return 0;
    }
    return (pages_.back().granule - pages_.front().granule) / kSamplesPerMs;
}

int HoldTape::OpenReader(void* opaque, void** reader, uint64_t* size) {
    auto* tape = static_cast<HoldTape*>(opaque);
    auto* opened = new Reader;
    opened->tape = tape->shared_from_this();
    {
        const std::lock_guard guard(tape->lock_);
        opened->round = tape->readingRound_;
        opened->dataFrom = tape->keptFrom_;
    }
    *reader = opened;
    // still growing: its size is not known
    *size = 0;
    return 0;
}

qint64 HoldTape::FileOffset(const Reader& reader, qint64 position) const {
    const qint64 offset =
        position < headerEnd_ ? position : reader.dataFrom + (position - headerEnd_);
    return offset < length_ ? offset : -1;
}

// on the player's input thread, which waits here at the end of what is written
ssize_t HoldTape::Read(void* reader, unsigned char* buffer, size_t length) {
    auto& opened = *static_cast<Reader*>(reader);
    HoldTape& tape = *opened.tape;
    std::unique_lock guard(tape.lock_);
    for (;;) {
        if (opened.round != tape.readingRound_) {
            return 0;
        }
        // the reader fell so far behind that its sound is forgotten: it has come to its end
        if (opened.dataFrom < tape.keptFrom_ && opened.position >= tape.headerEnd_) {
            return 0;
        }
        const bool leadHeld = opened.started || opened.position < tape.headerEnd_ ||
                              !tape.writing_ || tape.HeldMsLocked() >= kLeadMs;
        const qint64 offset = leadHeld ? tape.FileOffset(opened, opened.position) : -1;
        if (offset >= 0) {
            const qint64 available =
                (opened.position < tape.headerEnd_ ? tape.headerEnd_ : tape.length_) - offset;
            const size_t count = static_cast<size_t>(std::min<qint64>(available, length));
            guard.unlock();
            const ssize_t got = ::pread(tape.fd_, buffer, count, offset);
            if (got > 0) {
                opened.position += got;
                opened.started = opened.started || opened.position > tape.headerEnd_;
            }
            return got;
        }
        if (!tape.writing_) {
            return 0;
        }
        tape.grown_.wait(guard);
    }
}

int HoldTape::Seek(void* reader, uint64_t offset) {
    auto& opened = *static_cast<Reader*>(reader);
    HoldTape& tape = *opened.tape;
    const std::lock_guard guard(tape.lock_);
    const auto position = static_cast<qint64>(offset);
    if (position > tape.headerEnd_ + (tape.length_ - opened.dataFrom)) {
        return -1;
    }
    opened.position = position;
    return 0;
}

void HoldTape::CloseReader(void* reader) {
    delete static_cast<Reader*>(reader);
}

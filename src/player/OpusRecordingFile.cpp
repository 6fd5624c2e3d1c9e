#include "player/OpusRecordingFile.h"

#include <fcntl.h>
#include <opus/opusenc.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// clear for music and speech alike, 43 MB an hour
constexpr int kBitsPerSecond = 96000;
// half the encoder's effort of its default (10), for a cost beside playing that a radio left on
// all day can carry; at this rate the difference is hard to hear
constexpr int kComplexity = 5;

OggOpusComments* MakeComments(const RecordingTags& tags) {
    OggOpusComments* comments = ope_comments_create();
    const auto add = [comments](const char* name, const QString& value) {
        if (!value.isEmpty()) {
            ope_comments_add(comments, name, value.toUtf8().constData());
        }
    };
    add("TITLE", tags.title);
    add("ARTIST", tags.artist);
    add("DATE", tags.date);
    add("PROGRAM_CODE", tags.programCode);
    return comments;
}

// An Ogg page's granule position: eight bytes, least significant first, after "OggS", the
// version and the header type.
qint64 PageGranule(const unsigned char* page, int length) {
    constexpr int kGranuleAt = 6;
    constexpr int kGranuleBytes = 8;
    if (length < kGranuleAt + kGranuleBytes) {
        return -1;
    }
    quint64 granule = 0;
    for (int i = kGranuleBytes - 1; i >= 0; --i) {
        granule = (granule << 8) | page[kGranuleAt + i];
    }
    return static_cast<qint64>(granule);
}

}  // namespace

std::unique_ptr<OpusRecordingFile> OpusRecordingFile::Create(const QString& path,
                                                             const RecordingTags& tags,
                                                             QString& error, int longestPageMs) {
    const int fd =
        ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    std::unique_ptr<OpusRecordingFile> file = CreateOn(fd, tags, error, longestPageMs);
    if (file != nullptr) {
        file->path_ = path;
    }
    return file;
}

std::unique_ptr<OpusRecordingFile> OpusRecordingFile::CreateOn(int fd, const RecordingTags& tags,
                                                               QString& error, int longestPageMs) {
    std::unique_ptr<OpusRecordingFile> file(new OpusRecordingFile(QString(), fd));
    static const OpusEncCallbacks kCallbacks{&OpusRecordingFile::WritePage,
                                             &OpusRecordingFile::ClosePage};
    OggOpusComments* comments = MakeComments(tags);
    int status = OPE_OK;
    file->encoder_ = ope_encoder_create_callbacks(&kCallbacks, file.get(), comments, kRate,
                                                  kChannels, 0, &status);
    ope_comments_destroy(comments);
    if (file->encoder_ == nullptr) {
        error = QString::fromLatin1(ope_strerror(status));
        return nullptr;
    }
    // the longest the encoder may hold sound before it writes a page
    ope_encoder_ctl(file->encoder_, OPE_SET_MUXING_DELAY(kRate / 1000 * longestPageMs));
    ope_encoder_ctl(file->encoder_, OPUS_SET_BITRATE(kBitsPerSecond));
    ope_encoder_ctl(file->encoder_, OPUS_SET_COMPLEXITY(kComplexity));
    // the tags are on the disk before any sound, so even a file cut short at once opens
    if (ope_encoder_flush_header(file->encoder_) != OPE_OK || file->failed_) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    return file;
}

OpusRecordingFile::~OpusRecordingFile() {
    if (encoder_ != nullptr) {
        ope_encoder_destroy(encoder_);
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool OpusRecordingFile::Write(const int16_t* samples, int frames) {
    if (failed_ || encoder_ == nullptr) {
        return false;
    }
    framesWritten_ += frames;
    return ope_encoder_write(encoder_, samples, frames) == OPE_OK && !failed_;
}

bool OpusRecordingFile::Finish() {
    if (encoder_ == nullptr) {
        return false;
    }
    // libopusenc 0.2.1 aborts the process when a stream without sound is drained; such a file
    // keeps its tags and plays as empty
    const bool drained = framesWritten_ == 0 || ope_encoder_drain(encoder_) == OPE_OK;
    ope_encoder_destroy(encoder_);
    encoder_ = nullptr;
    return drained && !failed_;
}

int OpusRecordingFile::WritePage(void* self, const unsigned char* page, int length) {
    auto* file = static_cast<OpusRecordingFile*>(self);
    const qint64 granule = PageGranule(page, length);
    while (length > 0 && !file->failed_) {
        const ssize_t written = ::write(file->fd_, page, static_cast<size_t>(length));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            file->failed_ = true;
            break;
        }
        page += written;
        length -= static_cast<int>(written);
        file->fileLength_ += written;
    }
    if (file->failed_) {
        return 1;
    }
    if (file->observer_) {
        file->observer_(granule, file->fileLength_);
    }
    return 0;
}

int OpusRecordingFile::ClosePage(void* self) {
    auto* file = static_cast<OpusRecordingFile*>(self);
    const int closed = ::close(file->fd_);
    file->fd_ = -1;
    return closed == 0 ? 0 : 1;
}

#pragma once

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <memory>

struct OggOpusEnc;

// What a recording says about itself in its Ogg Opus tags.
struct RecordingTags {
    QString title;
    QString artist;
    // "2007-07-01"
    QString date;
    QString programCode;
};

// One Ogg Opus file being written from 48 kHz stereo 16-bit sound. Pages go to the disk as
// the encoder finishes them (at most a second behind the sound), each with a plain write of its
// own, so a file cut off at any moment, by a crash or a full disk, still plays up to its last
// page. The file is created new: an existing one is never overwritten.
class OpusRecordingFile {
public:
    static constexpr int kRate = 48000;
    static constexpr int kChannels = 2;

    // Null, with `error` set, when the file cannot be created or the encoder not made. A page
    // holds at most `longestPageMs` of sound.
    static std::unique_ptr<OpusRecordingFile> Create(const QString& path, const RecordingTags& tags,
                                                     QString& error, int longestPageMs = 1000);
    // The same on a file already open for writing, which the recording file then owns.
    static std::unique_ptr<OpusRecordingFile> CreateOn(int fd, const RecordingTags& tags,
                                                       QString& error, int longestPageMs);
    ~OpusRecordingFile();
    OpusRecordingFile(const OpusRecordingFile&) = delete;
    OpusRecordingFile& operator=(const OpusRecordingFile&) = delete;

    // `frames` frames of interleaved stereo samples; false once a write to the disk failed.
    bool Write(const int16_t* samples, int frames);
    // Ends the stream with its last page and closes the file; false when that failed.
    bool Finish();
    const QString& Path() const { return path_; }
    // Told after each page is on the disk, on the thread that wrote it: the page's granule
    // position (48 kHz samples from the stream's start, counting the encoder's pre-skip) and the
    // file's length after it. The header pages are written before an observer can be set.
    using PageObserver = std::function<void(qint64 granule, qint64 fileLength)>;
    void ObservePages(PageObserver observer) { observer_ = std::move(observer); }

private:
    OpusRecordingFile(QString path, int fd) : path_(std::move(path)), fd_(fd) {}
    static int WritePage(void* self, const unsigned char* page, int length);
    static int ClosePage(void* self);

    QString path_;
    int fd_ = -1;
    OggOpusEnc* encoder_ = nullptr;
    bool failed_ = false;
    qint64 framesWritten_ = 0;
    qint64 fileLength_ = 0;
    PageObserver observer_;
};

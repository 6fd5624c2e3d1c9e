#pragma once

#include <sys/types.h>
#include <QString>
#include <QtGlobal>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

// The sound held while the listener pauses the live radio: one Ogg Opus stream in a file that
// has no name (no other user, and no other program of ours, can open it; it is gone with its
// last descriptor, a crash included), written page by page on one side and read back by the
// listener's player through libVLC's media callbacks on the other.
//
// A reader starts at the oldest page kept, after the stream's two header pages. At the end of
// what has been written it waits for the next page, as a live stream would, so the player
// plays on behind live for as long as the writing goes on. Only the newest `keptMs` are kept:
// older pages are forgotten and their disk space given back.
class HoldTape : public std::enable_shared_from_this<HoldTape> {
public:
    // A reader does not start before this much sound is held, so that it never runs dry right
    // behind the writing.
    static constexpr qint64 kLeadMs = 3000;

    // Null, with `error` set, when no such file can be made in `folder`.
    static std::shared_ptr<HoldTape> Create(const QString& folder, qint64 keptMs, QString& error);
    ~HoldTape();
    HoldTape(const HoldTape&) = delete;
    HoldTape& operator=(const HoldTape&) = delete;

    // A descriptor to write the stream into (the caller owns it); -1 when it cannot be had.
    int WritingDescriptor() const;
    // After the header pages: from here on each page is told as it is written.
    void HeadersWritten();
    // on the writing thread
    void PageWritten(qint64 granule, qint64 fileLength);
    // Nothing more will be written: readers get the end once they reach it.
    void EndWriting();
    // Every reader open now gets the end at once, a waiting one included (a player must never be
    // stopped while its reader waits); readers opened afterwards read as usual.
    void EndReading();
    // the sound kept, in ms
    qint64 HeldMs() const;

    // libVLC's media callbacks; `opaque` is the tape, `reader` what OpenReader made.
    static int OpenReader(void* opaque, void** reader, uint64_t* size);
    static ssize_t Read(void* reader, unsigned char* buffer, size_t length);
    static int Seek(void* reader, uint64_t offset);
    static void CloseReader(void* reader);

private:
    struct Reader;
    struct Page {
        qint64 granule;
        // the file's length once the page was written
        qint64 end;
    };

    HoldTape(int fd, qint64 keptMs) : fd_(fd), keptSamples_(keptMs * kSamplesPerMs) {}
    static constexpr qint64 kSamplesPerMs = 48;
    void ForgetOldPages();
    qint64 HeldMsLocked() const;
    // where a reader's `position` is in the file, or -1 beyond what is written
    qint64 FileOffset(const Reader& reader, qint64 position) const;

    const int fd_;
    const qint64 keptSamples_;
    mutable std::mutex lock_;
    std::condition_variable grown_;
    // the pages kept after the headers, oldest first
    std::deque<Page> pages_;
    qint64 headerEnd_ = 0;
    // where the oldest page kept begins; what lies before it (after the headers) is forgotten
    qint64 keptFrom_ = 0;
    // how much of the forgotten part has been given back to the disk
    qint64 freedUpTo_ = 0;
    qint64 length_ = 0;
    bool writing_ = true;
    // raised by EndReading: a reader opened before it reads no more
    unsigned readingRound_ = 0;
};

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <string>

#include "player/HoldTape.h"

namespace {

constexpr qint64 kSamplesPerSecond = 48000;
constexpr size_t kPageBytes = 256 * 1024;

// A tape written by hand: four header bytes, then one page a second, each filled with its letter.
class HandWrittenTape {
public:
    HandWrittenTape(const QString& folder, qint64 keptMs) {
        QString error;
        tape = HoldTape::Create(folder, keptMs, error);
        EXPECT_NE(tape, nullptr) << error.toStdString();
        fd_ = tape->WritingDescriptor();
        EXPECT_EQ(::write(fd_, "HEAD", 4), 4);
        tape->HeadersWritten();
    }
    ~HandWrittenTape() { ::close(fd_); }
    void Page(char letter) {
        const std::string body(kPageBytes, letter);
        ASSERT_EQ(::write(fd_, body.data(), body.size()), static_cast<ssize_t>(body.size()));
        tape->PageWritten(second_++ * kSamplesPerSecond, ::lseek(fd_, 0, SEEK_CUR));
    }
    // bytes the file really takes on the disk
    qint64 DiskBytes() const {
        struct stat status {};
        ::fstat(fd_, &status);
        return static_cast<qint64>(status.st_blocks) * 512;
    }

    std::shared_ptr<HoldTape> tape;

private:
    int fd_ = -1;
    qint64 second_ = 0;
};

struct Reading {
    explicit Reading(HoldTape& tape) {
        uint64_t size = 0;
        HoldTape::OpenReader(&tape, &reader, &size);
    }
    ~Reading() { HoldTape::CloseReader(reader); }
    std::string Read(size_t length) {
        std::string buffer(length, '\0');
        const ssize_t got =
            HoldTape::Read(reader, reinterpret_cast<unsigned char*>(buffer.data()), length);
        buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return buffer;
    }
    void* reader = nullptr;
};

bool IsWaiting(const std::future<std::string>& read) {
    return read.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

}  // namespace

TEST(HoldTape, AReaderWaitsForItsLeadAndTheNextPageAndStartsAtTheOldestPageKept) {
    QTemporaryDir home;
    const QString folder = home.path() + "/hold";
    HandWrittenTape written(folder, 10000);
    // nothing in the private folder has a name
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    EXPECT_EQ(QFileInfo(folder).permissions() & 0x0077, 0);

    Reading first(*written.tape);
    EXPECT_EQ(first.Read(100), "HEAD");
    written.Page('a');
    written.Page('b');
    std::future<std::string> read = std::async(std::launch::async, [&] { return first.Read(1); });
    EXPECT_TRUE(IsWaiting(read)) << "two seconds are less than the lead";
    written.Page('c');
    written.Page('d');
    EXPECT_EQ(read.get(), "a");
    EXPECT_EQ(first.Read(kPageBytes - 1), std::string(kPageBytes - 1, 'a'));

    // Twenty seconds written: the nine older than ten seconds are forgotten and give their disk
    // space back, and a reader that was still in them has come to its end.
    for (char letter = 'e'; letter <= 't'; ++letter) {
        written.Page(letter);
    }
    EXPECT_LE(written.tape->HeldMs(), 10000);
    EXPECT_LT(written.DiskBytes(), 13 * static_cast<qint64>(kPageBytes));
    EXPECT_EQ(first.Read(1), "");
    Reading later(*written.tape);
    EXPECT_EQ(later.Read(4), "HEAD");
    EXPECT_EQ(later.Read(1), "j");

    // at the end a reader waits; it is let go by EndReading, and one opened after reads on
    EXPECT_EQ(HoldTape::Seek(later.reader, 4 + 11 * kPageBytes), 0);
    read = std::async(std::launch::async, [&] { return later.Read(1); });
    EXPECT_TRUE(IsWaiting(read));
    written.tape->EndReading();
    EXPECT_EQ(read.get(), "");
    Reading again(*written.tape);
    EXPECT_EQ(again.Read(5), "HEAD");
    written.tape->EndWriting();
    EXPECT_EQ(HoldTape::Seek(again.reader, 4 + 11 * kPageBytes), 0);
    EXPECT_EQ(again.Read(1), "") << "the end of a tape no longer written";
}

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Reads one HTTP/1.1 response as its bytes arrive, in pieces of any size: the status line, the
// header lines as the server wrote them, and the body framed by Content-Length, by the chunked
// transfer coding (taken apart here) or by the end of the connection.
//
// What a server may send is bounded, so that memory stays small whatever comes: a response over
// a limit, or one the connection cuts off before its end, is no response at all.
class HttpResponseReader {
public:
    // the status line and the header lines together (also those of interim answers and the
    // trailers of a chunked body), and any single line of chunk framing
    static constexpr qsizetype kMaxHeadBytes = 64 * 1024;
    static constexpr int kMaxHeaderLines = 100;
    // the answers are small pages
    static constexpr qsizetype kMaxBodyBytes = 1024 * 1024;

    // Takes the next bytes from the connection; true once the response is whole. Bytes after the
    // end of the response are ignored.
    bool Feed(QByteArrayView bytes);
    // The connection has closed: a body that runs until the close ends here, and a response
    // still short of its end is no response.
    void ConnectionClosed();

    bool Complete() const { return stage_ == Stage::Done || stage_ == Stage::Invalid; }
    // false until a valid status line has arrived, and after a response that was not valid, was
    // cut short or went over a limit
    bool HasStatus() const { return status_ > 0 && stage_ != Stage::Invalid; }
    int Status() const { return status_; }
    // every header line as sent, "Name: value" each ended by CR LF, a repeated header one line
    // per occurrence
    const QByteArray& HeaderLines() const { return headers_; }
    // the values of every header of this name (any case), in the order they came
    QList<QByteArray> HeaderValues(QByteArrayView name) const;
    const QByteArray& Body() const { return body_; }

private:
    enum class Stage {
        StatusLine,
        HeaderLines,
        SizedBody,
        BodyUntilClose,
        ChunkSize,
        ChunkData,
        ChunkEnd,
        Trailers,
        Done,
        Invalid,
    };

    bool TakeLine(QByteArray& line);
    qsizetype LineBudget() const;
    void Step();
    void ReadStatusLine(const QByteArray& line);
    void ReadHeaderLine(const QByteArray& line);
    void StartBody();
    void ReadChunkSize(const QByteArray& line);
    void TakeBodyBytes(Stage next);
    void AddToBody(QByteArrayView bytes);
    void Refuse();

    QByteArray buffer_;
    Stage stage_ = Stage::StatusLine;
    int status_ = 0;
    QByteArray headers_;
    QByteArray body_;
    qint64 remaining_ = 0;  // bytes still to come of the sized body or the current chunk
    qsizetype headBytes_ = 0;
    int headerLines_ = 0;
};

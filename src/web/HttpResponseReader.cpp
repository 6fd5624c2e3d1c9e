#include "web/HttpResponseReader.h"

#include <utility>

namespace {

bool IsInterim(int status) {
    // 101 switches protocols and is final; the other 1xx answers precede the real one
    return status >= 100 && status < 200 && status != 101;
}

bool HasNoBody(int status) {
    return (status >= 100 && status < 200) || status == 204 || status == 304;
}

}  // namespace

bool HttpResponseReader::Feed(QByteArrayView bytes) {
    if (Complete()) {
        return true;
    }
    buffer_.append(bytes);
    while (!Complete()) {
        const qsizetype before = buffer_.size();
        Step();
        if (buffer_.size() == before) {
            break;  // every stage takes bytes when it can, so this one waits for more
        }
    }
    return Complete();
}

void HttpResponseReader::ConnectionClosed() {
    if (stage_ == Stage::BodyUntilClose) {
        stage_ = Stage::Done;
    } else if (stage_ != Stage::Done) {
        Refuse();
    }
}

QList<QByteArray> HttpResponseReader::HeaderValues(QByteArrayView name) const {
    QList<QByteArray> values;
    for (const QByteArray& line : headers_.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.first(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            values << line.sliced(colon + 1).trimmed();
        }
    }
    return values;
}

// One line from the buffer, without its end; a bare LF ends a line as well as CR LF does. A line
// longer than it may be ends the response as soon as that shows, whether or not its end came.
bool HttpResponseReader::TakeLine(QByteArray& line) {
    const qsizetype end = buffer_.indexOf('\n');
    const qsizetype taken = end < 0 ? buffer_.size() + 1 : end + 1;  // at the least
    if (taken > LineBudget()) {
        Refuse();
        return false;
    }
    if (end < 0) {
        return false;
    }
    line = buffer_.left(end);
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    buffer_.remove(0, taken);
    if (stage_ != Stage::ChunkSize && stage_ != Stage::ChunkEnd) {
        headBytes_ += taken;
    }
    return true;
}

// The bytes the next line may take, its end included: the lines of the head and of the trailers
// share one allowance, a line of chunk framing has one of its own.
qsizetype HttpResponseReader::LineBudget() const {
    if (stage_ == Stage::ChunkSize || stage_ == Stage::ChunkEnd) {
        return kMaxHeadBytes;
    }
    return kMaxHeadBytes - headBytes_;
}

// Nothing of the response is kept, and nothing more is read.
void HttpResponseReader::Refuse() {
    stage_ = Stage::Invalid;
    status_ = 0;
    buffer_ = {};
    headers_ = {};
    body_ = {};
}

void HttpResponseReader::Step() {
    QByteArray line;
    switch (stage_) {
        case Stage::StatusLine:
            if (TakeLine(line)) {
                ReadStatusLine(line);
            }
            break;
        case Stage::HeaderLines:
        case Stage::Trailers:
            if (TakeLine(line)) {
                ReadHeaderLine(line);
            }
            break;
        case Stage::SizedBody:
            TakeBodyBytes(Stage::Done);
            break;
        case Stage::BodyUntilClose:
            AddToBody(std::exchange(buffer_, {}));
            break;
        case Stage::ChunkSize:
            if (TakeLine(line)) {
                ReadChunkSize(line);
            }
            break;
        case Stage::ChunkData:
            TakeBodyBytes(Stage::ChunkEnd);
            break;
        case Stage::ChunkEnd:
            if (TakeLine(line)) {
                stage_ = Stage::ChunkSize;
            }
            break;
        case Stage::Done:
        case Stage::Invalid:
            break;
    }
}

void HttpResponseReader::ReadStatusLine(const QByteArray& line) {
    // "HTTP/1.1 200 OK"; the reason phrase may be missing
    const QList<QByteArray> parts = line.split(' ');
    bool ok = false;
    const int status = parts.value(1).toInt(&ok);
    const bool valid =
        line.startsWith("HTTP/") && parts.value(1).size() == 3 && ok && status >= 100;
    stage_ = valid ? Stage::HeaderLines : Stage::Invalid;
    status_ = valid ? status : 0;
}

void HttpResponseReader::ReadHeaderLine(const QByteArray& line) {
    if (!line.isEmpty()) {
        if (++headerLines_ > kMaxHeaderLines) {
            Refuse();
            return;
        }
        // a trailer line of a chunked body is not a header of the response
        if (stage_ == Stage::HeaderLines) {
            headers_ += line + "\r\n";
        }
        return;
    }
    if (stage_ == Stage::Trailers) {
        stage_ = Stage::Done;
    } else if (IsInterim(status_)) {
        headers_.clear();
        status_ = 0;
        stage_ = Stage::StatusLine;
    } else {
        StartBody();
    }
}

void HttpResponseReader::StartBody() {
    if (HasNoBody(status_)) {
        stage_ = Stage::Done;
        return;
    }
    const QList<QByteArray> codings = HeaderValues("Transfer-Encoding");
    if (!codings.isEmpty() && codings.last().toLower().endsWith("chunked")) {
        stage_ = Stage::ChunkSize;
        return;
    }
    const QList<QByteArray> lengths = HeaderValues("Content-Length");
    bool ok = false;
    remaining_ = lengths.isEmpty() ? -1 : lengths.first().toLongLong(&ok);
    if (!ok || remaining_ < 0) {
        stage_ = Stage::BodyUntilClose;
    } else if (remaining_ > kMaxBodyBytes) {
        Refuse();  // before a byte of it is read
    } else {
        stage_ = remaining_ == 0 ? Stage::Done : Stage::SizedBody;
    }
}

void HttpResponseReader::ReadChunkSize(const QByteArray& line) {
    // "1a3f" or "1a3f;name=value": extensions are passed over
    const qsizetype semicolon = line.indexOf(';');
    bool ok = false;
    remaining_ = line.left(semicolon < 0 ? line.size() : semicolon).trimmed().toLongLong(&ok, 16);
    if (!ok || remaining_ < 0) {
        // the rest cannot be framed; the body read so far is all there is
        stage_ = Stage::Done;
        return;
    }
    if (remaining_ > kMaxBodyBytes - body_.size()) {
        Refuse();
        return;
    }
    stage_ = remaining_ == 0 ? Stage::Trailers : Stage::ChunkData;
}

void HttpResponseReader::TakeBodyBytes(Stage next) {
    const qsizetype count = std::min<qint64>(remaining_, buffer_.size());
    body_ += buffer_.left(count);
    buffer_.remove(0, count);
    remaining_ -= count;
    if (remaining_ == 0) {
        stage_ = next;
    }
}

void HttpResponseReader::AddToBody(QByteArrayView bytes) {
    if (bytes.size() > kMaxBodyBytes - body_.size()) {
        Refuse();
        return;
    }
    body_ += bytes;
}

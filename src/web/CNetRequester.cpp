#include "web/CNetRequester.h"

#include "web/HttpAddress.h"

#include <optional>

namespace {

const char* const kUserAgent = "Mozilla/4.0 (compatible; Quilo)";

// The target as given, with only the bytes that would break the request line escaped.
QByteArray WireTarget(const QByteArray& target) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QByteArray wire;
    wire.reserve(target.size());
    for (const char byte : target) {
        const auto value = static_cast<unsigned char>(byte);
        if (value > 0x20 && value < 0x7F) {
            wire.append(byte);
        } else {
            wire.append('%').append(kDigits[value >> 4]).append(kDigits[value & 0x0F]);
        }
    }
    return wire;
}

}  // namespace

CNetRequester::CNetRequester(QObject* parent) : QObject(parent), cookies_(curl_share_init()) {
    curl_share_setopt(cookies_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    failLater_.setSingleShot(true);
    failLater_.setInterval(0);
    connect(&failLater_, &QTimer::timeout, this, [this] { Finish(CURLE_URL_MALFORMAT); });
}

CNetRequester::~CNetRequester() {
    Abort();
    curl_share_cleanup(cookies_);
}

void CNetRequester::SendRequest(bool post, const QString& address, const QByteArray& requestData) {
    Abort();
    response_ = NetResponse();
    headerLines_ = 0;
    headBytes_ = 0;
    const std::optional<HttpAddress> split = SplitHttpAddress(address.toUtf8());
    if (!split) {
        failLater_.start();
        return;
    }
    SetUp(post, split->Origin() + WireTarget(split->target), requestData);
    multi_.Start(transfer_, [this](CURLcode result) { Finish(result); });
}

void CNetRequester::SetUp(bool post, const QByteArray& url, const QByteArray& formData) {
    transfer_ = curl_easy_init();
    curl_easy_setopt(transfer_, CURLOPT_URL, url.constData());
    curl_easy_setopt(transfer_, CURLOPT_PROTOCOLS_STR, "http,https");
    // "/a/../b" goes out as written, as every escape does
    curl_easy_setopt(transfer_, CURLOPT_PATH_AS_IS, 1L);
    // HTTP/2 would lower-case the header names the log-in rule searches for
    curl_easy_setopt(transfer_, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(transfer_, CURLOPT_USERAGENT, kUserAgent);
    extraHeaders_ = curl_slist_append(nullptr, "Connection: close");
    extraHeaders_ = curl_slist_append(extraHeaders_, "Expect:");
    curl_easy_setopt(transfer_, CURLOPT_HTTPHEADER, extraHeaders_);
    curl_easy_setopt(transfer_, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(transfer_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(transfer_, CURLOPT_SHARE, cookies_);
    curl_easy_setopt(transfer_, CURLOPT_COOKIEFILE, "");  // cookies in memory only
    curl_easy_setopt(transfer_, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBodyBytes));
    curl_easy_setopt(transfer_, CURLOPT_HEADERFUNCTION, &CNetRequester::OnHeaderLine);
    curl_easy_setopt(transfer_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(transfer_, CURLOPT_WRITEFUNCTION, &CNetRequester::OnBodyBytes);
    curl_easy_setopt(transfer_, CURLOPT_WRITEDATA, this);
    if (post) {
        curl_easy_setopt(transfer_, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(formData.size()));
        curl_easy_setopt(transfer_, CURLOPT_COPYPOSTFIELDS, formData.constData());
    }
}

void CNetRequester::Abort() {
    failLater_.stop();
    DropTransfer();
}

// Returning fewer bytes than given ends the transfer as failed: that is how an answer over a
// limit is refused at once.
size_t CNetRequester::OnHeaderLine(char* bytes, size_t size, size_t count, void* self) {
    const QByteArrayView line(bytes, static_cast<qsizetype>(size * count));
    return static_cast<CNetRequester*>(self)->TakeHeaderLine(line) ? size * count : 0;
}

size_t CNetRequester::OnBodyBytes(char* bytes, size_t size, size_t count, void* self) {
    const QByteArrayView piece(bytes, static_cast<qsizetype>(size * count));
    return static_cast<CNetRequester*>(self)->TakeBodyBytes(piece) ? size * count : 0;
}

bool CNetRequester::TakeHeaderLine(QByteArrayView line) {
    headBytes_ += line.size();
    const QByteArrayView text = line.trimmed();
    if (text.startsWith("HTTP/")) {
        response_.headers.clear();  // an interim answer's lines are not the answer's
    } else if (!text.isEmpty()) {
        response_.headers += text.toByteArray() + "\r\n";
        ++headerLines_;
    }
    return headBytes_ <= kMaxHeadBytes && headerLines_ <= kMaxHeaderLines;
}

bool CNetRequester::TakeBodyBytes(QByteArrayView bytes) {
    if (response_.body.size() + bytes.size() > kMaxBodyBytes) {
        return false;
    }
    response_.body += bytes;
    return true;
}

void CNetRequester::Finish(CURLcode result) {
    NetResponse response = std::exchange(response_, NetResponse());
    response.responded = result == CURLE_OK;
    if (response.responded) {
        long status = 0;
        curl_easy_getinfo(transfer_, CURLINFO_RESPONSE_CODE, &status);
        response.status = static_cast<int>(status);
        curl_header* location = nullptr;
        if (curl_easy_header(transfer_, "Location", 0, CURLH_HEADER, -1, &location) == CURLHE_OK) {
            response.location = QByteArray(location->value);
        }
    } else {
        response = NetResponse();
    }
    // dropped before the answer is told: its receiver may well send the next request at once
    DropTransfer();
    emit requestFinished(response);
}

void CNetRequester::DropTransfer() {
    if (transfer_ != nullptr) {
        multi_.Cancel(transfer_);
        curl_easy_cleanup(std::exchange(transfer_, nullptr));
    }
    curl_slist_free_all(std::exchange(extraHeaders_, nullptr));
}

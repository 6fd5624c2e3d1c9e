// The escapes the program sends for the listener's ID, password and messages, and the reading of
// the same escapes in the log-in cookie: one must undo the other for every byte.
#include "FuzzCheck.h"
#include "web/ResponseHeaders.h"
#include "web/UrlEncode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray escaped = UrlEncode(bytes, true);
    const QByteArray digits = UrlEncode(bytes, false);
    FUZZ_CHECK(escaped.size() == bytes.size() * 3 && digits.size() == bytes.size() * 2);
    FUZZ_CHECK(QByteArray::fromPercentEncoding(escaped) == bytes);
    FUZZ_CHECK(QByteArray::fromHex(digits) == bytes);
    // the cookie's value starts right after "USER%5FNAME=" with the "%" of its first escape
    FUZZ_CHECK(DecodeHexName("USER%5FNAME=" + escaped) == bytes);
    return 0;
}

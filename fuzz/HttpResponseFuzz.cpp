// A response from any server the program asks, arriving in pieces of any size.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "web/HttpResponseReader.h"

namespace {

bool SameResponse(const HttpResponseReader& a, const HttpResponseReader& b) {
    return a.Complete() == b.Complete() && a.HasStatus() == b.HasStatus() &&
           a.Status() == b.Status() && a.HeaderLines() == b.HeaderLines() && a.Body() == b.Body();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool closes = input.ConsumeBool();
    // each byte of this number, plus one, is the size of a piece, in turn
    const auto sizes = input.ConsumeIntegral<uint32_t>();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QByteArrayView response(bytes.data(), static_cast<qsizetype>(bytes.size()));

    HttpResponseReader whole;
    whole.Feed(response);
    // the same bytes in pieces, the sizes of which the input chooses, read the same
    HttpResponseReader pieces;
    qsizetype at = 0;
    for (unsigned i = 0; at < response.size(); ++i) {
        const qsizetype piece = 1 + ((sizes >> (8 * (i % 4))) & 0xFF);
        pieces.Feed(response.sliced(at, std::min(piece, response.size() - at)));
        at += piece;
    }
    if (closes) {
        whole.ConnectionClosed();
        pieces.ConnectionClosed();
    }
    FUZZ_CHECK(SameResponse(whole, pieces));

    if (whole.HasStatus()) {
        FUZZ_CHECK(whole.Status() >= 100 && whole.Status() <= 999);
    }
    FUZZ_CHECK(whole.Body().size() <= response.size());
    FUZZ_CHECK(whole.HeaderLines().isEmpty() || whole.HeaderLines().endsWith("\r\n"));
    return 0;
}

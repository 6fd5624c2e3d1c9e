// Korean code page text from the service, the skins and the log-in cookie.
#include "FuzzCheck.h"
#include "platform/Cp949.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = FromCp949(bytes);
    const QByteArray encoded = ToCp949(text);
    FUZZ_CHECK(Cp949Length(text) == encoded.size());
    // text that decodes without a replaced character goes back to the very same bytes
    if (!text.contains(QChar::ReplacementCharacter)) {
        FUZZ_CHECK(encoded == bytes);
        FUZZ_CHECK(FromCp949(encoded) == text);
    }
    return 0;
}

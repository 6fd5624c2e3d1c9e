// The service's text files (version, program info, event, ticker): every value is cut out of them
// by the same two readers.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>

#include "FuzzCheck.h"
#include "content/ServerText.h"

namespace {

constexpr std::array<const char*, 8> kKeys = {"[VER]",    "[URL]", "[TITLE]", "[CONTENTS]",
                                              "[SCROLL]", "[VFM]", "[AIR]",   "[END]"};
constexpr std::array<const char*, 3> kTerminators = {"\r\n[", "\r\n[END]", "[SCR_URL]"};

QByteArrayView View(const std::string& text) {
    return QByteArrayView(text.data(), static_cast<qsizetype>(text.size()));
}

void CheckValue(QByteArrayView text, QByteArrayView key, QByteArrayView terminator) {
    const QByteArray value = GetSectionValue(text, key, terminator);
    if (value.isEmpty()) {
        return;
    }
    // a value is the text from the line after an occurrence of its key, stopping before the
    // terminator
    bool afterKey = false;
    for (qsizetype at = text.indexOf(key); at >= 0 && !afterKey; at = text.indexOf(key, at + 1)) {
        const qsizetype begin = at + key.size() + 2;
        afterKey = begin <= text.size() && text.sliced(begin).startsWith(value);
    }
    FUZZ_CHECK(afterKey);
    FUZZ_CHECK(!terminator.isEmpty() && !value.contains(terminator));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // the input's last bytes choose a key and a terminator from the text itself
    FuzzedDataProvider input(data, size);
    const size_t keyAt = input.ConsumeIntegral<size_t>();
    const size_t keyLength = input.ConsumeIntegralInRange<size_t>(0, 12);
    const size_t terminatorAt = input.ConsumeIntegral<size_t>();
    const size_t terminatorLength = input.ConsumeIntegralInRange<size_t>(0, 4);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const std::string ownKey = text.substr(keyAt % (text.size() + 1), keyLength);
    const std::string ownTerminator =
        text.substr(terminatorAt % (text.size() + 1), terminatorLength);
    const QByteArrayView textView = View(text);
    for (const char* key : kKeys) {
        for (const char* terminator : kTerminators) {
            CheckValue(textView, key, terminator);
        }
        const char flag = GetSectionFlag(textView, key);
        FUZZ_CHECK(flag == '\0' || text.find(key) != std::string::npos);
    }
    CheckValue(textView, View(ownKey), View(ownTerminator));
    CheckValue(textView, View(ownKey), "\r\n[");
    GetSectionFlag(textView, View(ownKey));
    return 0;
}

// The skin text: the entries every window reads its positions and colours from, and the
// positional number conversion they share with the date header.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "platform/KeyNumbers.h"

namespace {

// Keys as the windows ask for them, with one, three and four numbers.
constexpr std::array<const char*, 4> kKeys = {"[MAIN_EDIT]", "[MAIN_EDIT_COL]", "[MINI_BG]",
                                              "[FONT_SIZE]"};

// Every byte is one decimal place; without a "-" no byte but a digit adds anything. At most 18
// places fit in 64 bits, so the sum here is exact.
int64_t PlainPositional(const std::string& field) {
    int64_t value = 0;
    for (const char byte : field) {
        value = value * 10 + (byte >= '0' && byte <= '9' ? byte - '0' : 0);
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int count = input.ConsumeIntegralInRange(1, 4);
    const size_t fieldAt = input.ConsumeIntegral<size_t>();
    const size_t fieldLength = input.ConsumeIntegralInRange<size_t>(0, 40);
    const size_t keyAt = input.ConsumeIntegral<size_t>();
    const size_t keyLength = input.ConsumeIntegralInRange<size_t>(0, 16);
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const std::string field = rest.substr(fieldAt % (rest.size() + 1), fieldLength);
    const std::string ownKey = rest.substr(keyAt % (rest.size() + 1), keyLength);
    const QByteArrayView fieldView(field.data(), static_cast<qsizetype>(field.size()));
    const int32_t narrow = ParseFieldNumber(fieldView);
    const int64_t wide = ParseFieldNumber64(fieldView);
    // nine places cannot overflow 32 bits: both widths read the same number
    if (field.size() <= 9) {
        FUZZ_CHECK(narrow == wide);
    }
    if (field.size() <= 18 && field.find('-') == std::string::npos) {
        FUZZ_CHECK(wide == PlainPositional(field));
    }

    const QByteArray text(rest.data(), static_cast<qsizetype>(rest.size()));
    for (const char* key : {kKeys[static_cast<size_t>(count - 1)], ownKey.c_str()}) {
        // a guard after the asked-for numbers shows a write past them
        std::array<int32_t, 5> values{};
        values[static_cast<size_t>(count)] = 0x5A5A5A5A;
        const int found = GetKeyValues(text, key, values.data(), count);
        FUZZ_CHECK(found == 0 || found == 1);
        FUZZ_CHECK(values[static_cast<size_t>(count)] == 0x5A5A5A5A);
        if (found == 1) {
            FUZZ_CHECK(text.contains(key));
        }
    }
    return 0;
}

#include "platform/KeyNumbers.h"

#include <type_traits>
#include <vector>

namespace {

// The same rule for both widths: the weight of byte k is 10^(L-1-k); a "-" while nothing has
// been added marks the number negative, a "-" after a digit starts the number over at 0.
template <typename Number>
Number ParsePositional(QByteArrayView field) {
    using Unsigned = std::make_unsigned_t<Number>;
    // the arithmetic wraps like the fixed-width integers it stands for, instead of overflowing
    Unsigned result = 0;
    // weights from the last byte (10^0) leftwards, so every one is exact modulo the width
    std::vector<Unsigned> weights(static_cast<size_t>(field.size()));
    Unsigned weight = 1;
    for (auto w = weights.rbegin(); w != weights.rend(); ++w) {
        *w = weight;
        weight *= 10;
    }
    bool negative = false;
    for (qsizetype k = 0; k < field.size(); ++k) {
        const char byte = field[k];
        if (byte >= '0' && byte <= '9') {
            result += static_cast<Unsigned>(byte - '0') * weights[static_cast<size_t>(k)];
        } else if (byte == '-') {
            if (result == 0) {
                negative = true;
            } else {
                result = 0;
            }
        }
    }
    if (negative) {
        result = Unsigned{0} - result;
    }
    return static_cast<Number>(result);
}

}  // namespace

int GetKeyValues(const QByteArray& text, const char* key, int32_t* values, int count) {
    const QByteArrayView keyView(key);
    const qsizetype keyAt = text.indexOf(keyView);
    if (keyAt < 0) {
        return 0;
    }
    // the one separator character after the closing bracket is skipped unread
    qsizetype fieldStart = keyAt + keyView.size() + 1;
    for (int i = 0; i < count; ++i) {
        const char delimiter = (i + 1 < count) ? ',' : '\r';
        const qsizetype delimiterAt =
            fieldStart <= text.size() ? text.indexOf(delimiter, fieldStart) : -1;
        if (delimiterAt < 0) {
            return 0;
        }
        values[i] = ParseFieldNumber(
            QByteArrayView(text.constData() + fieldStart, delimiterAt - fieldStart));
        fieldStart = delimiterAt + 1;
    }
    return 1;
}

int32_t ParseFieldNumber(QByteArrayView field) {
    return ParsePositional<int32_t>(field);
}

int64_t ParseFieldNumber64(QByteArrayView field) {
    return ParsePositional<int64_t>(field);
}

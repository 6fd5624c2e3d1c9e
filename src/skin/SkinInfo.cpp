#include "skin/SkinInfo.h"

#include <QFile>
#include <algorithm>
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

bool SkinInfo::Load(const QString& skinName) {
    QFile file(SkinFolder(skinName) + QStringLiteral("/skininfo.ini"));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    text_ = file.readAll();
    name_ = skinName;
    return true;
}

QString SkinInfo::SkinFolder(const QString& skinName) {
    return QStringLiteral("./Skins/") + skinName;
}

QString SkinInfo::FilePath(const QString& fileName) const {
    return SkinFolder(name_) + fileName;
}

int SkinInfo::GetKeyValues(const QByteArray& text, const char* key, int32_t* values, int count) {
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

int SkinInfo::GetKeyValues(const char* key, int32_t* values, int count) const {
    return GetKeyValues(text_, key, values, count);
}

std::optional<QRect> SkinInfo::GetKeyRect(const char* key) const {
    int32_t values[4] = {};
    if (GetKeyValues(key, values, 4) == 0) {
        return std::nullopt;
    }
    constexpr int32_t kLimit = 32767;
    for (int32_t& value : values) {
        value = std::clamp(value, -kLimit, kLimit);
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

int32_t SkinInfo::ParseFieldNumber(QByteArrayView field) {
    return ParsePositional<int32_t>(field);
}

int64_t SkinInfo::ParseFieldNumber64(QByteArrayView field) {
    return ParsePositional<int64_t>(field);
}

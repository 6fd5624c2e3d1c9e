#include "skin/SkinInfo.h"

#include <QFile>
#include <algorithm>

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

int SkinInfo::GetKeyValues(const char* key, int32_t* values, int count) const {
    return ::GetKeyValues(text_, key, values, count);
}

std::optional<QRect> SkinInfo::KeyRect(const char* key) const {
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

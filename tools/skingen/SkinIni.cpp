#include "SkinIni.h"

#include <algorithm>

void SkinIni::Comment(const QString& text) {
    // a comment must never contain a bracketed key, or a lookup would stop there
    QByteArray line = text.toLatin1();
    line.replace('[', '(').replace(']', ')');
    if (!text_.isEmpty()) {
        text_ += "\r\n";
    }
    text_ += "; " + line + "\r\n";
}

bool SkinIni::Add(const QByteArray& key, const std::vector<int>& values) {
    if (std::find(keys_.begin(), keys_.end(), key) != keys_.end()) {
        return false;
    }
    QByteArray line = key + '=';
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        line += QByteArray::number(values[i]);
    }
    text_ += line + "\r\n";
    keys_.push_back(key);
    return true;
}

QByteArray SkinIni::Bytes() const {
    return text_;
}

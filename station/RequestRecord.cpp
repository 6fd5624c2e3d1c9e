#include "RequestRecord.h"

#include <QJsonObject>

void RequestRecord::Add(Entry entry) {
    std::lock_guard lock(mutex_);
    entries_.append(std::move(entry));
    if (entries_.size() > kLimit) {
        entries_.removeFirst();
    }
}

void RequestRecord::Clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}

QJsonArray RequestRecord::ToJson(const QString& siteFilter) const {
    std::lock_guard lock(mutex_);
    QJsonArray result;
    for (const Entry& entry : entries_) {
        if (!siteFilter.isEmpty() && SiteName(entry.site) != siteFilter) {
            continue;
        }
        QJsonArray headers;
        for (const auto& [name, value] : entry.headers) {
            headers.append(QJsonArray{QString::fromLatin1(name), QString::fromLatin1(value)});
        }
        result.append(QJsonObject{
            {"site", SiteName(entry.site)},
            {"time", entry.receivedUtc.toString(Qt::ISODateWithMs)},
            {"method", QString::fromLatin1(entry.method)},
            {"path", QString::fromLatin1(entry.path)},
            {"query", QString::fromLatin1(entry.query)},
            {"body_hex", QString::fromLatin1(entry.body.toHex())},
            {"headers", headers},
        });
    }
    return result;
}

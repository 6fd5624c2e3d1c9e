#pragma once

#include "Site.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QList>
#include <QPair>

#include <mutex>

// Every request the sites received, in arrival order, for tests that check what a client sent.
// Only the latest kLimit are kept, so a station left running for days stays small.
class RequestRecord {
public:
    struct Entry {
        Site site = Site::Web;
        QDateTime receivedUtc;  // the station's clock
        QByteArray method;
        QByteArray path;   // without the query, still percent-encoded
        QByteArray query;  // as received, without '?'
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
    };

    static constexpr qsizetype kLimit = 10000;

    void Add(Entry entry);
    void Clear();
    // All entries, or those of one site; bytes that may be non-ASCII are given as hex.
    QJsonArray ToJson(const QString& siteFilter) const;

private:
    mutable std::mutex mutex_;
    QList<Entry> entries_;
};

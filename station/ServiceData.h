#pragma once

#include "ProgramSchedule.h"

#include <QByteArray>
#include <QDir>
#include <QHash>
#include <QString>

// The service's content as the station keeps it in its data folder (UTF-8, LF line ends):
//   schedule.txt          the broadcast day's running order, "HH:MM CODE" per line
//   info/*.txt            the server text files (program info per code, event, ticker, update
//                         info), with {WEB}, {MAIN}, {SSO} where an address of a site belongs
//   info/img/*.bmp        link images and the event banner
//   download/*            the setup program (a release file given on the command line is served
//                         beside it)
//   pages/*.html          the web pages, with placeholders of their own
// Everything is read once at start-up and checked, so a broken data folder stops the station
// with a message instead of sending half a file to a client.
class ServiceData {
public:
    bool Load(const QString& folder, QString* error);

    const ProgramSchedule& Schedule() const { return schedule_; }
    // The text of info/<name>.txt, or a null string when there is no such file.
    QString InfoTemplate(const QString& name) const;
    QString Page(const QString& name) const;
    // The bytes of a binary file below the data folder (info/img/..., download/...), or a null
    // array when the name is not a plain file name there.
    QByteArray BinaryFile(const QString& subfolder, const QString& name) const;
    // A file served under /download/ beside the data folder's own, read now, whole, under its
    // own file name (which must be a plain name).
    bool AddDownload(const QString& path, QString* error);
    // The bytes served at /download/<name>, or a null array.
    QByteArray Download(const QString& name) const;

    // The value under "[KEY]" of a server text, up to the next line that opens a key, or up to
    // the line "[NEXTKEY]" when one is named (for values that may hold lines beginning "[").
    static QString KeyValue(const QString& text, const QString& key,
                            const QString& nextKey = QString());

private:
    bool LoadSchedule(QString* error);
    bool LoadTexts(const QString& subfolder, const QString& suffix, QHash<QString, QString>* into,
                   QString* error);
    bool CheckPrograms(QString* error);

    QDir folder_;
    ProgramSchedule schedule_;
    QHash<QString, QString> infoTexts_;
    QHash<QString, QString> pages_;
    QHash<QString, QByteArray> extraDownloads_;
};

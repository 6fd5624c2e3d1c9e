#include "content/UpdateCheck.h"

#include <QCryptographicHash>
#include <QFile>
#include <QUrl>
#include <QWidget>

#include "content/ServerDownload.h"
#include "content/ServerText.h"
#include "content/WorkFolder.h"
#include "platform/ActivityLog.h"
#include "platform/Cp949.h"
#include "platform/DesktopOpen.h"
#include "platform/KeyNumbers.h"
#include "platform/LogMessages.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

namespace {

constexpr char kInfoPath[] = "/info/setup_info.txt";
constexpr char kInfoLocalName[] = "setup_info";
constexpr char kFallbackSetupName[] = "setup.exe";
constexpr char kNextKey[] = "\r\n[";
// the question may hold lines that begin with "[": only the closing key ends it
constexpr char kEndKey[] = "\r\n[END]";
constexpr qsizetype kMaxNameBytes = 255;

// A file in the work folder; empty when there is no usable work folder, which makes the
// download fail as a missing folder would.
QString WorkFile(const QString& folder, const QString& name) {
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

// Deletes the old copy first, so that it can never pass for the new one.
void Download(const QString& address, const QString& localPath, qint64 maxBytes, QObject* receiver,
              ServerDownload::Done done) {
    if (!localPath.isEmpty()) {
        QFile::remove(localPath);
    }
    ServerDownload::Fetch(address, localPath, maxBytes, receiver, std::move(done));
}

// The announced SHA-256 of the release in lower-case hex; empty when none is announced.
QByteArray AnnouncedChecksum(const QByteArray& info) {
    return GetSectionValue(info, "[SHA256]", kNextKey).trimmed().toLower();
}

QByteArray ChecksumOf(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result().toHex()
                                                                 : QByteArray();
}

// Fetches the release the update info names. Only a web address is fetched, and a package
// whose checksum differs from the announced one is thrown away: it is not the release the
// service meant, and the listener would be asked to install it.
void FetchSetup(ActivityLog& log, const QByteArray& info, const QString& address,
                const QString& setupPath, QObject* receiver, const UpdateDone& done) {
    log.WriteLog(LogText::kTrySetup);
    if (!IsWebAddress(address)) {
        log.WriteLog(LogText::kSetupNotWeb);
        done(false);
        return;
    }
    Download(address, setupPath, ServerDownload::kPackageMaxBytes, receiver,
             [&log, info, setupPath, done](bool fetched) {
                 if (!fetched) {
                     log.WriteLog(LogText::kSetupFailed);
                     done(false);
                     return;
                 }
                 const QByteArray announced = AnnouncedChecksum(info);
                 if (!announced.isEmpty() && announced != ChecksumOf(setupPath)) {
                     QFile::remove(setupPath);
                     log.WriteLog(LogText::kSetupMismatch);
                     done(false);
                     return;
                 }
                 log.WriteLog(LogText::kSetupDone);
                 if (announced.isEmpty()) {
                     log.WriteLog(LogText::kSetupUnchecked);
                 }
                 done(true);
             });
}

// Versions compare as the positional numbers of their texts: "2.01" is 2001, "2.10" 2010.
bool IsNewer(const QByteArray& info) {
    const int32_t offered = ParseFieldNumber(GetSectionValue(info, "[VER]", kNextKey));
    const int32_t own = ParseFieldNumber(ToCp949(StringTable::Load(StringId::kVersionNumber)));
    return offered > own;
}

QString Question(const QByteArray& info) {
    const QByteArray message = GetSectionValue(info, "[MSG]", kEndKey);
    return message.isEmpty() ? StringTable::Load(StringId::kUpdateQuestion) : FromCp949(message);
}

// Asks the listener and hands the package over; true once the desktop took it.
bool OfferUpgrade(QWidget* owner, const QByteArray& info, const QString& setupPath) {
    const MessageAnswer answer = ShowMessageText(owner, StringId::kUpdateQuestion, Question(info),
                                                 MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) {
        return false;
    }
    if (OpenFileWithDesktop(setupPath)) {
        return true;
    }
    ShowMessage(owner, StringId::kUpdateFailed, MessageIcon::Error);
    return false;
}

}  // namespace

QString SetupFileName(const QString& address) {
    QString name = QUrl(address).path(QUrl::FullyDecoded).section(QLatin1Char('/'), -1);
    name.remove(QChar(u'\0'));
    while (name.startsWith(QLatin1Char('.'))) {
        name.remove(0, 1);
    }
    if (name.isEmpty() || QFile::encodeName(name).size() > kMaxNameBytes) {
        return QLatin1String(kFallbackSetupName);
    }
    return name;
}

void CheckForUpdate(QWidget* owner, ActivityLog& log, const QString& webServer, UpdateDone done) {
    const QString folder = GetWorkFolder();
    const QString infoPath = WorkFile(folder, QLatin1String(kInfoLocalName));
    log.WriteLog(LogText::kTryVersionInfo);
    Download(webServer + QLatin1String(kInfoPath), infoPath, ServerDownload::kServerTextMaxBytes,
             owner, [owner, &log, folder, infoPath, done](bool fetched) {
                 if (!fetched) {
                     log.WriteLog(LogText::kVersionInfoFailed);
                     done(false);
                     return;
                 }
                 log.WriteLog(LogText::kVersionInfoDone);
                 const QByteArray info = ReadWholeFile(infoPath);
                 if (info.isNull() || !IsNewer(info)) {
                     done(false);
                     return;
                 }
                 const QString address = FromCp949(GetSectionValue(info, "[URL]", kNextKey));
                 const QString setupPath = WorkFile(folder, SetupFileName(address));
                 FetchSetup(log, info, address, setupPath, owner,
                            [owner, info, setupPath, done](bool setupFetched) {
                                done(setupFetched && OfferUpgrade(owner, info, setupPath));
                            });
             });
}

#include "content/UpdateCheck.h"

#include <QFile>
#include <QUrl>

#include "content/ServerDownload.h"
#include "content/ServerText.h"
#include "content/WorkFolder.h"
#include "platform/ActivityLog.h"
#include "platform/Cp949.h"
#include "platform/DesktopOpen.h"
#include "platform/LogMessages.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "skin/SkinInfo.h"

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
bool Download(ActivityLog& log, const QString& address, const QString& localPath, qint64 maxBytes,
              const char* tryText, const char* doneText, const char* failText) {
    if (!localPath.isEmpty()) {
        QFile::remove(localPath);
    }
    log.WriteLog(tryText);
    if (!ServerDownload::Fetch(address, localPath, maxBytes)) {
        log.WriteLog(failText);
        return false;
    }
    log.WriteLog(doneText);
    return true;
}

// Versions compare as the positional numbers of their texts: "2.01" is 2001, "2.10" 2010.
bool IsNewer(const QByteArray& info) {
    const int32_t offered = SkinInfo::ParseFieldNumber(GetSectionValue(info, "[VER]", kNextKey));
    const int32_t own =
        SkinInfo::ParseFieldNumber(ToCp949(StringTable::Load(StringId::kVersionNumber)));
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
    if (OpenWithDesktop(setupPath)) {
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

bool CheckForUpdate(QWidget* owner, ActivityLog& log, const QString& webServer) {
    const QString folder = GetWorkFolder();
    const QString infoPath = WorkFile(folder, QLatin1String(kInfoLocalName));
    if (!Download(log, webServer + QLatin1String(kInfoPath), infoPath,
                  ServerDownload::kServerTextMaxBytes, LogText::kTryVersionInfo,
                  LogText::kVersionInfoDone, LogText::kVersionInfoFailed)) {
        return false;
    }
    const QByteArray info = ReadWholeFile(infoPath);
    if (info.isNull() || !IsNewer(info)) {
        return false;
    }
    const QString address = FromCp949(GetSectionValue(info, "[URL]", kNextKey));
    const QString setupPath = WorkFile(folder, SetupFileName(address));
    if (!Download(log, address, setupPath, ServerDownload::kPackageMaxBytes, LogText::kTrySetup,
                  LogText::kSetupDone, LogText::kSetupFailed)) {
        return false;
    }
    return OfferUpgrade(owner, info, setupPath);
}

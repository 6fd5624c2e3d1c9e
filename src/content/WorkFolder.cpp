#include "content/WorkFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr char kFolderName[] = "rovan_tk";
constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions kOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

QString BaseFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
        return runtime;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
}

bool OwnedByUs(const QFileInfo& info) {
#ifdef Q_OS_UNIX
    return info.ownerId() == ::geteuid();
#else
    return info.isWritable();
#endif
}

// Our own real directory, no link to elsewhere, no one else's.
bool IsOurFolder(const QString& path) {
    const QFileInfo info(path);
    return !info.isSymLink() && info.isDir() && OwnedByUs(info);
}

}  // namespace

QString GetWorkFolder() {
    const QString base = BaseFolder();
    if (base.isEmpty() || !QDir().mkpath(base)) {
        return {};
    }
    const QString folder = QDir(base).filePath(QLatin1String(kFolderName));
    if (!QFileInfo::exists(folder) && !QFileInfo(folder).isSymLink()) {
        // created private at once: there is no moment in which it stands open to others
        QDir().mkdir(folder, kOwnerOnly);
    }
    if (!IsOurFolder(folder)) {
        return {};
    }
    const QFile::Permissions current = QFile::permissions(folder);
    const bool isPrivate = (current & kOthers) == 0 && (current & kOwnerOnly) == kOwnerOnly;
    if (!isPrivate && !QFile::setPermissions(folder, kOwnerOnly)) {
        return {};
    }
    return folder;
}

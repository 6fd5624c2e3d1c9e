#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool HasSkins(const QString& folder) {
    return QFileInfo(folder + QStringLiteral("/Skins")).isDir();
}

// An installed copy keeps its skins in <prefix>/share/quilo/Skins beside <prefix>/bin.
QString InstalledSkins() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/quilo/Skins"));
}

}  // namespace

QString EnterProgramFolder() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (HasSkins(programFolder)) {
        return QDir::setCurrent(programFolder) ? programFolder : QString();
    }
    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        QStringLiteral("/quilo");
    if (!QDir().mkpath(userFolder)) {
        return {};
    }
    const QString skinsLink = userFolder + QStringLiteral("/Skins");
    const QFileInfo link(skinsLink);
    if (!link.exists() && link.isSymLink()) {
        QFile::remove(skinsLink);  // a link left over from a copy installed elsewhere
    }
    if (!HasSkins(userFolder)) {
        QFile::link(InstalledSkins(), skinsLink);
    }
    return QDir::setCurrent(userFolder) ? userFolder : QString();
}

QString CommandLineText(const QStringList& arguments) {
    return arguments.mid(1).join(u' ');
}

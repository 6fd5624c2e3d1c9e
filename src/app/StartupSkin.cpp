#include "app/StartupSkin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/CPrefStore.h"

namespace {
const QString kSkinsFolder = QStringLiteral("./Skins");
const QString kDefaultSkin = QStringLiteral("Quilo2");
const QString kOldDefaultSkin = QStringLiteral("Quilo");
// left by the installer: the first run after an update
const QString kFirstRunMarker = QStringLiteral("./First");

bool IsSkinFolder(const QString& name) {
    return QFileInfo(kSkinsFolder + u'/' + name).isDir();
}

bool ChooseFallbackSkin(CPrefStore& prefs, QString& skinName) {
    if (IsSkinFolder(kDefaultSkin)) {
        skinName = kDefaultSkin;  // saved when the program closes
        return true;
    }
    const QStringList folders =
        QDir(kSkinsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    if (folders.isEmpty()) {
        return false;
    }
    skinName = folders.first();
    prefs.SetSkin(skinName);
    return true;
}
}  // namespace

bool ChooseStartupSkin(CPrefStore& prefs, QString& skinName) {
    skinName = prefs.GetSkin().value_or(QString());
    if (!skinName.isEmpty()) {
        if (QFileInfo::exists(kFirstRunMarker)) {
            QFile::remove(kFirstRunMarker);
            if (skinName.compare(kOldDefaultSkin, Qt::CaseInsensitive) == 0) {
                skinName = kDefaultSkin;
            }
        }
        if (IsSkinFolder(skinName)) {
            return true;
        }
    }
    return ChooseFallbackSkin(prefs, skinName);
}

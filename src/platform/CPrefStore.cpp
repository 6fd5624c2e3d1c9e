#include "platform/CPrefStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/IniSection.h"

namespace {
const QString kSection = QStringLiteral("Prefs");
}

CPrefStore::CPrefStore(QString filePath) : filePath_(std::move(filePath)) {}

QString CPrefStore::DefaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quilo/prefs.ini");
}

bool CPrefStore::ReadValue(const char* key, QString& value) const {
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return IniSection::Find(file.readAll(), kSection, QString::fromLatin1(key), value);
}

bool CPrefStore::WriteValue(const char* key, const QString& value) {
    QFileInfo info(filePath_);
    if (!QDir().mkpath(info.absolutePath())) {
        return false;
    }
    QByteArray contents;
    QFile current(filePath_);
    if (current.open(QIODevice::ReadOnly)) {
        contents = current.readAll();
        current.close();
    }
    // written whole to a new file and renamed, so a crash never leaves half a preferences file
    QSaveFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(IniSection::Replace(contents, kSection, QString::fromLatin1(key), value));
    return file.commit();
}

int CPrefStore::GetString(const char* key, QString& value) const {
    QString stored;
    if (!ReadValue(key, stored)) {
        value.clear();
        return 0;
    }
    value = stored;
    return 1;
}

int CPrefStore::GetNumber(const char* key, uint32_t& number) const {
    QString stored;
    bool isNumber = false;
    const uint parsed = ReadValue(key, stored) ? stored.toUInt(&isNumber) : 0;
    if (!isNumber) {
        return 0;
    }
    number = parsed;
    return 1;
}

int CPrefStore::GetOption(const char* key, int& on) const {
    uint32_t stored = 0;
    const int ok = GetNumber(key, stored);
    on = ok ? static_cast<int>(stored) : 0;
    return ok;
}

int CPrefStore::GetID(QString& id) const {
    return GetString("ID", id);
}
int CPrefStore::SetID(const QString& id) {
    return WriteValue("ID", id);
}
int CPrefStore::GetPW(QString& password) const {
    return GetString("PW", password);
}
int CPrefStore::SetPW(const QString& password) {
    return WriteValue("PW", password);
}
int CPrefStore::GetSkin(QString& skinName) const {
    return GetString("Skin", skinName);
}
int CPrefStore::SetSkin(const QString& skinName) {
    return WriteValue("Skin", skinName);
}

int CPrefStore::GetVolume(uint32_t& volume) const {
    const int ok = GetNumber("Volume", volume);
    if (!ok || volume == 0 || volume > 100) {
        volume = kDefaultVolume;
    }
    return ok;
}

int CPrefStore::SetVolume(uint32_t volume) {
    return WriteValue("Volume", QString::number(volume));
}
int CPrefStore::GetPosX(uint32_t& x) const {
    return GetNumber("PosX", x);
}
int CPrefStore::SetPosX(uint32_t x) {
    return WriteValue("PosX", QString::number(x));
}
int CPrefStore::GetPosY(uint32_t& y) const {
    return GetNumber("PosY", y);
}
int CPrefStore::SetPosY(uint32_t y) {
    return WriteValue("PosY", QString::number(y));
}
int CPrefStore::GetOptionMini(int& on) const {
    return GetOption("OptionMini", on);
}
int CPrefStore::SetOptionMini(int on) {
    return WriteValue("OptionMini", QString::number(on));
}
int CPrefStore::GetOptionAutoLogin(int& on) const {
    return GetOption("OptionAutoLogin", on);
}
int CPrefStore::SetOptionAutoLogin(int on) {
    return WriteValue("OptionAutoLogin", QString::number(on));
}
int CPrefStore::GetOptionTopMost(int& on) const {
    return GetOption("OptionTopMost", on);
}
int CPrefStore::SetOptionTopMost(int on) {
    return WriteValue("OptionTopMost", QString::number(on));
}
int CPrefStore::GetOptionSchedule(int& on) const {
    return GetOption("OptionSchedule", on);
}
int CPrefStore::SetOptionSchedule(int on) {
    return WriteValue("OptionSchedule", QString::number(on));
}

int CPrefStore::GetSchedule(uint8_t* buffer, int size) const {
    QString stored;
    if (size != kScheduleSize || !ReadValue("Schedule", stored)) {
        return 0;
    }
    const QByteArray bytes = QByteArray::fromHex(stored.toLatin1());
    // fromHex skips what is not a digit, so check the length and the round trip
    if (bytes.size() != kScheduleSize || bytes.toHex().compare(stored.toLatin1().toLower()) != 0) {
        return 0;
    }
    std::copy(bytes.begin(), bytes.end(), buffer);
    return 1;
}

int CPrefStore::SetSchedule(const uint8_t* buffer, int size) {
    if (size != kScheduleSize) {
        return 0;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(buffer), size);
    return WriteValue("Schedule", QString::fromLatin1(bytes.toHex().toUpper()));
}

int CPrefStore::GetInstalledDir(QString& folder) const {
    folder = QCoreApplication::applicationDirPath();
    return folder.isEmpty() ? 0 : 1;
}

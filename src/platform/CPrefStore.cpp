#include "platform/CPrefStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "platform/IniSection.h"
#include "platform/WholeFile.h"

namespace {
const QString kSection = QStringLiteral("Prefs");

// The file's whole text: empty when there is no file yet, nothing when it exists but cannot
// be read.
std::optional<QByteArray> ReadWholeFile(const QString& path) {
    // a link that leads nowhere is something in the way too, not the absence of a file
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return QByteArray();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}
}  // namespace

CPrefStore::CPrefStore(QString filePath, std::shared_ptr<SecretStore> secrets)
    : filePath_(std::move(filePath)), secrets_(std::move(secrets)) {}

QString CPrefStore::DefaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quilo/prefs.ini");
}

std::optional<QString> CPrefStore::ReadValue(const char* key) const {
    const std::optional<QByteArray> contents = ReadWholeFile(filePath_);
    if (!contents) {
        return std::nullopt;
    }
    QString value;
    if (!IniSection::Find(*contents, kSection, QString::fromLatin1(key), value)) {
        return std::nullopt;
    }
    return value;
}

bool CPrefStore::WriteValue(const char* key, const QString& value) {
    return RewriteFile([key, &value](const QByteArray& contents) {
        return IniSection::Replace(contents, kSection, QString::fromLatin1(key), value);
    });
}

bool CPrefStore::RemoveValue(const char* key) {
    return RewriteFile([key](const QByteArray& contents) {
        return IniSection::Remove(contents, kSection, QString::fromLatin1(key));
    });
}

bool CPrefStore::RewriteFile(const std::function<QByteArray(const QByteArray&)>& change) {
    if (!QDir().mkpath(QFileInfo(filePath_).absolutePath())) {
        return false;
    }
    const std::optional<QByteArray> contents = ReadWholeFile(filePath_);
    if (!contents) {
        return false;
    }
    // written whole to a new file and renamed, so neither a crash nor a full disk ever leaves
    // half a preferences file
    return SaveWholeFile(filePath_, change(*contents));
}

// One secret per preferences file, so that a second configuration (a test's, another user
// folder's) never reads or overwrites the listener's own password.
QString CPrefStore::SecretKey() const {
    return QStringLiteral("PW ") + QFileInfo(filePath_).absoluteFilePath();
}

std::optional<uint32_t> CPrefStore::Number(const char* key) const {
    const std::optional<QString> stored = ReadValue(key);
    bool isNumber = false;
    const uint parsed = stored ? stored->trimmed().toUInt(&isNumber) : 0;
    if (!isNumber) {
        return std::nullopt;
    }
    return parsed;
}

bool CPrefStore::IsOptionOn(const char* key) const {
    return Number(key).value_or(0) != 0;
}

std::optional<QString> CPrefStore::GetID() const {
    return ReadValue("ID");
}
bool CPrefStore::SetID(const QString& id) {
    return WriteValue("ID", id);
}
void CPrefStore::GetPW(QObject* receiver, SecretStore::ReadDone done) const {
    if (std::optional<QString> unmoved = ReadValue("PW")) {
        done(unmoved);
    } else if (secrets_) {
        secrets_->Read(SecretKey(), receiver, std::move(done));
    } else {
        done(std::nullopt);
    }
}

// The file keeps the password only where the desktop has no secret store. A store that is there
// but does not take it (it did not answer in time, it refused) is a failed save: the password is
// never moved into the file behind the listener's back.
void CPrefStore::SetPW(const QString& password, QObject* receiver, SecretStore::WriteDone done) {
    if (!secrets_ || !secrets_->IsPresent()) {
        done(WriteValue("PW", password));
        return;
    }
    secrets_->Write(SecretKey(), password, receiver, [this, done](bool kept) {
        // the store confirmed it: no copy may stay in the file, where it would be read first
        done(kept && (!ReadValue("PW") || RemoveValue("PW")));
    });
}
std::optional<QString> CPrefStore::GetSkin() const {
    return ReadValue("Skin");
}
bool CPrefStore::SetSkin(const QString& skinName) {
    return WriteValue("Skin", skinName);
}

uint32_t CPrefStore::GetVolume() const {
    const uint32_t volume = Number("Volume").value_or(0);
    return volume == 0 || volume > 100 ? kDefaultVolume : volume;
}

bool CPrefStore::SetVolume(uint32_t volume) {
    return WriteValue("Volume", QString::number(volume));
}
std::optional<uint32_t> CPrefStore::GetPosX() const {
    return Number("PosX");
}
bool CPrefStore::SetPosX(uint32_t x) {
    return WriteValue("PosX", QString::number(x));
}
std::optional<uint32_t> CPrefStore::GetPosY() const {
    return Number("PosY");
}
bool CPrefStore::SetPosY(uint32_t y) {
    return WriteValue("PosY", QString::number(y));
}
bool CPrefStore::GetOptionMini() const {
    return IsOptionOn("OptionMini");
}
bool CPrefStore::SetOptionMini(bool on) {
    return WriteValue("OptionMini", QString::number(on ? 1 : 0));
}
bool CPrefStore::GetOptionAutoLogin() const {
    return IsOptionOn("OptionAutoLogin");
}
bool CPrefStore::SetOptionAutoLogin(bool on) {
    return WriteValue("OptionAutoLogin", QString::number(on ? 1 : 0));
}
bool CPrefStore::GetOptionTopMost() const {
    return IsOptionOn("OptionTopMost");
}
bool CPrefStore::SetOptionTopMost(bool on) {
    return WriteValue("OptionTopMost", QString::number(on ? 1 : 0));
}
bool CPrefStore::GetOptionSchedule() const {
    return IsOptionOn("OptionSchedule");
}
bool CPrefStore::SetOptionSchedule(bool on) {
    return WriteValue("OptionSchedule", QString::number(on ? 1 : 0));
}
bool CPrefStore::GetOptionNotify() const {
    return Number("OptionNotify").value_or(1) != 0;
}
bool CPrefStore::SetOptionNotify(bool on) {
    return WriteValue("OptionNotify", QString::number(on ? 1 : 0));
}

std::optional<ScheduleBytes> CPrefStore::GetSchedule() const {
    const std::optional<QString> stored = ReadValue("Schedule");
    if (!stored) {
        return std::nullopt;
    }
    const QByteArray hex = stored->trimmed().toLatin1();
    const QByteArray bytes = QByteArray::fromHex(hex);
    // fromHex skips what is not a digit, so check the length and the round trip
    ScheduleBytes schedule{};
    if (bytes.size() != static_cast<qsizetype>(schedule.size()) ||
        bytes.toHex().compare(hex.toLower()) != 0) {
        return std::nullopt;
    }
    std::copy(bytes.begin(), bytes.end(), schedule.begin());
    return schedule;
}

bool CPrefStore::SetSchedule(const ScheduleBytes& schedule) {
    const QByteArray bytes(reinterpret_cast<const char*>(schedule.data()),
                           static_cast<qsizetype>(schedule.size()));
    return WriteValue("Schedule", QString::fromLatin1(bytes.toHex().toUpper()));
}

QString CPrefStore::GetInstalledDir() const {
    return QCoreApplication::applicationDirPath();
}

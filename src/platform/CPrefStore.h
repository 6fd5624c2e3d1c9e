#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/KeychainSecretStore.h"

// The scheduled-playback table as saved: nine two-byte entries (hour with bit 7 as the enable
// flag, minute; 0xFF marks an empty entry).
using ScheduleBytes = std::array<uint8_t, 18>;

// The listener's saved preferences, kept as an INI file ("[Prefs]" section, one key per value)
// in the user's configuration folder, readable by the user only. A key that is missing or does
// not hold a value of its kind is a failed read (no value). Values come back exactly as they were
// written, blanks included.
//
// The password is kept in the desktop's secret store while one runs, under a key naming this
// preferences file; the file holds it only when no store took it. A password the file still
// holds (saved before the store was there, or while it was away) is the newer one and is read
// first; the next confirmed save moves it into the store and only then out of the file.
//
// A file that exists but cannot be read is never written over: every write then fails, so a
// passing fault (a permission changed by hand, a disk error) cannot cost the listener the rest of
// their settings.
class CPrefStore {
public:
    // The file is $XDG_CONFIG_HOME/quilo/prefs.ini unless another path is given; the password
    // goes to the desktop's secret store unless another store is given (nullptr: the file alone).
    explicit CPrefStore(
        QString filePath = DefaultFilePath(),
        std::shared_ptr<SecretStore> secrets = std::make_shared<KeychainSecretStore>());

    static QString DefaultFilePath();
    const QString& FilePath() const { return filePath_; }

    std::optional<QString> GetID() const;
    bool SetID(const QString& id);
    // The password: from the file while it still holds one, else from the secret store. Told to
    // done (unless receiver is gone by then), at once when no store needs asking.
    void GetPW(QObject* receiver, SecretStore::ReadDone done) const;
    // Told whether the password was kept, at once when it goes to the file.
    void SetPW(const QString& password, QObject* receiver, SecretStore::WriteDone done);
    std::optional<QString> GetSkin() const;
    bool SetSkin(const QString& skinName);
    // The saved volume; a failed read, 0 or anything above 100 gives the default 20.
    uint32_t GetVolume() const;
    bool SetVolume(uint32_t volume);
    std::optional<uint32_t> GetPosX() const;
    bool SetPosX(uint32_t x);
    std::optional<uint32_t> GetPosY() const;
    bool SetPosY(uint32_t y);
    // An option that cannot be read is off.
    bool GetOptionMini() const;
    bool SetOptionMini(bool on);
    bool GetOptionAutoLogin() const;
    bool SetOptionAutoLogin(bool on);
    bool GetOptionTopMost() const;
    bool SetOptionTopMost(bool on);
    bool GetOptionSchedule() const;
    bool SetOptionSchedule(bool on);
    // Whether the desktop is told of a new program while the face is hidden: on unless it was
    // switched off.
    bool GetOptionNotify() const;
    bool SetOptionNotify(bool on);
    std::optional<ScheduleBytes> GetSchedule() const;
    bool SetSchedule(const ScheduleBytes& schedule);
    // The folder that holds the program.
    QString GetInstalledDir() const;

    static constexpr uint32_t kDefaultVolume = 20;

private:
    std::optional<QString> ReadValue(const char* key) const;
    bool WriteValue(const char* key, const QString& value);
    bool RemoveValue(const char* key);
    bool RewriteFile(const std::function<QByteArray(const QByteArray&)>& change);
    QString SecretKey() const;
    std::optional<uint32_t> Number(const char* key) const;
    bool IsOptionOn(const char* key) const;

    QString filePath_;
    std::shared_ptr<SecretStore> secrets_;
};

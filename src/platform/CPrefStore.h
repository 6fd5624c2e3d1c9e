#pragma once

#include <QString>
#include <cstdint>

// The listener's saved preferences, kept as an INI file ("[Prefs]" section, one key per value)
// in the user's configuration folder, readable by the user only. Every operation returns
// non-zero on success; a key that is missing or does not hold a value of its kind is a failed
// read and leaves the output as the operation documents.
class CPrefStore {
public:
    // The file is $XDG_CONFIG_HOME/quilo/prefs.ini unless another path is given.
    explicit CPrefStore(QString filePath = DefaultFilePath());

    static QString DefaultFilePath();
    const QString& FilePath() const { return filePath_; }

    int GetID(QString& id) const;  // failure gives an empty ID
    int SetID(const QString& id);
    int GetPW(QString& password) const;
    int SetPW(const QString& password);
    int GetSkin(QString& skinName) const;  // failure gives an empty name
    int SetSkin(const QString& skinName);
    // A failed read, 0 or anything above 100 gives the listener the default volume 20.
    int GetVolume(uint32_t& volume) const;
    int SetVolume(uint32_t volume);
    int GetPosX(uint32_t& x) const;
    int SetPosX(uint32_t x);
    int GetPosY(uint32_t& y) const;
    int SetPosY(uint32_t y);
    // A failed option read counts as 0.
    int GetOptionMini(int& on) const;
    int SetOptionMini(int on);
    int GetOptionAutoLogin(int& on) const;
    int SetOptionAutoLogin(int on);
    int GetOptionTopMost(int& on) const;
    int SetOptionTopMost(int on);
    int GetOptionSchedule(int& on) const;
    int SetOptionSchedule(int on);
    // The schedule is 18 bytes; a failed read leaves the buffer untouched.
    int GetSchedule(uint8_t* buffer, int size) const;
    int SetSchedule(const uint8_t* buffer, int size);
    // The folder that holds the program.
    int GetInstalledDir(QString& folder) const;

    static constexpr uint32_t kDefaultVolume = 20;
    static constexpr int kScheduleSize = 18;

private:
    bool ReadValue(const char* key, QString& value) const;
    bool WriteValue(const char* key, const QString& value);
    int GetString(const char* key, QString& value) const;
    int GetNumber(const char* key, uint32_t& number) const;
    int GetOption(const char* key, int& on) const;

    QString filePath_;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <vector>

// Damaged copies of the files the program reads from disk: skins, the preferences file and the
// service's server files. Every generator is seeded, so a failing case is the same case on the
// next run; each case carries a description that names what was broken.
namespace CorruptInputs {

struct SkinCase {
    QString name;        // the folder's name under the skins folder
    QString damage;      // what was done to it
    bool mustBeRefused;  // its main or mini background (or its description) cannot be read
};

// Makes one skin folder per case under `skinsFolder`, each the skin `source` (its files linked,
// not copied) with one file damaged: truncated, zero-byte, missing or replaced bitmaps, bitmap
// headers that lie about size, offset or depth, absurd numbers in "skininfo.ini", junk in place
// of it.
std::vector<SkinCase> MakeDamagedSkins(const QString& source, const QString& skinsFolder,
                                       unsigned seed);

struct PrefsCase {
    QString damage;
    QByteArray bytes;
    bool isDirectory = false;  // a directory stands where the file should be
    // keys whose values are still readable in the damaged file, and those values
    std::map<QString, QString> validKeys;
};

// Damaged preferences files ("[Prefs]" key=value text), most of which still hold the listener's
// log-in, skin and schedule among the damage.
std::vector<PrefsCase> DamagedPrefs(unsigned seed);

// Variants of one valid server file: cut at many places, bytes overwritten with junk, all junk,
// lines without their ends, and grown past a megabyte.
std::vector<QByteArray> DamagedServerFile(const QByteArray& valid, unsigned seed);

}  // namespace CorruptInputs

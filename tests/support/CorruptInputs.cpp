#include "support/CorruptInputs.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <functional>
#include <random>

namespace CorruptInputs {
namespace {

using Damage = std::function<void(const QString& path, std::mt19937& random)>;

QByteArray Junk(qsizetype size, std::mt19937& random) {
    QByteArray bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the link at `path` by a file of its own holding `bytes`.
void WriteOver(const QString& path, const QByteArray& bytes) {
    QFile::remove(path);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

void EditBitmap(const QString& path, const std::function<void(QByteArray&)>& edit) {
    QByteArray bytes = ReadAll(path);
    edit(bytes);
    WriteOver(path, bytes);
}

// A little-endian field of the bitmap's file or info header.
template <typename Field>
Damage SetHeaderField(qsizetype offset, Field value) {
    return [offset, value](const QString& path, std::mt19937&) {
        EditBitmap(path, [&](QByteArray& bytes) {
            if (bytes.size() >= offset + static_cast<qsizetype>(sizeof(Field))) {
                qToLittleEndian(value, bytes.data() + offset);
            }
        });
    };
}

Damage Truncate(qsizetype keep) {
    return [keep](const QString& path, std::mt19937&) {
        EditBitmap(path,
                   [&](QByteArray& bytes) { bytes.truncate(keep < 0 ? bytes.size() / 2 : keep); });
    };
}

struct NamedDamage {
    const char* name;
    Damage damage;
    bool unreadable;  // no bitmap reader can make a picture of what is left
};

std::vector<NamedDamage> BitmapDamages() {
    constexpr qsizetype kFileSize = 2, kPixelOffset = 10, kInfoSize = 14, kWidth = 18, kHeight = 22,
                        kBitCount = 28, kCompression = 30;
    return {
        {"missing", [](const QString& path, std::mt19937&) { QFile::remove(path); }, true},
        {"zero bytes", Truncate(0), true},
        {"file header only", Truncate(14), true},
        {"cut in half", Truncate(-1), false},
        {"60000x60000",
         [](const QString& path, std::mt19937& random) {
             SetHeaderField<qint32>(kWidth, 60000)(path, random);
             SetHeaderField<qint32>(kHeight, 60000)(path, random);
         },
         false},
        {"negative width", SetHeaderField<qint32>(kWidth, -40), false},
        {"zero height", SetHeaderField<qint32>(kHeight, 0), false},
        {"7 bits a pixel", SetHeaderField<quint16>(kBitCount, 7), false},
        {"64 bits a pixel", SetHeaderField<quint16>(kBitCount, 64), false},
        {"pixels past the end", SetHeaderField<quint32>(kPixelOffset, 0x7FFFFFFF), false},
        {"file size 4 GB", SetHeaderField<quint32>(kFileSize, 0xFFFFFFFF), false},
        {"unknown compression", SetHeaderField<quint32>(kCompression, 9), false},
        {"info header 2 GB", SetHeaderField<quint32>(kInfoSize, 0x7FFFFFFF), false},
        {"junk",
         [](const QString& path, std::mt19937& random) {
             WriteOver(path, Junk(ReadAll(path).size(), random));
         },
         false},
        {"a directory",
         [](const QString& path, std::mt19937&) {
             QFile::remove(path);
             QDir().mkpath(path);
         },
         true},
    };
}

// Every number of the entry `key` (and `count` of them) replaced by `value`.
Damage SetSkinKey(const QByteArray& key, int count, const QByteArray& value) {
    return [key, count, value](const QString& folder, std::mt19937&) {
        const QString path = folder + QStringLiteral("/skininfo.ini");
        QByteArray text = ReadAll(path);
        const qsizetype at = text.indexOf(key);
        if (at < 0) {
            return;
        }
        const qsizetype end = text.indexOf('\r', at);
        QByteArrayList numbers;
        for (int i = 0; i < count; ++i) {
            numbers << value;
        }
        text.replace(at, end - at, key + ' ' + numbers.join(','));
        WriteOver(path, text);
    };
}

std::vector<NamedDamage> SkinTextDamages() {
    std::vector<NamedDamage> damages;
    const std::pair<const char*, int> keys[] = {
        {"[MAIN_PLAY]", 2},    {"[MAIN_VOLM]", 2},  {"[MAIN_EDIT]", 4},     {"[MAIN_SCR]", 4},
        {"[MAIN_QUILO_G]", 6}, {"[MAIN_LINK0]", 4}, {"[MAIN_EDIT_COL]", 3}, {"[MINI_SCR]", 4},
    };
    const char* values[] = {"-5", "2147483648", "99999999999", "ab", "", "-2147483648"};
    for (const auto& [key, count] : keys) {
        for (const char* value : values) {
            // the key is added to the description by the caller
            damages.push_back({value, SetSkinKey(key, count, value), false});
        }
    }
    return damages;
}

std::vector<NamedDamage> WholeTextDamages() {
    const auto edit = [](const std::function<QByteArray(const QByteArray&, std::mt19937&)>& f) {
        return [f](const QString& folder, std::mt19937& random) {
            const QString path = folder + QStringLiteral("/skininfo.ini");
            WriteOver(path, f(ReadAll(path), random));
        };
    };
    return {
        {"skininfo.ini binary junk", edit([](const QByteArray& text, std::mt19937& random) {
             return Junk(text.size(), random);
         }),
         false},
        {"skininfo.ini junk inside", edit([](const QByteArray& text, std::mt19937& random) {
             QByteArray damaged = text;
             for (int i = 0; i < 40; ++i) {
                 damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
             }
             return damaged;
         }),
         false},
        {"skininfo.ini cut in half",
         edit([](const QByteArray& text, std::mt19937&) { return text.left(text.size() / 2); }),
         false},
        {"skininfo.ini empty", edit([](const QByteArray&, std::mt19937&) { return QByteArray(); }),
         false},
        {"skininfo.ini without carriage returns", edit([](const QByteArray& text, std::mt19937&) {
             return QByteArray(text).replace('\r', "");
         }),
         false},
        {"skininfo.ini missing",
         [](const QString& folder, std::mt19937&) {
             QFile::remove(folder + QStringLiteral("/skininfo.ini"));
         },
         true},
    };
}

// A new skin folder whose files are links to those of `source`.
void LinkSkin(const QString& source, const QString& folder) {
    QDir().mkpath(folder);
    for (const QString& file : QDir(source).entryList(QDir::Files)) {
        QFile::link(source + u'/' + file, folder + u'/' + file);
    }
}

}  // namespace

std::vector<SkinCase> MakeDamagedSkins(const QString& source, const QString& skinsFolder,
                                       unsigned seed) {
    std::mt19937 random(seed);
    std::vector<SkinCase> cases;
    const auto make = [&](const QString& damageText, const Damage& damage, const QString& target,
                          bool refused) {
        const QString name = QStringLiteral("Broken%1").arg(cases.size(), 3, 10, QChar(u'0'));
        const QString folder = skinsFolder + u'/' + name;
        LinkSkin(source, folder);
        damage(target.isEmpty() ? folder : folder + u'/' + target, random);
        cases.push_back({name, damageText, refused});
    };
    const char* bitmaps[] = {"main_bg.bmp",
                             "mini_bg.bmp",
                             "main_btn_play_up.bmp",
                             "main_sld_vol_thumb.bmp",
                             "main_sld_vol_channel.bmp",
                             "main_quiloG_01.bmp",
                             "quilo_big.bmp",
                             "event_null.bmp"};
    for (const char* bitmap : bitmaps) {
        const bool background = QByteArray(bitmap).endsWith("_bg.bmp");
        for (const NamedDamage& damage : BitmapDamages()) {
            make(QStringLiteral("%1: %2").arg(QLatin1String(bitmap), QLatin1String(damage.name)),
                 damage.damage, QString::fromLatin1(bitmap), background && damage.unreadable);
        }
    }
    int keyIndex = 0;
    const char* keyNames[] = {"[MAIN_PLAY]",    "[MAIN_VOLM]",  "[MAIN_EDIT]",     "[MAIN_SCR]",
                              "[MAIN_QUILO_G]", "[MAIN_LINK0]", "[MAIN_EDIT_COL]", "[MINI_SCR]"};
    for (const NamedDamage& damage : SkinTextDamages()) {
        make(QStringLiteral("%1 = \"%2\"")
                 .arg(QLatin1String(keyNames[keyIndex++ / 6]), QLatin1String(damage.name)),
             damage.damage, QString(), false);
    }
    for (const NamedDamage& damage : WholeTextDamages()) {
        make(QLatin1String(damage.name), damage.damage, QString(), damage.unreadable);
    }
    return cases;
}

std::vector<PrefsCase> DamagedPrefs(unsigned seed) {
    std::mt19937 random(seed);
    const std::map<QString, QString> valid = {
        {QStringLiteral("ID"), QStringLiteral("demo")},
        {QStringLiteral("PW"), QStringLiteral("quilo2007")},
        {QStringLiteral("Skin"), QStringLiteral("Quilo2")},
        {QStringLiteral("Schedule"), QStringLiteral("8700FFFF8A1EFFFFFFFFFFFFFFFFFFFFFFFF")},
        {QStringLiteral("OptionTopMost"), QStringLiteral("1")},
    };
    const auto keysText = [&](const char* lineEnd) {
        QByteArray text;
        for (const auto& [key, value] : valid) {
            text += (key + u'=' + value).toUtf8() + lineEnd;
        }
        return text;
    };
    const QByteArray keys = keysText("\n");
    std::vector<PrefsCase> cases;
    const auto add = [&](const char* damage, const QByteArray& bytes,
                         std::map<QString, QString> keysLeft) {
        cases.push_back({QLatin1String(damage), bytes, false, std::move(keysLeft)});
    };
    // junk lines around and between the entries (any byte but a line end)
    for (int i = 0; i < 6; ++i) {
        QByteArray junk = Junk(64 + static_cast<qsizetype>(random() % 200), random);
        junk.replace('\n', "").replace('\r', "").replace('=', "").replace('[', "");
        add("binary junk lines", junk + "\n[Prefs]\n" + junk + '\n' + keys + junk + '\n', valid);
    }
    add("a 1 MB line", "[Prefs]\n" + QByteArray(1 << 20, 'x') + '\n' + keys, valid);
    add("a 1 MB value", "[Prefs]\n" + keys + "Volume=" + QByteArray(1 << 20, '7') + '\n', valid);
    std::map<QString, QString> withoutSchedule = valid;
    withoutSchedule.erase(QStringLiteral("Schedule"));
    for (const char* schedule :
         {"ZZ00FFFF8A1EFFFFFFFFFFFFFFFFFFFFFFFF", "8700F", "",
          "8700FFFF8A1EFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "87 00 FF FF 8A 1E", "\xff\xfe"}) {
        QByteArray text = "[Prefs]\n" + keys;
        text.replace("Schedule=8700FFFF8A1EFFFFFFFFFFFFFFFFFFFFFFFF",
                     QByteArray("Schedule=") + schedule);
        add("invalid hex in Schedule", text, withoutSchedule);
    }
    for (const char* key : {"Volume", "PosX", "PosY", "OptionMini"}) {
        for (const char* number : {"-1", "4294967296", "99999999999", "abc", "", "2147483648"}) {
            add("an absurd number", "[Prefs]\n" + keys + key + '=' + number + '\n', valid);
        }
    }
    add("the section twice, keys split",
        "[Prefs]\nID=demo\nPW=quilo2007\n[Other]\nID=x\n"
        "[Prefs]\nSkin=Quilo2\nOptionTopMost=1\n"
        "Schedule=8700FFFF8A1EFFFFFFFFFFFFFFFFFFFFFFFF\n",
        valid);
    add("the section twice, the first wins",
        "[Prefs]\n" + keys + "[Prefs]\nID=someone\nSkin=Midnight\n", valid);
    add("no section header", keys, {});
    add("CR-only line ends", "[Prefs]\r" + keysText("\r"), valid);
    add("CR LF line ends", "[Prefs]\r\n" + keysText("\r\n"), valid);
    add("a byte-order mark", "\xEF\xBB\xBF[Prefs]\n" + keys, valid);
    add("a NUL inside a line", "[Prefs]\n" + keys + QByteArray("Junk=a\0b\n", 9), valid);
    add("empty", QByteArray(), {});
    add("all junk", Junk(4096, random), {});
    cases.push_back({QStringLiteral("a directory where the file should be"), {}, true, {}});
    return cases;
}

std::vector<QByteArray> DamagedServerFile(const QByteArray& valid, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<QByteArray> cases;
    for (int cut = 1; cut <= 8; ++cut) {
        cases.push_back(valid.left(valid.size() * cut / 9));
    }
    for (int i = 0; i < 6; ++i) {
        QByteArray damaged = valid;
        for (int j = 0; j < 12; ++j) {
            damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
        }
        cases.push_back(damaged);
    }
    cases.push_back(Junk(valid.size(), random));
    cases.push_back(QByteArray(valid).replace("\r\n", ""));
    cases.push_back(QByteArray(valid).replace('\n', ""));
    cases.push_back(valid.repeated((2 << 20) / valid.size() + 1));
    cases.push_back(valid + QByteArray(2 << 20, 'A'));
    return cases;
}

}  // namespace CorruptInputs

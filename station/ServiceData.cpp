#include "ServiceData.h"

#include "WireText.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool ReadUtf8(const QString& path, QString* text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    *text = QString::fromUtf8(file.readAll());
    text->remove(QChar('\r'));
    return true;
}

bool IsPlainName(const QString& name) {
    static const QRegularExpression kPlain(QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9_.-]*$"));
    return kPlain.match(name).hasMatch() && !name.contains(QStringLiteral(".."));
}

}  // namespace

bool ServiceData::Load(const QString& folder, QString* error) {
    folder_ = QDir(folder);
    if (!folder_.exists()) {
        *error = QStringLiteral("data folder %1 does not exist").arg(folder);
        return false;
    }
    return LoadSchedule(error) && LoadTexts(QStringLiteral("info"), ".txt", &infoTexts_, error) &&
           LoadTexts(QStringLiteral("pages"), ".html", &pages_, error) && CheckPrograms(error);
}

QString ServiceData::InfoTemplate(const QString& name) const {
    return infoTexts_.value(name);
}

QString ServiceData::Page(const QString& name) const {
    return pages_.value(name);
}

QByteArray ServiceData::BinaryFile(const QString& subfolder, const QString& name) const {
    if (!IsPlainName(name)) {
        return {};
    }
    QFile file(folder_.filePath(subfolder + '/' + name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QString ServiceData::KeyValue(const QString& text, const QString& key, const QString& nextKey) {
    const QString opener = '[' + key + "]\n";
    const qsizetype start = text.indexOf(opener);
    if (start < 0) {
        return {};
    }
    const qsizetype from = start + opener.size();
    const QString terminator = nextKey.isEmpty() ? QStringLiteral("\n[") : "\n[" + nextKey + ']';
    const qsizetype end = text.indexOf(terminator, from);
    return end < from ? QString() : text.mid(from, end - from);
}

bool ServiceData::AddDownload(const QString& path, QString* error) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!IsPlainName(name) || !file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 is unreadable or its name is not a plain file name").arg(path);
        return false;
    }
    extraDownloads_.insert(name, file.readAll());
    return true;
}

QByteArray ServiceData::Download(const QString& name) const {
    const auto extra = extraDownloads_.constFind(name);
    return extra != extraDownloads_.cend() ? *extra : BinaryFile(QStringLiteral("download"), name);
}

bool ServiceData::LoadSchedule(QString* error) {
    QString text;
    if (!ReadUtf8(folder_.filePath(QStringLiteral("schedule.txt")), &text)) {
        *error = QStringLiteral("cannot read %1").arg(folder_.filePath("schedule.txt"));
        return false;
    }
    return schedule_.Parse(text, error);
}

bool ServiceData::LoadTexts(const QString& subfolder, const QString& suffix,
                            QHash<QString, QString>* into, QString* error) {
    const QDir dir(folder_.filePath(subfolder));
    for (const QString& file : dir.entryList({'*' + suffix}, QDir::Files)) {
        QString text;
        if (!ReadUtf8(dir.filePath(file), &text) || !WireText::IsEncodable(text)) {
            *error = QStringLiteral("%1 is unreadable or not writable in code page 949")
                         .arg(dir.filePath(file));
            return false;
        }
        into->insert(file.chopped(suffix.size()), text);
    }
    return true;
}

bool ServiceData::CheckPrograms(QString* error) {
    const auto& programs = schedule_.Programs();
    for (int i = 0; i < programs.size(); ++i) {
        const QString info = infoTexts_.value(programs[i].code);
        const QString title = KeyValue(info, QStringLiteral("TITLE"));
        if (title.isEmpty()) {
            *error = QStringLiteral("program %1 has no info/%1.txt with a [TITLE]")
                         .arg(programs[i].code);
            return false;
        }
        schedule_.SetTitle(i, title);
    }
    return true;
}

#include "UserDirectory.h"

#include "WireText.h"

#include <QFile>

bool UserDirectory::Load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the users file %1").arg(path);
        return false;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).remove('\r').split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty() || lines[i].startsWith('#')) {
            continue;
        }
        const QStringList fields = lines[i].split('\t');
        if (fields.size() != 3 || fields[0].isEmpty() || !WireText::IsEncodable(lines[i])) {
            *error = QStringLiteral(
                         "%1 line %2 is not \"ID<TAB>password<TAB>name\" in code page "
                         "949")
                         .arg(path)
                         .arg(i + 1);
            return false;
        }
        users_.append({fields[0], fields[1], fields[2]});
    }
    return true;
}

std::optional<UserDirectory::User> UserDirectory::Authenticate(const QString& id,
                                                               const QString& password) const {
    for (const User& user : users_) {
        // The site's member IDs are not case-sensitive; passwords are.
        if (user.id.compare(id, Qt::CaseInsensitive) == 0 && user.password == password) {
            return user;
        }
    }
    return std::nullopt;
}

#pragma once

#include <QList>
#include <QString>

#include <optional>

// The members who may log in. The users file is UTF-8 text, one member per line:
//   ID <TAB> password <TAB> display name
// Blank lines and lines starting with '#' are skipped. An empty display name is allowed: such a
// member logs in without a name cookie value, as some accounts of the real site do.
class UserDirectory {
public:
    struct User {
        QString id;
        QString password;
        QString displayName;
    };

    bool Load(const QString& path, QString* error);
    std::optional<User> Authenticate(const QString& id, const QString& password) const;
    const QList<User>& Users() const { return users_; }

private:
    QList<User> users_;
};

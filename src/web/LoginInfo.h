#pragma once

#include <QString>

// The logged-in listener.
struct LoginInfo {
    QString userId;
    QString password;
    QString userName;
};

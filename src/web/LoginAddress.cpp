#include "web/LoginAddress.h"

#include <QUrl>

#include "platform/Cp949.h"
#include "web/UrlEncode.h"

namespace {

QString LoginAddress(const WebAddresses& addresses, const QString& userId, const QString& password,
                     const QString& returnPart) {
    return addresses.mainSite + QStringLiteral("/subloginproc.asp?userid=") +
           QString::fromLatin1(UrlEncode(ToCp949(userId), true)) + QStringLiteral("&passwd=") +
           QString::fromLatin1(UrlEncode(ToCp949(password), true)) + QStringLiteral("&returnurl=") +
           returnPart + QStringLiteral("&eradio=Y");
}

}  // namespace

QString BuildLoginAddress(const WebAddresses& addresses, const QString& userId,
                          const QString& password) {
    return LoginAddress(addresses, userId, password,
                        addresses.webServer + QStringLiteral("/empty.asp"));
}

QString BuildLoginAddress(const WebAddresses& addresses, const QString& userId,
                          const QString& password, const QString& returnAddress) {
    return LoginAddress(addresses, userId, password,
                        QString::fromLatin1(QUrl::toPercentEncoding(returnAddress)));
}

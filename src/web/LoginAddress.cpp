#include "web/LoginAddress.h"

#include "platform/Cp949.h"
#include "web/UrlEncode.h"

QString BuildLoginAddress(const WebAddresses& addresses, const QString& userId,
                          const QString& password) {
    return addresses.mainSite + QStringLiteral("/subloginproc.asp?userid=") +
           QString::fromLatin1(UrlEncode(ToCp949(userId), true)) + QStringLiteral("&passwd=") +
           QString::fromLatin1(UrlEncode(ToCp949(password), true)) + QStringLiteral("&returnurl=") +
           addresses.webServer + QStringLiteral("/empty.asp") + QStringLiteral("&eradio=Y");
}

#include "web/LoginAddress.h"

#include <QUrl>

#include "platform/Cp949.h"
#include "web/UrlEncode.h"

namespace {

QByteArray LoginFields(const QString& userId, const QString& password,
                       const QByteArray& returnPart) {
    return "userid=" + UrlEncode(ToCp949(userId), true) +
           "&passwd=" + UrlEncode(ToCp949(password), true) + "&returnurl=" + returnPart +
           "&eradio=Y";
}

}  // namespace

QString BuildLoginAddress(const WebAddresses& addresses, const QString& userId,
                          const QString& password) {
    const QByteArray returnPage = (addresses.webServer + QStringLiteral("/empty.asp")).toUtf8();
    return LoginPageAddress(addresses) + u'?' +
           QString::fromUtf8(LoginFields(userId, password, returnPage));
}

QString LoginPageAddress(const WebAddresses& addresses) {
    return addresses.mainSite + QStringLiteral("/subloginproc.asp");
}

QByteArray LoginFormFields(const QString& userId, const QString& password,
                           const QString& returnAddress) {
    return LoginFields(userId, password, QUrl::toPercentEncoding(returnAddress));
}

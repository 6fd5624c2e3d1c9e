#include "platform/X11ImageTransfer.h"

#include <QByteArray>
#include <QtGlobal>

void SendImagesOverTheX11Socket() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", QByteArrayLiteral("1"));
    }
}

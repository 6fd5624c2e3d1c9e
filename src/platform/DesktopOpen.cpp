#include "platform/DesktopOpen.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace {
DesktopOpener& Opener() {
    static DesktopOpener opener;
    return opener;
}
}  // namespace

bool OpenWithDesktop(const QString& addressOrPath) {
    if (Opener()) {
        return Opener()(addressOrPath);
    }
    const QString namedOpener = qEnvironmentVariable("QUILO_OPENER");
    if (!namedOpener.isEmpty()) {
        return QProcess::startDetached(namedOpener, {addressOrPath});
    }
    const QUrl url = QUrl::fromUserInput(addressOrPath);
    return url.isValid() && QDesktopServices::openUrl(url);
}

void SetDesktopOpener(DesktopOpener opener) {
    Opener() = std::move(opener);
}

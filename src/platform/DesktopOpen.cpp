#include "platform/DesktopOpen.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>

namespace {
DesktopOpener& Opener() {
    static DesktopOpener opener;
    return opener;
}

bool Open(const QString& addressOrPath, const QUrl& url) {
    if (Opener()) {
        return Opener()(addressOrPath);
    }
    const QString namedOpener = qEnvironmentVariable("QUILO_OPENER");
    if (!namedOpener.isEmpty()) {
        return QProcess::startDetached(namedOpener, {addressOrPath});
    }
    return QDesktopServices::openUrl(url);
}
}  // namespace

bool IsWebAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

bool OpenWithDesktop(const QString& webAddress) {
    return IsWebAddress(webAddress) && Open(webAddress, QUrl(webAddress));
}

bool OpenFileWithDesktop(const QString& path) {
    return QDir::isAbsolutePath(path) && Open(path, QUrl::fromLocalFile(path));
}

void SetDesktopOpener(DesktopOpener opener) {
    Opener() = std::move(opener);
}

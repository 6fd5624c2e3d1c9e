// quilo-bench scale | skin-switch [ROUNDS] | ticker-gap [MILLISECONDS] | login-to-face
#include <QApplication>
#include <cstdio>

#include "FaceBench.h"
#include "LoginBench.h"
#include "ScaleBench.h"
#include "platform/X11ImageTransfer.h"

int main(int argc, char** argv) {
    SendImagesOverTheX11Socket();
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString what = arguments.value(1);
    const int count = arguments.value(2).toInt();
    if (what == QStringLiteral("scale")) {
        RunScaleBench();
        return 0;
    }
    if (what == QStringLiteral("skin-switch")) {
        return RunSkinSwitchBench(count > 0 ? count : 20);
    }
    if (what == QStringLiteral("ticker-gap")) {
        return RunTickerGapBench(count > 0 ? count : 8000);
    }
    if (what == QStringLiteral("login-to-face")) {
        return RunLoginToFaceBench();
    }
    std::fprintf(stderr,
                 "usage: quilo-bench scale | skin-switch [ROUNDS] | ticker-gap [MS] | "
                 "login-to-face\n");
    return 2;
}

#include <QApplication>

#include "app/CQuiloApp.h"
#include "app/ProgramFolder.h"
#include "content/Program.h"
#include "platform/CoreDumps.h"
#include "platform/TerminationSignals.h"
#include "platform/X11ImageTransfer.h"

int main(int argc, char** argv) {
    ForbidCoreDumps();
    SendImagesOverTheX11Socket();
    QApplication application(argc, argv);
    // the program ends when its main window closes, not when the last window hides
    QApplication::setQuitOnLastWindowClosed(false);
    EnterProgramFolder();

    Program program(CommandLineText(QApplication::arguments()));
    CQuiloApp quilo(program);
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &quilo,
                     &CQuiloApp::EndWithoutAsking);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &quilo,
                     &CQuiloApp::EndWithoutAsking);
    if (quilo.InitInstance()) {
        QApplication::exec();
        quilo.ExitInstance();
    }
    return 0;
}

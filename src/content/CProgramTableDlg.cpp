#include "content/CProgramTableDlg.h"

#include "windows/UserMessages.h"

CProgramTableDlg::CProgramTableDlg(Program& program, QWidget* mainWindow)
    : program_(program), mainWindow_(mainWindow) {
    setWindowTitle(QStringLiteral("Program Table"));
}

LRESULT CProgramTableDlg::WindowProc(const WindowMessage& message) {
    if (message.message == UM_REFRESH_PROGRAM) {
        ++refreshRequests_;
        return 1;
    }
    return CWnd::WindowProc(message);
}

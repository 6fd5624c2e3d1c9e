#pragma once

#include "platform/CWnd.h"

class Program;

// The hidden window that will fetch what is on air from the service and tell the main window.
// For now it only takes the main window's requests for a fresh fetch; the downloads, the
// program table and the server clock take its place.
class CProgramTableDlg : public CWnd {
    Q_OBJECT

public:
    CProgramTableDlg(Program& program, QWidget* mainWindow);

    int RefreshRequests() const { return refreshRequests_; }

protected:
    LRESULT WindowProc(const WindowMessage& message) override;

private:
    Program& program_;
    QWidget* mainWindow_;
    int refreshRequests_ = 0;
};

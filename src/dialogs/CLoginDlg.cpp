#include "dialogs/CLoginDlg.h"

#include "content/Program.h"

CLoginDlg::CLoginDlg(Program& program) : program_(program) {}

int CLoginDlg::DoModal() {
    program_.prefs.GetID(userId_);
    program_.prefs.GetPW(password_);
    userName_ = userId_;
    succeeded_ = true;
    return 1;
}

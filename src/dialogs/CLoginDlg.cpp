#include "dialogs/CLoginDlg.h"

#include "content/Program.h"

CLoginDlg::CLoginDlg(Program& program) : program_(program) {}

bool CLoginDlg::Run() {
    userId_ = program_.prefs.GetID().value_or(QString());
    password_ = program_.prefs.GetPW().value_or(QString());
    userName_ = userId_;
    return true;
}

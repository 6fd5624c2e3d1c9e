#include "content/CProgramTableDlg.h"

CProgramTableDlg::CProgramTableDlg(Program& program, QObject* parent)
    : QObject(parent), program_(program) {}

void CProgramTableDlg::RefreshProgram() {
    ++refreshRequests_;
}

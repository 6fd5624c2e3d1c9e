#pragma once

#include <QPoint>
#include <QString>

class Program;

// The log-in step of the start. For now it logs in with the saved ID and password without
// asking the service; the skinned dialog and the real request replace it.
class CLoginDlg {
public:
    explicit CLoginDlg(Program& program);

    // 1 (OK) when the listener is logged in.
    int DoModal();
    bool Succeeded() const { return succeeded_; }
    const QString& UserId() const { return userId_; }
    const QString& Password() const { return password_; }
    const QString& UserName() const { return userName_; }
    QPoint TopLeft() const { return topLeft_; }

private:
    Program& program_;
    bool succeeded_ = false;
    QString userId_;
    QString password_;
    QString userName_;
    QPoint topLeft_{-1, -1};
};

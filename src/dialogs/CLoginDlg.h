#pragma once

#include <QPoint>
#include <QString>
#include <optional>

class Program;

// The log-in step of the start. For now it logs in with the saved ID and password without
// asking the service; the skinned dialog and the real request replace it.
class CLoginDlg {
public:
    explicit CLoginDlg(Program& program);

    // True when the listener is logged in.
    bool Run();
    const QString& UserId() const { return userId_; }
    const QString& Password() const { return password_; }
    const QString& UserName() const { return userName_; }
    // Where the dialog stood: the main window opens there.
    std::optional<QPoint> TopLeft() const { return topLeft_; }

private:
    Program& program_;
    QString userId_;
    QString password_;
    QString userName_;
    std::optional<QPoint> topLeft_;
};

#pragma once

#include <QBasicTimer>
#include <QEventLoop>
#include <QWidget>
#include <map>

#include "platform/WindowMessage.h"

// The base of every window of ours that receives private messages or runs timers by id.
// Messages arrive in WindowProc; timers are identified by the caller's own small numbers and
// arrive in OnTimer. A timer keeps firing at its period until it is killed, so handlers that
// want a one-shot kill their own timer first.
class CWnd : public QWidget {
    Q_OBJECT

public:
    explicit CWnd(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Starts timer `id` with the period, replacing a running timer of the same id.
    void SetTimer(int id, int periodMs);
    void KillTimer(int id);
    bool IsTimerRunning(int id) const;

    // Runs OnInitDialog, then keeps the window up until EndDialog is called (or the window is
    // closed, which ends it with 2, the cancel answer); returns after OnDestroy has run. A window
    // that ends itself while it initialises returns at once.
    int DoModal();
    void EndDialog(int result);
    bool IsInModalRun() const { return modalLoop_ != nullptr; }

protected:
    // Handles one private message; the returned value is the sender's result.
    virtual LRESULT WindowProc(const WindowMessage& message);
    virtual void OnTimer(int id);
    // The window's first work in a modal run; the default shows it. False ends the run.
    virtual bool OnInitDialog();
    // The window's last work when its modal run ends, while its children still exist.
    virtual void OnDestroy();
    void closeEvent(QCloseEvent* event) override;

    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    std::map<int, QBasicTimer> timersById_;
    QEventLoop* modalLoop_ = nullptr;
    int modalResult_ = 0;
    bool endRequested_ = false;
};

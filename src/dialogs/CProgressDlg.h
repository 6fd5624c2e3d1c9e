#pragma once

#include <QTimer>
#include <QWidget>

class QProgressBar;

// The busy indicator of a log-in: a borderless strip holding a bar that fills in 15 seconds and
// starts over, for as long as it lives. It moves while the log-in waits because the wait keeps
// the event loop running.
class CProgressDlg : public QWidget {
    Q_OBJECT

public:
    // Its own size when it is shown without a size of the skin's.
    static constexpr QSize kDefaultSize{176, 24};

    explicit CProgressDlg(QWidget* owner);

    // Shows the strip at `geometry` (screen coordinates) above its owner, without taking the
    // focus or changing which window is active.
    void ShowAt(const QRect& geometry);
    int Position() const;

private:
    void Step();

    QProgressBar* bar_;
    // advances the bar by one step every half second
    QTimer stepTimer_;
};

#include "platform/CWnd.h"

#include <QCloseEvent>
#include <QTimerEvent>

namespace {
// a window closed from outside ends its run the way a cancel does
constexpr int kCloseResult = 2;
}  // namespace

CWnd::CWnd(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

void CWnd::SetTimer(int id, int periodMs) {
    timersById_[id].start(periodMs, Qt::PreciseTimer, this);
}

void CWnd::KillTimer(int id) {
    auto found = timersById_.find(id);
    if (found != timersById_.end()) {
        found->second.stop();
    }
}

bool CWnd::IsTimerRunning(int id) const {
    auto found = timersById_.find(id);
    return found != timersById_.end() && found->second.isActive();
}

int CWnd::DoModal() {
    QEventLoop loop;
    modalLoop_ = &loop;
    modalResult_ = 0;
    endRequested_ = false;
    if (OnInitDialog() && !endRequested_) {
        loop.exec();
    }
    modalLoop_ = nullptr;
    OnDestroy();
    hide();
    return modalResult_;
}

void CWnd::EndDialog(int result) {
    modalResult_ = result;
    endRequested_ = true;
    if (modalLoop_ != nullptr) {
        modalLoop_->quit();
    }
}

bool CWnd::OnInitDialog() {
    show();
    return true;
}

void CWnd::OnDestroy() {}

void CWnd::closeEvent(QCloseEvent* event) {
    if (IsInModalRun()) {
        event->ignore();
        EndDialog(kCloseResult);
        return;
    }
    QWidget::closeEvent(event);
}

LRESULT CWnd::WindowProc(const WindowMessage&) {
    return 0;
}

void CWnd::OnTimer(int) {}

bool CWnd::event(QEvent* event) {
    if (event->type() == WindowMessage::EventType()) {
        auto* message = static_cast<WindowMessage*>(event);
        message->result = WindowProc(*message);
        return true;
    }
    return QWidget::event(event);
}

void CWnd::timerEvent(QTimerEvent* event) {
    for (auto& [id, timer] : timersById_) {
        if (timer.timerId() == event->timerId()) {
            OnTimer(id);
            return;
        }
    }
    QWidget::timerEvent(event);
}

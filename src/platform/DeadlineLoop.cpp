#include "platform/DeadlineLoop.h"

DeadlineLoop::DeadlineLoop() {
    deadline_.setSingleShot(true);
    // a coarse timer may fire a few percent early; a limit is a promise to wait that long
    deadline_.setTimerType(Qt::PreciseTimer);
    connect(&deadline_, &QTimer::timeout, this, &DeadlineLoop::OnDeadline);
}

bool DeadlineLoop::Run(int timeoutMs) {
    StartDeadline(timeoutMs);
    return Wait();
}

void DeadlineLoop::StartDeadline(int timeoutMs) {
    if (!finished_) {
        deadline_.start(timeoutMs);
    }
}

bool DeadlineLoop::Wait() {
    // a quit before exec() would be lost: the loop only starts when there is still something
    // to wait for
    if (!finished_ && !expired_) {
        loop_.exec();
    }
    deadline_.stop();
    return finished_;
}

void DeadlineLoop::Finish() {
    finished_ = true;
    deadline_.stop();
    loop_.quit();
}

void DeadlineLoop::OnDeadline() {
    expired_ = true;
    emit deadlinePassed();
    loop_.quit();
}

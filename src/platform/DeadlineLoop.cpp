#include "platform/DeadlineLoop.h"

DeadlineLoop::DeadlineLoop() {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, &loop_, &QEventLoop::quit);
}

bool DeadlineLoop::Run(int timeoutMs) {
    if (finished_) {
        return true;
    }
    deadline_.start(timeoutMs);
    loop_.exec();
    deadline_.stop();
    return finished_;
}

void DeadlineLoop::Finish() {
    finished_ = true;
    loop_.quit();
}

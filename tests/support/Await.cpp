#include "support/Await.h"

#include <QEventLoop>
#include <QTimer>

namespace {
// how often the condition is looked at while waiting
constexpr int kCheckPeriodMs = 20;
}  // namespace

bool Await(const std::function<bool()>& condition, int timeoutMs) {
    if (condition()) {
        return true;
    }
    QEventLoop loop;
    QTimer deadline;
    QTimer check;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    // once met, the wait is over: the condition is not asked again, since what made it true (a
    // window, a process) may be gone a moment later and a condition may note what it found
    bool met = false;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition()) {
            met = true;
            loop.quit();
        }
    });
    deadline.start(timeoutMs);
    check.start(kCheckPeriodMs);
    loop.exec();
    return met || condition();
}

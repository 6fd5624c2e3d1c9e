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
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition()) {
            loop.quit();
        }
    });
    deadline.start(timeoutMs);
    check.start(kCheckPeriodMs);
    loop.exec();
    return condition();
}

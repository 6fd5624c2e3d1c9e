#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QElapsedTimer>
#include <QTimer>
#include <vector>

#include "platform/CWnd.h"
#include "platform/DeadlineLoop.h"
#include "platform/SingleInstance.h"
#include "windows/UserMessages.h"

namespace {

// Records what reaches it; a one-shot timer 1 and a repeating timer 2.
class RecordingWindow : public CWnd {
public:
    std::vector<unsigned> messages;
    std::vector<int> ticks;
    QVariant lastPayload;
    DeadlineLoop* wakeOnMessage = nullptr;

protected:
    LRESULT WindowProc(const WindowMessage& message) override {
        messages.push_back(message.message);
        lastPayload = message.payload;
        if (wakeOnMessage != nullptr) {
            wakeOnMessage->Finish();
        }
        return static_cast<LRESULT>(message.wParam + static_cast<WPARAM>(message.lParam));
    }
    void OnTimer(int id) override {
        if (id == 1) {
            KillTimer(1);
        }
        ticks.push_back(id);
        if (ticks.size() >= 4) {
            KillTimer(2);
        }
    }
};

}  // namespace

TEST(PlatformWindow, SentMessagesAnswerAtOncePostedOnesArriveLaterWithTheirPayload) {
    RecordingWindow window;
    PostMessage(&window, UM_CHANGE_SKIN, 0, 0, QStringLiteral("Midnight"));
    EXPECT_EQ(SendMessage(&window, UM_TICKER_TEXT, 40, 2), 42);
    EXPECT_EQ(window.messages, std::vector<unsigned>{UM_TICKER_TEXT});

    DeadlineLoop wait;
    window.wakeOnMessage = &wait;
    ASSERT_TRUE(wait.Run(5000));
    EXPECT_EQ(window.messages, (std::vector<unsigned>{UM_TICKER_TEXT, UM_CHANGE_SKIN}));
    EXPECT_EQ(window.lastPayload.toString(), QStringLiteral("Midnight"));
    EXPECT_EQ(SendMessage(nullptr, UM_TICKER_TEXT, 1, 1), 0);
}

TEST(PlatformWindow, TimersFireByIdUntilKilled) {
    RecordingWindow window;
    window.SetTimer(1, 5);
    window.SetTimer(2, 10);
    window.SetTimer(2, 10);  // restarting an id replaces its timer, it does not add one
    DeadlineLoop wait;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (!window.IsTimerRunning(2)) {
            wait.Finish();
        }
    });
    check.start(5);
    ASSERT_TRUE(wait.Run(5000));
    EXPECT_EQ(std::count(window.ticks.begin(), window.ticks.end(), 1), 1);
    EXPECT_EQ(std::count(window.ticks.begin(), window.ticks.end(), 2), 3);
    EXPECT_FALSE(window.IsTimerRunning(1));
}

TEST(PlatformWindow, ADeadlineLoopEndsAtItsDeadlineOrWhenFinished) {
    DeadlineLoop expires;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(expires.Run(50));
    EXPECT_GE(clock.elapsed(), 45);

    DeadlineLoop finished;
    QTimer::singleShot(10, &finished, &DeadlineLoop::Finish);
    clock.restart();
    EXPECT_TRUE(finished.Run(10000));
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(PlatformWindow, ALaterCopyReachesTheRunningCopysMainWindow) {
    EXPECT_FALSE(SingleInstance::SignalRunningCopy()) << "nobody runs yet";
    RecordingWindow mainWindow;
    SingleInstance running;
    ASSERT_TRUE(running.Listen(&mainWindow));

    DeadlineLoop wait;
    mainWindow.wakeOnMessage = &wait;
    EXPECT_TRUE(SingleInstance::SignalRunningCopy());
    ASSERT_TRUE(wait.Run(5000));
    EXPECT_EQ(mainWindow.messages, std::vector<unsigned>{UM_ACTIVATE_INSTANCE});

    running.StopListening();
    EXPECT_FALSE(SingleInstance::SignalRunningCopy());
}

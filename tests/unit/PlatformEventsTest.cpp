#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

#include "platform/DeadlineLoop.h"
#include "platform/SingleInstance.h"

TEST(PlatformEvents, ADeadlineLoopEndsAtItsDeadlineOrWhenFinished) {
    DeadlineLoop expires;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(expires.Run(50));
    EXPECT_GE(clock.elapsed(), 45);

    DeadlineLoop finished;
    QTimer::singleShot(10, &finished, &DeadlineLoop::Finish);
    EXPECT_TRUE(finished.Run(10000));
}

TEST(PlatformEvents, ALaterCopyReachesTheRunningCopy) {
    EXPECT_FALSE(SingleInstance::SignalRunningCopy()) << "nobody runs yet";
    SingleInstance running;
    ASSERT_TRUE(running.Listen());
    QSignalSpy activation(&running, &SingleInstance::activationRequested);

    EXPECT_TRUE(SingleInstance::SignalRunningCopy());
    ASSERT_TRUE(activation.wait(5000));
    EXPECT_EQ(activation.size(), 1);

    running.StopListening();
    EXPECT_FALSE(SingleInstance::SignalRunningCopy());
}

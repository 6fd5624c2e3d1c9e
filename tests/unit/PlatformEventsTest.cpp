#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QSignalSpy>

#include "platform/SingleInstance.h"

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

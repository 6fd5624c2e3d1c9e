#pragma once

#include <functional>

// Waits, without spinning, until the condition holds or the deadline passes: the thread sleeps in
// the event loop (windows, timers and sockets keep working) and looks again every few
// milliseconds. Returns the condition's last value. Use it with ASSERT_TRUE/EXPECT_TRUE; Qt's own
// QTRY_ macros report to QtTest, which a gtest run never hears.
bool Await(const std::function<bool()>& condition, int timeoutMs = 10000);

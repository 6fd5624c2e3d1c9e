#include "player/RetryPolicy.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "platform/ActivityLog.h"
#include "player/ServerProbe.h"
#include "player/StreamRecovery.h"
#include "support/LogReading.h"
#include "support/QtPrinting.h"

namespace {

// A random source that gives back what the test put in it, the middle (no jitter) after that.
RetryPolicy::RandomSource Scripted(std::vector<double> values) {
    return [values, next = size_t{0}]() mutable {
        return next < values.size() ? values[next++] : 0.5;
    };
}

std::vector<int> Delays(RetryPolicy& policy, int count, qint64 playedMs = -1) {
    std::vector<int> delays;
    for (int i = 0; i < count; ++i) {
        delays.push_back(policy.NextDelayMs(playedMs));
    }
    return delays;
}

}  // namespace

TEST(RetryPolicy, DoublesFromOneSecondUpToThirtyAndStartsOverOnlyAfterSteadySound) {
    RetryPolicy policy(Scripted({}));
    EXPECT_EQ(Delays(policy, 8),
              (std::vector<int>{1000, 2000, 4000, 8000, 16000, 30000, 30000, 30000}));
    EXPECT_EQ(policy.Attempt(), 8);
    // hours of failures neither overflow the doubling nor pass the cap
    EXPECT_EQ(Delays(policy, 100).back(), 30000);

    // a stream that broke off soon after it began keeps the pause growing
    EXPECT_EQ(policy.NextDelayMs(RetryPolicy::kSteadyPlayMs - 1), 30000);
    EXPECT_EQ(policy.NextDelayMs(RetryPolicy::kSteadyPlayMs), 1000);
    EXPECT_EQ(policy.Attempt(), 1);
    EXPECT_EQ(policy.NextDelayMs(-1), 2000);
    policy.Reset();
    EXPECT_EQ(policy.NextDelayMs(-1), 1000);
}

TEST(RetryPolicy, JitterStaysWithinAFifthAndNeverPassesTheCap) {
    // the random source's extremes: 0 and just below 1
    RetryPolicy low(Scripted({0.0, 0.0, 0.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(Delays(low, 6), (std::vector<int>{800, 1600, 3200, 6400, 12800, 24000}));
    RetryPolicy high(Scripted({0.999999, 0.999999, 0.999999, 0.999999, 0.999999, 0.999999}));
    EXPECT_EQ(Delays(high, 6), (std::vector<int>{1200, 2400, 4800, 9600, 19200, 30000}));

    // the default source spreads the pauses, inside the same bounds
    RetryPolicy real;
    std::vector<int> firsts;
    for (int i = 0; i < 200; ++i) {
        real.Reset();
        firsts.push_back(real.NextDelayMs(-1));
    }
    const auto [least, most] = std::minmax_element(firsts.begin(), firsts.end());
    EXPECT_GE(*least, 800);
    EXPECT_LE(*most, 1200);
    EXPECT_LT(*least, *most) << "no two listeners should come back in step";
}

TEST(StreamRecovery, OneAttemptWaitsAtATimeTheNetworksReturnHurriesItAndStopEndsIt) {
    ActivityLog log;
    StreamRecovery recovery(log, RetryPolicy(Scripted({})));
    QSignalSpy due(&recovery, &StreamRecovery::retryDue);

    recovery.StreamFailed();
    ASSERT_TRUE(recovery.IsWaiting());
    EXPECT_EQ(recovery.PendingDelayMs(), 1000);
    ASSERT_TRUE(due.wait(3000));
    EXPECT_FALSE(recovery.IsWaiting());

    // the network coming back ends the wait; when nothing waits it does nothing
    recovery.StreamFailed();
    EXPECT_EQ(recovery.PendingDelayMs(), 2000);
    recovery.NetworkOnline();
    EXPECT_EQ(due.size(), 2);
    EXPECT_FALSE(recovery.IsWaiting());
    recovery.NetworkOnline();
    EXPECT_EQ(due.size(), 2);

    // the listener's own stream replaces the waiting attempt; Stop leaves nothing armed and the
    // next failure starts from the first pause
    recovery.StreamFailed();
    recovery.StreamOpened();
    EXPECT_FALSE(recovery.IsWaiting());
    recovery.StreamFailed();
    EXPECT_EQ(recovery.PendingDelayMs(), 8000);
    recovery.Stop();
    EXPECT_FALSE(recovery.IsWaiting());
    recovery.StreamFailed();
    EXPECT_EQ(recovery.PendingDelayMs(), 1000);
    recovery.Stop();

    const QStringList lines = LoggedMessages(log.FileName());
    EXPECT_EQ(lines.filter(QStringLiteral("Follow the network")).size(), 1) << lines.join(u'\n');
    EXPECT_EQ(lines.filter(QStringLiteral("Retry the stream in")),
              (QStringList{QStringLiteral("Retry the stream in 1000 ms (attempt 1)."),
                           QStringLiteral("Retry the stream in 2000 ms (attempt 2)."),
                           QStringLiteral("Retry the stream in 4000 ms (attempt 3)."),
                           QStringLiteral("Retry the stream in 8000 ms (attempt 4)."),
                           QStringLiteral("Retry the stream in 1000 ms (attempt 1).")}));
}

// The server's door is knocked at while the attempt waits: its return cuts a long pause short,
// and a server that never went away leaves the pause alone.
TEST(StreamRecovery, AServerThatComesBackIsTriedAtOnceWhateverThePause) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    ActivityLog log;
    StreamRecovery recovery(log, RetryPolicy(Scripted({})));
    recovery.SetServer(QStringLiteral("127.0.0.1"), port);
    QSignalSpy due(&recovery, &StreamRecovery::retryDue);
    QSignalSpy knocked(&server, &QTcpServer::newConnection);

    for (int failures = 0; failures < 5; ++failures) {
        recovery.StreamFailed();
    }
    ASSERT_EQ(recovery.PendingDelayMs(), 16000);
    ASSERT_TRUE(knocked.wait(5000)) << "the first knock finds the server there";
    EXPECT_TRUE(recovery.IsWaiting()) << "a server that never went away leaves the pause alone";

    recovery.Stop();
    server.close();
    for (int failures = 0; failures < 6; ++failures) {
        recovery.StreamFailed();
    }
    ASSERT_EQ(recovery.PendingDelayMs(), 30000);
    // the server is away for the first knock, back for a later one
    QTimer::singleShot(ServerProbe::kKnockPeriodMs / 2, &server,
                       [&] { server.listen(QHostAddress::LocalHost, port); });
    ASSERT_TRUE(due.wait(60000));
    EXPECT_FALSE(recovery.IsWaiting());
    EXPECT_TRUE(LoggedMessages(log.FileName())
                    .contains(QStringLiteral("The stream server answers: retry the stream now.")));
}

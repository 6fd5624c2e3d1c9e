#include "windows/StreamControl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>

#include "content/Program.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "player/StreamRecovery.h"
#include "skin/CTickerCtrl.h"
#include "support/Await.h"
#include "support/LogReading.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "windows/TickerRule.h"

TEST(StreamControl, AStreamThatBreaksOffIsTriedAgainUntilTheListenerStops) {
    Program program;
    // a loopback address of this test's own, where no stream server listens
    const qint64 pid = QCoreApplication::applicationPid();
    program.config.streamServer =
        QStringLiteral("127.254.%1.%2").arg((pid >> 8) & 255).arg(pid & 255);
    program.config.vlcArgs = {QStringLiteral("--aout=afile"), QStringLiteral("--audiofile-file=") +
                                                                  TestEnvironment::WorkDir() +
                                                                  QStringLiteral("/heard.wav")};
    QWidget owner;
    CTickerCtrl ticker(&owner);
    TickerRule rule(ticker, program.player.OnAir());
    StreamControl stream(
        program, rule, [] { return QRect(0, 0, 100, 100); }, &owner);
    const auto attempts = [&] {
        return LoggedMessages(program.log.FileName()).count(QStringLiteral("TRY to play."));
    };

    stream.Start(true);
    // the first attempt fails, the second comes after the first pause and fails as well
    ASSERT_TRUE(Await([&] { return attempts() >= 2 && stream.Recovery().IsWaiting(); }, 20000));
    EXPECT_EQ(rule.Text(), StringTable::Load(StringId::kReconnecting));
    EXPECT_FALSE(stream.Viewer().IsPlayRequested()) << "one stream at a time";
    EXPECT_TRUE(program.player.IsPlaying()) << "the listener still wants the stream";

    stream.Stop();
    EXPECT_FALSE(program.player.IsPlaying());
    EXPECT_FALSE(stream.Recovery().IsWaiting());
    EXPECT_EQ(rule.Text(), StringTable::Load(StringId::kServiceName));
    const int afterStop = attempts();
    // longer than the pause that was waiting
    EXPECT_FALSE(Await([&] { return attempts() > afterStop; }, 3000));
    EXPECT_FALSE(stream.Viewer().IsPlayRequested());
}

#include "content/Config.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "support/TestEnvironment.h"

TEST(Config, GivenValuesReplaceDefaultsAndTheRestStay) {
    const Config config = Config::FromText(
        "[Service]\r\nWebServer = http://radio.example:81\r\nStreamServer=10.0.0.1\r\n"
        "[Player]\r\nVlcArgs=--aout=afile  --audiofile-file=/tmp/x.wav\r\n");
    EXPECT_EQ(config.webServer, QStringLiteral("http://radio.example:81"));
    EXPECT_EQ(config.streamServer, QStringLiteral("10.0.0.1"));
    EXPECT_EQ(config.mainSite, Config().mainSite);
    EXPECT_EQ(config.vlcArgs, (QStringList{QStringLiteral("--aout=afile"),
                                           QStringLiteral("--audiofile-file=/tmp/x.wav")}));
    // only a positive log-in limit replaces the default
    EXPECT_EQ(Config::FromText("[Service]\nLoginLimitMs=2500\n").loginLimitMs, 2500);
    for (const char* kept : {"[Service]\nLoginLimitMs=0\n", "[Service]\nLoginLimitMs=soon\n"}) {
        EXPECT_EQ(Config::FromText(kept).loginLimitMs, Config().loginLimitMs) << kept;
    }
}

TEST(Config, EngineLogAsksTheEngineForItsMessagesAfterTheGivenOptions) {
    const Config asked =
        Config::FromText("[Player]\nVlcArgs=--aout=afile\nEngineLog=2\n[Service]\nEngineLog=1\n");
    EXPECT_EQ(asked.engineLog, 2);
    EXPECT_EQ(asked.vlcArgs,
              (QStringList{QStringLiteral("--aout=afile"), QStringLiteral("--verbose=2")}));
    EXPECT_EQ(Config::FromText("[Player]\nEngineLog=7\n").vlcArgs,
              QStringList{QStringLiteral("--verbose=2")})
        << "the most there is";
    for (const char* quiet : {"[Player]\nEngineLog=0\n", "[Player]\nEngineLog=yes\n",
                              "[Service]\nEngineLog=1\n", "[Player]\nEngineLog=\n"}) {
        const Config config = Config::FromText(quiet);
        EXPECT_EQ(config.engineLog, 0) << quiet;
        EXPECT_TRUE(config.vlcArgs.isEmpty()) << quiet;
    }
}

// The user's own file is read, and a file named by the environment comes before it.
TEST(Config, TheFileNamedByTheEnvironmentComesBeforeTheUsersOwn) {
    const auto write = [](const QString& path, const QByteArray& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    const QString own =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/quilo";
    ASSERT_TRUE(QDir().mkpath(own));
    write(own + "/quilo.conf", "[Service]\nMainSite=http://127.0.0.8:8081\n");
    const QString chosen = TestEnvironment::WorkDir() + QStringLiteral("/chosen.conf");
    write(chosen, "[Service]\nMainSite=http://127.0.0.9:8082\n");

    EXPECT_EQ(Config::Load().mainSite, QStringLiteral("http://127.0.0.8:8081"));
    qputenv("QUILO_CONF", QFile::encodeName(chosen));
    const Config config = Config::Load();
    qunsetenv("QUILO_CONF");
    EXPECT_EQ(config.sourceFile, chosen);
    EXPECT_EQ(config.mainSite, QStringLiteral("http://127.0.0.9:8082"));
}

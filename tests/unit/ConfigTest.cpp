#include "content/Config.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QFile>

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
    EXPECT_EQ(config.engineLog, 0) << "the engine is quiet unless asked";
    EXPECT_EQ(config.loginLimitMs, 40000);
}

TEST(Config, OnlyAPositiveLoginLimitReplacesTheDefault) {
    EXPECT_EQ(Config::FromText("[Service]\nLoginLimitMs=2500\n").loginLimitMs, 2500);
    EXPECT_EQ(Config::FromText("[Service]\nLoginLimitMs=0\n").loginLimitMs, 40000);
    EXPECT_EQ(Config::FromText("[Service]\nLoginLimitMs=soon\n").loginLimitMs, 40000);
}

TEST(Config, EngineLogAsksTheEngineForItsMessagesAfterTheGivenOptions) {
    const Config asked =
        Config::FromText("[Player]\nVlcArgs=--aout=afile\nEngineLog=2\n[Service]\nEngineLog=1\n");
    EXPECT_EQ(asked.engineLog, 2);
    EXPECT_EQ(asked.vlcArgs,
              (QStringList{QStringLiteral("--aout=afile"), QStringLiteral("--verbose=2")}));

    EXPECT_EQ(Config::FromText("[Player]\nEngineLog=1\n").vlcArgs,
              QStringList{QStringLiteral("--verbose=1")});
    for (const char* quiet : {"[Player]\nEngineLog=0\n", "[Player]\nEngineLog=yes\n",
                              "[Service]\nEngineLog=1\n", "[Player]\nEngineLog=\n"}) {
        const Config config = Config::FromText(quiet);
        EXPECT_EQ(config.engineLog, 0) << quiet;
        EXPECT_TRUE(config.vlcArgs.isEmpty()) << quiet;
    }
    EXPECT_EQ(Config::FromText("[Player]\nEngineLog=7\n").engineLog, 2) << "the most there is";
}

TEST(Config, TheFileNamedByTheEnvironmentComesFirst) {
    const QString path = TestEnvironment::WorkDir() + QStringLiteral("/chosen.conf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Service]\nMainSite=http://127.0.0.9:8082\n");
    file.close();

    EXPECT_TRUE(Config::Load().sourceFile.isEmpty() || Config::Load().sourceFile != path);
    qputenv("QUILO_CONF", QFile::encodeName(path));
    const Config config = Config::Load();
    qunsetenv("QUILO_CONF");
    EXPECT_EQ(config.sourceFile, path);
    EXPECT_EQ(config.mainSite, QStringLiteral("http://127.0.0.9:8082"));
}

// The update check at start-up against a station that announces a release of its own.

#include "content/UpdateCheck.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QWidget>

#include <optional>

#include "StationProcess.h"
#include "content/WorkFolder.h"
#include "platform/ActivityLog.h"
#include "platform/DesktopOpen.h"
#include "platform/LogMessages.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "support/Await.h"
#include "support/LogReading.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"

namespace {

constexpr char kPackage[] = "quilo_2.10_amd64.deb";
// Read and write for the owner alone (the owner is the test's user), as the file mode says.
constexpr QFile::Permissions kOwnerReadWrite =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

// A release file of a few hundred kilobytes of every byte value: it arrives in many pieces.
QByteArray MakePackage() {
    QByteArray bytes(300 * 1024, '\0');
    QRandomGenerator generator(2010);
    for (char& byte : bytes) {
        byte = static_cast<char>(generator.bounded(256));
    }
    return bytes;
}

QString PackagePath() {
    return TestEnvironment::Root() + "/served/" + QLatin1String(kPackage);
}

struct Shown {
    StringId id;
    QString text;
};

class UpdateCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QDir().mkpath(QFileInfo(PackagePath()).path());
        QFile file(PackagePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(MakePackage());
    }

    void SetUp() override {
        ASSERT_TRUE(station_.IsReady()) << station_.Failure();
        StringTable::SetKorean(false);
        SetMessageAnswerer([this](StringId id, const QString& text) {
            shown_.push_back({id, text});
            return answer_;
        });
        SetDesktopOpener([this](const QString& path) {
            opened_ << path;
            return desktopTakesIt_;
        });
    }
    void TearDown() override {
        SetMessageAnswerer(nullptr);
        SetDesktopOpener(nullptr);
    }

    bool Announce(const QByteArray& version, const QString& message = {}) {
        return station_.Control("/_station/update?ver=" + version +
                                "&msg=" + message.toUtf8().toPercentEncoding());
    }
    bool Check() {
        std::optional<bool> handedOver;
        CheckForUpdate(&owner_, log_, station_.Base(StationProcess::kWeb),
                       [&handedOver](bool told) { handedOver = told; });
        Await([&handedOver] { return handedOver.has_value(); }, 30000);
        return handedOver.value_or(false);
    }
    QStringList Logged() const { return LoggedMessages(log_.FileName()); }
    QStringList WorkFiles() const { return QDir(GetWorkFolder()).entryList(QDir::Files); }

    StationProcess station_{{"--update-file", PackagePath()}};
    QWidget owner_;  // the message boxes' owner, and the check's
    ActivityLog log_;
    std::vector<Shown> shown_;
    QStringList opened_;
    MessageAnswer answer_ = MessageAnswer::Yes;
    bool desktopTakesIt_ = true;
};

const QStringList kInfoOnly{LogText::kTryVersionInfo, LogText::kVersionInfoDone};
const QStringList kBothDownloads{LogText::kTryVersionInfo, LogText::kVersionInfoDone,
                                 LogText::kTrySetup, LogText::kSetupDone};

}  // namespace

TEST_F(UpdateCheck, OnlyAGreaterVersionNumberIsOfferedAndNoSaysNo) {
    // "2.01" is the program's own version; "3.0" counts as 300, not as a newer release
    for (const QByteArray version : {"2.01", "3.0"}) {
        ASSERT_TRUE(Announce(version));
        EXPECT_FALSE(Check()) << version.constData();
        EXPECT_EQ(WorkFiles(), QStringList{"setup_info"}) << "the package is not even fetched";
    }
    EXPECT_EQ(Logged(), kInfoOnly + kInfoOnly);
    EXPECT_TRUE(shown_.empty());

    ASSERT_TRUE(Announce("2.10"));  // 2010 > 2001
    answer_ = MessageAnswer::No;
    EXPECT_FALSE(Check());
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].id, StringId::kUpdateQuestion);
    EXPECT_EQ(shown_[0].text, StringTable::Load(StringId::kUpdateQuestion))
        << "an empty message asks the standard question";
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_EQ(Logged(), kInfoOnly + kInfoOnly + kBothDownloads);
}

TEST_F(UpdateCheck, YesHandsThePackageToTheDesktopAndItsRefusalIsTold) {
    const QString message = "새 버전 2.10이 나왔습니다.\n[필수] 꼭 업데이트하세요.";
    ASSERT_TRUE(Announce("2.10", message));
    EXPECT_TRUE(Check());
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].id, StringId::kUpdateQuestion);
    EXPECT_EQ(shown_[0].text, QString(message).replace("\n", "\r\n"))
        << "a line beginning with [ belongs to the question";

    const QString folder = GetWorkFolder();
    const QString package = folder + "/" + kPackage;
    EXPECT_EQ(opened_, QStringList{package});
    QFile served(PackagePath());
    QFile local(package);
    ASSERT_TRUE(served.open(QIODevice::ReadOnly) && local.open(QIODevice::ReadOnly));
    EXPECT_TRUE(local.readAll() == served.readAll()) << "the package arrived byte for byte";
    EXPECT_EQ(QFile::permissions(package), kOwnerReadWrite)
        << "a downloaded package is never made executable";
    EXPECT_EQ(QFile::permissions(folder), kOwnerReadWrite | QFile::ExeOwner | QFile::ExeUser);
    EXPECT_EQ(Logged(), kBothDownloads);

    // a package the desktop refuses is told to the listener
    desktopTakesIt_ = false;
    EXPECT_FALSE(Check());
    EXPECT_EQ(opened_.size(), 2);
    ASSERT_EQ(shown_.size(), 3u);
    EXPECT_EQ(shown_[2].id, StringId::kUpdateFailed);
    EXPECT_EQ(shown_[2].text, StringTable::Load(StringId::kUpdateFailed));
}

TEST_F(UpdateCheck, AStaleLocalInfoAMissingPackageOrAWrongOneEndsTheCheckQuietly) {
    // the site refused: the release info left from an earlier check never counts
    QFile stale(GetWorkFolder() + "/setup_info");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("[VER]\r\n9.99\r\n[URL]\r\nhttp://127.0.0.1:1/x.deb\r\n[MSG]\r\n\r\n[END]\r\n");
    stale.close();
    ASSERT_TRUE(station_.Control("/_station/fault?name=refuse&site=web"));
    EXPECT_FALSE(Check());
    EXPECT_EQ(Logged(), QStringList({LogText::kTryVersionInfo, LogText::kVersionInfoFailed}));
    EXPECT_FALSE(stale.exists());
    ASSERT_TRUE(station_.Control("/_station/fault?name=clear"));

    ASSERT_TRUE(station_.Control("/_station/update?ver=2.10&file=quilo_9.99_amd64.deb"));
    EXPECT_FALSE(Check());
    EXPECT_EQ(Logged().mid(2),
              kInfoOnly + QStringList({LogText::kTrySetup, LogText::kSetupFailed}));
    EXPECT_EQ(WorkFiles(), QStringList{"setup_info"});

    // the package is there, but its checksum is not the one announced
    ASSERT_TRUE(station_.Control("/_station/update?ver=2.10&file=" + QByteArray(kPackage) +
                                 "&sha256=" + QByteArray(64, 'a')));
    EXPECT_FALSE(Check());
    EXPECT_EQ(Logged().mid(6),
              kInfoOnly + QStringList({LogText::kTrySetup, LogText::kSetupMismatch}));
    EXPECT_EQ(WorkFiles(), QStringList{"setup_info"}) << "nothing is left to be installed";
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(opened_.isEmpty());
}

TEST(SetupFileName, KeepsTheReleaseNameButNothingThatLeavesTheFolder) {
    EXPECT_EQ(SetupFileName("http://h/download/quilo_2.10_amd64.deb"), "quilo_2.10_amd64.deb");
    EXPECT_EQ(SetupFileName("http://h/download/QuiloSetup.exe?from=info"), "QuiloSetup.exe");
    EXPECT_EQ(SetupFileName("http://h/dl/..%2F..%2F.bashrc"), "bashrc");
    EXPECT_EQ(SetupFileName("http://h/dl/..."), "setup.exe");
    EXPECT_EQ(SetupFileName("http://h/dl/"), "setup.exe");
    EXPECT_EQ(SetupFileName(""), "setup.exe");
    EXPECT_EQ(SetupFileName("http://h/" + QString(300, 'a')), "setup.exe");
}

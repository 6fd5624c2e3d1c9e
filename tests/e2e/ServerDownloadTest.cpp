// Downloads from a station of their own, the way every server file reaches the program.

#include "content/ServerDownload.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <memory>
#include <optional>

#include "ScriptedSite.h"
#include "StationProcess.h"
#include "support/Await.h"
#include "support/QtPrinting.h"

namespace {

constexpr qint64 kText = ServerDownload::kServerTextMaxBytes;

// Read and write for the owner alone (the owner is the test's user), as the file mode says.
constexpr QFile::Permissions kOwnerReadWrite =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the download folder holds besides the files a test put there: a failure leaves nothing.
QStringList FolderEntries() {
    return QDir("downloads")
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
}

// Whether the download brought the file, once it has told.
bool Fetched(const QString& address, const QString& localPath, qint64 maxBytes,
             int limitMs = ServerDownload::kGenerousLimitMs) {
    QObject receiver;
    std::optional<bool> fetched;
    ServerDownload::Fetch(
        address, localPath, maxBytes, &receiver, [&fetched](bool told) { fetched = told; },
        limitMs);
    Await([&fetched] { return fetched.has_value(); }, 30000);
    return fetched.value_or(false);
}

class Download : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(station_.IsReady()) << station_.Failure();
        ASSERT_TRUE(QDir().mkpath("downloads"));
    }
    QString Web(const char* path) const {
        return station_.Base(StationProcess::kWeb) + QLatin1String(path);
    }

    StationProcess station_;
};

}  // namespace

TEST_F(Download, TheWholeFileArrivesPrivateAndRedirectsAreFollowed) {
    const QString setup = "downloads/setup.exe";
    ASSERT_TRUE(Fetched(Web("/download/QuiloSetup.exe"), setup, kText));
    const QByteArray served = station_.Get(StationProcess::kWeb, "/download/QuiloSetup.exe").body;
    ASSERT_FALSE(served.isEmpty());
    EXPECT_EQ(ReadAll(setup), served);
    EXPECT_EQ(QFile::permissions(setup), kOwnerReadWrite) << "never executable";

    // the log-in answers with a redirect to another site: the download follows it
    const QByteArray returnUrl = Web("/empty.asp").toUtf8().toPercentEncoding();
    const QString login = station_.Base(StationProcess::kMain) +
                          "/subloginproc.asp?userid=demo&passwd=quilo2007&eradio=Y&returnurl=" +
                          QString::fromLatin1(returnUrl);
    ASSERT_TRUE(Fetched(login, "downloads/page", kText));
    EXPECT_EQ(ReadAll("downloads/page"), station_.Get(StationProcess::kWeb, "/empty.asp").body);
    EXPECT_EQ(FolderEntries(), QStringList({"page", "setup.exe"}));
}

TEST_F(Download, AFailureLeavesNoFileBehind) {
    // refused first: a connection the manager keeps open from an earlier download would still
    // be served
    ASSERT_TRUE(station_.Control("/_station/fault?name=refuse&site=web"));
    EXPECT_FALSE(Fetched(Web("/info/setup_info.txt"), "downloads/refused", kText));
    ASSERT_TRUE(station_.Control("/_station/fault?name=clear"));

    EXPECT_FALSE(Fetched(Web("/download/NoSuchSetup.exe"), "downloads/missing", kText))
        << "an error page is no file";
    EXPECT_FALSE(Fetched(Web("/download/QuiloSetup.exe"), QString(), kText));
    EXPECT_FALSE(Fetched(Web("/download/QuiloSetup.exe"), "no-such-folder/setup.exe", kText));
    EXPECT_EQ(FolderEntries(), QStringList());
}

TEST_F(Download, AnAnswerHeldPastTheLimitIsAFailureAndOneGivenUpWithItsReceiverIsNeverTold) {
    // an answer held far longer than the limit
    constexpr int kHeldMs = 30000;
    ASSERT_TRUE(
        station_.Control("/_station/fault?name=delay&site=web&ms=" + QByteArray::number(kHeldMs)));
    EXPECT_FALSE(Fetched(Web("/info/setup_info.txt"), "downloads/late", kText, 300))
        << "the limit ends the download, not the server's answer";

    // a download whose receiver goes is given up there and then, and tells nobody
    bool told = false;
    auto receiver = std::make_unique<QObject>();
    ServerDownload::Fetch(Web("/info/setup_info.txt"), "downloads/abandoned", kText, receiver.get(),
                          [&told](bool) { told = true; });
    receiver.reset();
    QCoreApplication::processEvents();
    EXPECT_FALSE(told);
    EXPECT_EQ(FolderEntries(), QStringList());
}

TEST_F(Download, AFileLargerThanItsKindMayBeIsRefusedWhetherItsLengthIsAnnouncedOrNot) {
    const QByteArray ok = "HTTP/1.1 200 OK\r\nConnection: close\r\n";
    const QByteArray body(1000, 'x');
    const std::pair<const char*, QByteArray> answers[] = {
        {"announced", ok + "Content-Length: 1001\r\n\r\n" + body + 'x'},
        {"unannounced", ok + "\r\n" + body + 'x'},
        {"fits", ok + "\r\n" + body},
    };
    for (const auto& [name, answer] : answers) {
        // more than the answer announces, or no length at all, and the connection closed
        const ScriptedSite site({{"/file", answer}});
        const QString path = "downloads/" + QLatin1String(name);
        EXPECT_EQ(Fetched(site.Base() + "/file", path, 1000), path.endsWith("fits")) << name;
    }
    EXPECT_EQ(ReadAll("downloads/fits"), body);
    EXPECT_EQ(FolderEntries(), QStringList({"fits"}));
}

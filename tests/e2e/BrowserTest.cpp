// Pages opened in a real browser: a headless Chromium stands in for the listener's browser, named
// to the program as its opener. The station's request record shows what the browser did.
#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTimer>
#include <csignal>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "platform/CTextScrambler.h"
#include "skin/SkinInfo.h"
#include "support/TestEnvironment.h"
#include "web/CWebLauncher.h"
#include "windows/SkinLayout.h"

namespace {

const QString kPassword = QStringLiteral("quilo2007");

// Every process's command line, read from /proc every few milliseconds while the test runs: none
// may ever hold the password.
class CommandLineWatch {
public:
    explicit CommandLineWatch(QByteArray secret) : secret_(std::move(secret)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
        timer_.start(5);
    }
    // Command lines seen holding the secret.
    const QStringList& Leaks() const { return leaks_; }
    int ProcessesSeen() const { return static_cast<int>(seen_.size()); }

private:
    void Look() {
        const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString& pid : pids) {
            QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
            if (pid.front().isDigit() && commandLine.open(QIODevice::ReadOnly)) {
                const QByteArray text = commandLine.readAll();
                seen_.insert(pid);
                if (text.contains(secret_)) {
                    leaks_.append(QString::fromLocal8Bit(text).replace(u'\0', u' '));
                }
            }
        }
    }

    QByteArray secret_;
    QTimer timer_;
    QSet<QString> seen_;
    QStringList leaks_;
};

// The visible window titled "Quilo" of the given size, once there is one.
QString WindowOfSize(const QSize& size) {
    QString found;
    QuiloRun::WaitUntil(
        [&] {
            const QStringList windows =
                QuiloRun::XdoTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                   QStringLiteral("--name"), QStringLiteral("^Quilo$")});
            for (const QString& window : windows) {
                const QStringList shell = QuiloRun::XdoTool(
                    {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
                if (shell.contains(QStringLiteral("WIDTH=%1").arg(size.width())) &&
                    shell.contains(QStringLiteral("HEIGHT=%1").arg(size.height()))) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        30000);
    return found;
}

class Browser : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(station_.IsReady()) << station_.Failure();
        browserFolder_ = TestEnvironment::Root() + QStringLiteral("/browser");
        qputenv("QUILO_BROWSER_DIR", browserFolder_.toLocal8Bit());
        qputenv("QUILO_OPENER", (TestEnvironment::SourceDir() +
                                 QStringLiteral("/tests/support/headless-browser.sh"))
                                    .toLocal8Bit());
    }

    // Ends every browser the opener started, with all of its processes.
    void TearDown() override {
        QFile sessions(browserFolder_ + QStringLiteral("/sessions"));
        if (sessions.open(QIODevice::ReadOnly)) {
            for (const QByteArray& session : sessions.readAll().split('\n')) {
                if (const int id = session.trimmed().toInt(); id > 0) {
                    ::kill(-id, SIGKILL);
                }
            }
        }
    }

    static QJsonArray Requests(const StationProcess& station, const char* site) {
        return QJsonDocument::fromJson(
                   station
                       .Get(StationProcess::kControl, QByteArray("/_station/requests?site=") + site)
                       .body)
            .array();
    }

    // The first request the site received for `path`, once it arrives.
    static QJsonObject AwaitRequest(const StationProcess& station, const char* site,
                                    const QString& path) {
        QJsonObject found;
        QuiloRun::WaitUntil(
            [&] {
                for (const auto& entry : Requests(station, site)) {
                    if (entry[QStringLiteral("path")].toString() == path) {
                        found = entry.toObject();
                        return true;
                    }
                }
                return false;
            },
            30000);
        return found;
    }

    QString Opened() const {
        QFile opened(browserFolder_ + QStringLiteral("/opened"));
        return opened.open(QIODevice::ReadOnly) ? QString::fromUtf8(opened.readAll()) : QString();
    }

    static QString Header(const QJsonObject& request, const QString& name) {
        for (const auto& header : request[QStringLiteral("headers")].toArray()) {
            if (header[0].toString().compare(name, Qt::CaseInsensitive) == 0) {
                return header[1].toString();
            }
        }
        return {};
    }

    static int Count(const QJsonArray& requests, const QString& path) {
        return static_cast<int>(std::count_if(requests.begin(), requests.end(), [&](const auto& r) {
            return r[QStringLiteral("path")].toString() == path;
        }));
    }

    StationProcess station_;
    QString browserFolder_;
};

}  // namespace

TEST_F(Browser, ABroadcasterPageOpensLoggedInAndAnOutsidePageDirectlyWithNoPasswordInAnyArgv) {
    StationProcess outside;
    ASSERT_TRUE(outside.IsReady()) << outside.Failure();
    CommandLineWatch watch(kPassword.toLatin1());
    CWebLauncher launcher(
        {station_.Base(StationProcess::kWeb), station_.Base(StationProcess::kMain)},
        station_.Host());

    launcher.OpenWebPage(nullptr,
                         station_.Base(StationProcess::kMain) + QStringLiteral("/news.asp"),
                         QStringLiteral("demo"), kPassword);
    const QJsonObject page = AwaitRequest(station_, "main", QStringLiteral("/news.asp"));
    ASSERT_FALSE(page.isEmpty()) << "the browser never reached the page";
    EXPECT_TRUE(Header(page, QStringLiteral("Cookie")).contains(QStringLiteral("RmUserid=demo")))
        << Header(page, QStringLiteral("Cookie")).toStdString();
    const QJsonArray onMain = Requests(station_, "main");
    EXPECT_EQ(onMain[0][QStringLiteral("path")].toString(), QStringLiteral("/subloginproc.asp"))
        << "the log-in comes first";
    EXPECT_EQ(Count(onMain, QStringLiteral("/news.asp")), 1) << "the page opens once";

    // an address that does not hold the broadcaster's domain opens without the detour
    launcher.OpenWebPage(nullptr, outside.Base(StationProcess::kMain) + QStringLiteral("/away.asp"),
                         QStringLiteral("demo"), kPassword);
    const QJsonObject away = AwaitRequest(outside, "main", QStringLiteral("/away.asp"));
    ASSERT_FALSE(away.isEmpty()) << "the browser never reached the outside page";
    EXPECT_EQ(Requests(outside, "main").size(), 1) << "no log-in on the way";
    EXPECT_EQ(Count(Requests(station_, "main"), QStringLiteral("/subloginproc.asp")), 1);
    EXPECT_TRUE(Header(away, QStringLiteral("Cookie")).isEmpty());

    EXPECT_GT(watch.ProcessesSeen(), 5);
    EXPECT_TRUE(watch.Leaks().isEmpty()) << watch.Leaks().join(u'\n').toStdString();
}

TEST_F(Browser, ACharacterPageReceivesTheFormPostedFromTheLocalPage) {
    CWebLauncher launcher(
        {station_.Base(StationProcess::kWeb), station_.Base(StationProcess::kMain)},
        station_.Host());
    launcher.OpenCharacterPage(
        station_.Base(StationProcess::kMain) + QStringLiteral("/event/quilo.asp?ch=7"),
        QStringLiteral("demo"));
    const QJsonObject post = AwaitRequest(station_, "main", QStringLiteral("/event/quilo.asp"));
    ASSERT_FALSE(post.isEmpty()) << "the browser never posted the form";
    EXPECT_EQ(post[QStringLiteral("method")].toString(), QStringLiteral("POST"));
    EXPECT_EQ(post[QStringLiteral("query")].toString(), QStringLiteral("ch=7"));
    const QByteArray body =
        QByteArray::fromHex(post[QStringLiteral("body_hex")].toString().toLatin1());
    // the browser writes letters as they are where our own post data escapes them ("%61%70%70")
    const QList<QByteArray> fields = body.split('&');
    ASSERT_EQ(fields.size(), 3) << body.toStdString();
    EXPECT_EQ(fields[0], "src=app");
    EXPECT_EQ(fields[1], "ni=64656D6F");
    ASSERT_TRUE(fields[2].startsWith("ei="));
    EXPECT_EQ(CTextScrambler::Decode(QByteArray::fromPercentEncoding(fields[2].mid(3))), "demo");
}

TEST_F(Browser, TheLinkAreaOfTheRunningProgramOpensTheHomePageLoggedIn) {
    QuiloRun::InstallFor(station_.Host(), true);
    CommandLineWatch watch(kPassword.toLatin1());
    QuiloRun quilo;
    quilo.Start();
    // the face, once the player has started: not the busy indicator of the log-in before it
    ASSERT_TRUE(QuiloRun::WaitForLogLine(QStringLiteral("TRY to play."), 30000));
    const QString face = WindowOfSize(
        QImage(QuiloRun::ProgramFolder() + QStringLiteral("/Skins/Quilo2/main_bg.bmp")).size());
    ASSERT_FALSE(face.isEmpty());
    QDir().mkpath(QStringLiteral("./Skins"));
    QFile::link(TestEnvironment::SourceDir() + QStringLiteral("/Skins/Quilo2"),
                QStringLiteral("./Skins/Quilo2"));
    SkinInfo skin;
    ASSERT_TRUE(skin.Load(QStringLiteral("Quilo2")));
    const std::optional<QRect> area = SkinLayout::Area(skin, "[MAIN_LINK0]");
    ASSERT_TRUE(area.has_value());
    QuiloRun::XdoTool({QStringLiteral("mousemove"), QStringLiteral("--sync"),
                       QStringLiteral("--window"), face, QString::number(area->center().x()),
                       QString::number(area->center().y()), QStringLiteral("click"),
                       QStringLiteral("1")});

    const QJsonObject home = AwaitRequest(station_, "web", QStringLiteral("/"));
    ASSERT_FALSE(home.isEmpty()) << "the browser never reached the home page; it opened:\n"
                                 << Opened().toStdString() << "the station saw:\n"
                                 << QJsonDocument(Requests(station_, "")).toJson().toStdString();
    EXPECT_TRUE(Header(home, QStringLiteral("Cookie")).contains(QStringLiteral("RmUserid=demo")));
    EXPECT_TRUE(quilo.Terminate());
    EXPECT_TRUE(watch.Leaks().isEmpty()) << watch.Leaks().join(u'\n').toStdString();
}

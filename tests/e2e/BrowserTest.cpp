// Pages opened in a real browser: a headless Chromium stands in for the listener's browser, named
// to the program as its opener. The station's request record shows what the browser did.
#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTimer>

#include "DialogTestKit.h"
#include "QuiloRun.h"
#include "StationProcess.h"
#include "platform/CPrefStore.h"
#include "skin/SkinInfo.h"
#include "support/TestEnvironment.h"
#include "windows/SkinLayout.h"

namespace {

const QString kPassword = "quilo2007";

// The password as typed and with every byte percent-encoded, as an address would carry it.
const QList<QByteArray> kPasswordForms = {kPassword.toLatin1(), "%71%75%69%6C%6F%32%30%30%37"};

bool HoldsPassword(const QByteArray& text) {
    return std::any_of(kPasswordForms.begin(), kPasswordForms.end(),
                       [&](const QByteArray& form) { return text.contains(form); });
}

// Every process's command line and environment, read from /proc every few milliseconds while the
// test runs: none may ever hold the password.
class CommandLineWatch {
public:
    CommandLineWatch() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
        timer_.start(5);
    }
    // Command lines and environments seen holding the password.
    const QStringList& Leaks() const { return leaks_; }
    int ProcessesSeen() const { return static_cast<int>(seen_.size()); }

private:
    void Look() {
        const QStringList pids = QDir("/proc").entryList(QDir::Dirs);
        for (const QString& pid : pids) {
            for (const char* part : {"cmdline", "environ"}) {
                QFile text(QStringLiteral("/proc/%1/%2").arg(pid, QLatin1String(part)));
                if (!pid.front().isDigit() || !text.open(QIODevice::ReadOnly)) {
                    continue;
                }
                const QByteArray bytes = text.readAll();
                seen_.insert(pid);
                if (HoldsPassword(bytes)) {
                    leaks_.append(QString::fromLocal8Bit(bytes).replace(u'\0', u' '));
                }
            }
        }
    }

    QTimer timer_;
    QSet<QString> seen_;
    QStringList leaks_;
};

// Every file under `folder` that holds the password, leaving out the folders in `skip`.
QStringList FilesHoldingPassword(const QString& folder, const QStringList& skip) {
    QStringList found;
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const bool skipped = std::any_of(skip.begin(), skip.end(), [&](const QString& other) {
            return path.startsWith(other + u'/') || path == other;
        });
        QFile file(path);
        if (!skipped && file.open(QIODevice::ReadOnly) && HoldsPassword(file.readAll())) {
            found << path;
        }
    }
    return found;
}

// The visible window titled "Quilo" of the given size, once there is one.
QString WindowOfSize(const QSize& size) {
    QString found;
    Await(
        [&] {
            for (const QString& window : QuiloRun::QuiloWindows()) {
                const QStringList shell =
                    QuiloRun::XdoTool({"getwindowgeometry", "--shell", window});
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
        browserFolder_ = TestEnvironment::Root() + "/browser";
        qputenv("QUILO_BROWSER_DIR", browserFolder_.toLocal8Bit());
        qputenv(
            "QUILO_OPENER",
            (TestEnvironment::SourceDir() + "/tests/support/headless-browser.sh").toLocal8Bit());
    }

    // Ends every browser the opener started, with all of its processes.
    void TearDown() override {
        QFile sessions(browserFolder_ + "/sessions");
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
        Await(
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
        QFile opened(browserFolder_ + "/opened");
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

    StationProcess station_;
    QString browserFolder_;
};

}  // namespace

// The whole run of a listener who logs in by itself, posts to the board and opens a page through
// the log-in detour leaves the password nowhere: not in a log, not in any file of the program or
// of the listener's folders (but the preferences, readable by the listener alone), not on any
// process's command line or in its environment.
TEST_F(Browser, TheLinkAreaOpensTheHomePageLoggedInAndThePasswordIsNowhereAfterALogInAndAPost) {
    QuiloRun::InstallFor(station_.Host(), true);
    CommandLineWatch watch;
    QuiloRun quilo;
    quilo.Start();
    // the face, once the player has started: not the busy indicator of the log-in before it
    ASSERT_TRUE(QuiloRun::WaitForLogLine("TRY to play.", 30000));
    const QString face =
        WindowOfSize(QImage(QuiloRun::ProgramFolder() + "/Skins/Quilo2/main_bg.bmp").size());
    ASSERT_FALSE(face.isEmpty());
    DialogTestKit::LinkShippedSkins();
    SkinInfo skin;
    ASSERT_TRUE(skin.Load("Quilo2"));
    const auto click = [&](const QPoint& at) {
        QuiloRun::XdoTool({"mousemove", "--sync", "--window", face, QString::number(at.x()),
                           QString::number(at.y()), "click", "1"});
    };

    // a message typed into the box and sent, as the listener does it
    const std::optional<QRect> edit = SkinLayout::Area(skin, "[MAIN_EDIT]");
    int32_t send[2] = {};
    ASSERT_TRUE(edit.has_value());
    ASSERT_TRUE(skin.GetKeyValues("[MAIN_SEND]", send, 2));
    click(edit->center());
    QuiloRun::XdoTool({"type", "--window", face, "hello board"});
    click(QPoint(send[0] + 4, send[1] + 4));
    EXPECT_FALSE(AwaitRequest(station_, "web", "/quilo_board/pcRadio_act.asp").isEmpty())
        << "the message never reached the board";
    // the box that tells the message was sent, answered as the listener does
    QString box;
    ASSERT_TRUE(Await(
        [&] {
            for (const QString& window : QuiloRun::QuiloWindows()) {
                box = window != face ? window : box;
            }
            return !box.isEmpty();
        },
        10000));
    QuiloRun::XdoTool({"windowactivate", "--sync", box, "key", "Return"});

    const std::optional<QRect> area = SkinLayout::Area(skin, "[MAIN_LINK0]");
    ASSERT_TRUE(area.has_value());
    click(area->center());
    const QJsonObject home = AwaitRequest(station_, "web", "/");
    ASSERT_FALSE(home.isEmpty()) << "the browser never reached the home page; it opened:\n"
                                 << Opened().toStdString() << "the station saw:\n"
                                 << QJsonDocument(Requests(station_, "")).toJson().toStdString();
    EXPECT_TRUE(Header(home, "Cookie").contains("RmUserid=demo"));
    EXPECT_TRUE(quilo.Terminate());
    EXPECT_GT(watch.ProcessesSeen(), 5);
    EXPECT_TRUE(watch.Leaks().isEmpty()) << watch.Leaks().join(u'\n').toStdString();

    const QString prefs = CPrefStore::DefaultFilePath();
    EXPECT_EQ(QFile::permissions(prefs), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ReadUser | QFileDevice::WriteUser);
    // the program's folder (its Log folder too), the work folder and the listener's HOME and
    // XDG folders all lie under the test's root; the browser's profile is searched on its own.
    // The saved preferences are the one place that holds it, for the automatic log-in.
    EXPECT_EQ(FilesHoldingPassword(TestEnvironment::Root(), {browserFolder_}), QStringList{prefs});
    // the browser got the password in a posted form only, never in an address it keeps
    EXPECT_EQ(FilesHoldingPassword(browserFolder_, {}), QStringList());
}

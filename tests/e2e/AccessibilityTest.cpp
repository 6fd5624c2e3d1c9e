// The running program as a screen reader sees it: its tree read through AT-SPI (the desktop's
// accessibility bus) by another program, on a private session bus of the test's own.

#include <gtest/gtest.h>

#include <QProcess>
#include <algorithm>
#include <functional>
#include <optional>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "app/DesktopBus.h"
#include "support/Await.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"

namespace {

// One object as AT-SPI shows it.
struct Accessible {
    QString role;
    QString name;
    QString value;
};

class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        bus_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        ASSERT_TRUE(Await([&] { return bus_.canReadLine(); }));
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("DBUS_SESSION_BUS_ADDRESS",
                            QString::fromLatin1(bus_.readLine().trimmed()));
        // the accessibility bus, which the program and the reader find through the session bus
        accessibilityBus_.setProcessEnvironment(environment_);
        accessibilityBus_.start("/usr/libexec/at-spi-bus-launcher", {"--launch-immediately"});
        ASSERT_EQ(Run("gdbus", {"wait", "--session", "org.a11y.Bus"}).first, 0);
        // as a desktop with a screen reader running would have it
        environment_.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    }

    void TearDown() override {
        for (QProcess* process : {&accessibilityBus_, &bus_}) {
            process->kill();
            process->waitForFinished();
        }
    }

    // A helper program on the test's session bus: its exit code and its output.
    std::pair<int, QString> Run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.start(program, arguments);
        EXPECT_TRUE(Await([&] { return process.state() == QProcess::NotRunning; }, 30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
    }

    static QString TreeScript() {
        return TestEnvironment::SourceDir() + "/tests/support/accessible-tree.py";
    }

    // The program's objects that are on screen, as the reader lists them.
    std::vector<Accessible> ShownTree() {
        std::vector<Accessible> tree;
        for (const QString& line : Run(TreeScript(), {"quilo"}).second.split(u'\n')) {
            const QStringList fields = line.split(u'\t');
            if (fields.size() == 4 && fields[3].contains("showing")) {
                tree.push_back({fields[0], fields[1], fields[2]});
            }
        }
        return tree;
    }

    // Waits until the shown tree has an object of `role` that matches; that object.
    std::optional<Accessible> AwaitObject(const QString& role,
                                          const std::function<bool(const Accessible&)>& matches,
                                          int timeoutMs = 20000) {
        std::optional<Accessible> found;
        Await(
            [&] {
                for (const Accessible& object : ShownTree()) {
                    if (object.role == role && matches(object)) {
                        found = object;
                        return true;
                    }
                }
                return false;
            },
            timeoutMs);
        return found;
    }
    std::optional<Accessible> AwaitNamed(const QString& role, const QString& name) {
        return AwaitObject(role, [&](const Accessible& object) { return object.name == name; });
    }

    QProcess bus_;
    QProcess accessibilityBus_;
    QProcessEnvironment environment_;
    // what the reader heard announced so far, one line each
    QString announcements_;
};

}  // namespace

TEST_F(Accessibility, EveryControlHasItsNameAndRoleTheSliderAndTickerFollowInEitherLanguage) {
    // the clock a little before 08:00: the program changes while the test reads
    StationProcess station({"--clock-start", "2007-07-01T07:59:40"}, true);
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    QuiloRun::InstallFor(station.Host(), true);
    QuiloRun english;
    english.Start({}, environment_);
    ASSERT_TRUE(QuiloRun::WaitForMainWindow());

    ASSERT_TRUE(AwaitNamed("push button", "Play"));
    std::vector<Accessible> tree = ShownTree();
    const auto has = [&](const QString& role, const QString& name) {
        return std::any_of(tree.begin(), tree.end(), [&](const Accessible& object) {
            return object.role == role && object.name == name;
        });
    };
    for (const char* button :
         {"Mini", "Hide", "Close", "Program Info", "Stop", "Seeing Radio", "Send message"}) {
        EXPECT_TRUE(has("push button", button)) << button;
    }
    EXPECT_TRUE(has("check box", "Mute"));
    EXPECT_TRUE(has("text", "Message to the program"));

    // the face is named for the program on air, and the ticker reads out its text
    const std::optional<Accessible> face = AwaitObject("dialog", [](const Accessible& object) {
        return object.name.startsWith(u"Quilo \u2014 ");
    });
    ASSERT_TRUE(face);
    // (AT-SPI carries a static text's words as its name)
    const std::optional<Accessible> ticker = AwaitObject("label", [](const Accessible& object) {
        return !object.name.isEmpty() && !object.name.startsWith("Connecting");
    });
    ASSERT_TRUE(ticker);

    // a volume set from elsewhere is the slider's new value
    ASSERT_EQ(
        Run("gdbus", {"call", "--session", "--dest", DesktopBus::kServiceName, "--object-path",
                      "/org/mpris/MediaPlayer2", "--method", "org.freedesktop.DBus.Properties.Set",
                      "org.mpris.MediaPlayer2.Player", "Volume", "<0.4>"})
            .first,
        0);
    EXPECT_TRUE(AwaitObject("slider", [](const Accessible& object) {
        return object.name == "Volume" && object.value == "40";
    }));

    // 08:00 brings the next program: the face's new name is announced, and the ticker reads
    // out the new program's text
    QProcess listener;
    listener.setProcessEnvironment(environment_);
    listener.start(TreeScript(), {"quilo", "--announcements"});
    const auto heard = [&](const QString& line) {
        announcements_ += QString::fromUtf8(listener.readAllStandardOutput());
        return announcements_.split(u'\n').contains(line);
    };
    ASSERT_TRUE(Await([&] { return heard("listening"); }));
    const std::optional<Accessible> nextProgram = AwaitObject(
        "dialog",
        [&](const Accessible& object) {
            return object.name.startsWith(u"Quilo \u2014 ") && object.name != face->name;
        },
        60000);
    ASSERT_TRUE(nextProgram);
    EXPECT_TRUE(Await([&] { return heard("dialog\t" + nextProgram->name); })) << announcements_;
    EXPECT_TRUE(AwaitObject("label", [&](const Accessible& object) {
        return !object.name.isEmpty() && object.name != ticker->name;
    }));

    // a stream cut off: the reconnecting notice is announced as the ticker's new text
    ASSERT_TRUE(station.Control("/_station/fault?name=stream-stop&stream=fm"));
    EXPECT_TRUE(
        Await([&] { return heard("label\tThe stream was cut off. Reconnecting..."); }, 30000))
        << announcements_;
    ASSERT_TRUE(station.Control("/_station/fault?name=stream-start&stream=fm"));
    listener.kill();
    listener.waitForFinished();
    ASSERT_TRUE(english.Terminate());

    QuiloRun korean;
    QProcessEnvironment koreanDesktop = environment_;
    koreanDesktop.insert("LANG", "ko_KR.UTF-8");
    koreanDesktop.insert("LANGUAGE", "ko");
    korean.Start({}, koreanDesktop);
    ASSERT_TRUE(AwaitNamed("push button", "재생"));
    tree = ShownTree();
    EXPECT_TRUE(has("push button", "정지"));
    EXPECT_TRUE(has("check box", "음소거"));
    EXPECT_TRUE(has("slider", "음량 조절"));
    EXPECT_TRUE(has("text", "프로그램에 보낼 메세지"));
    EXPECT_TRUE(korean.Terminate());
}

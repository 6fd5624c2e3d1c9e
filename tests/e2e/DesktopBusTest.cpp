// The player on a private session bus of its own, controlled as the desktop's media applets do
// (gdbus), heard through a private sound server, with a stand-in of the desktop's notification
// server recording what it is told.

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QMutex>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

#include "FaceRun.h"
#include "app/DesktopBus.h"
#include "content/CProgramTableDlg.h"
#include "platform/StringTable.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "support/Await.h"
#include "support/DesktopShot.h"
#include "support/FaceParts.h"
#include "support/QtPrinting.h"
#include "windows/CMainDlg.h"
#include "windows/PlayerActions.h"

// What the desktop's notification server would be asked: each Notify's replaces_id and body.
class NotificationStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    static constexpr uint kId = 41;
    struct Call {
        uint replacesId;
        QString summary;
        QString body;
        QString desktopEntry;
    };
    std::vector<Call> calls;

public slots:
    uint Notify(const QString&, uint replacesId, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap& hints, int) {
        calls.push_back({replacesId, summary, body, hints.value("desktop-entry").toString()});
        return kId;
    }
};

// The desktop's StatusNotifier watcher, through which a tray host learns of icons: it notes who
// registers, and says a host runs. It answers from a thread of its own, since the player asks
// it while this thread waits for the answer.
class StatusNotifierWatcherStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ ProtocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ RegisteredStatusNotifierItems)

public:
    bool IsStatusNotifierHostRegistered() const { return true; }
    int ProtocolVersion() const { return 0; }
    QStringList RegisteredStatusNotifierItems() const {
        const QMutexLocker lock(&mutex_);
        return items_;
    }

public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        const QMutexLocker lock(&mutex_);
        items_ << service;
    }
    void RegisterStatusNotifierHost(const QString&) {}

private:
    mutable QMutex mutex_;
    QStringList items_;
};

// The player's announcements of changed properties.
class PropertiesWatcher : public QObject {
    Q_OBJECT

public slots:
    void OnChanged(const QString&, const QVariantMap& changed, const QStringList&) {
        for (auto it = changed.begin(); it != changed.end(); ++it) {
            latest[it.key()] = it.value();
        }
    }

public:
    QVariantMap latest;
};

namespace {

constexpr int kStreamWaitMs = 30000;
const QString kPlayerInterface = "org.mpris.MediaPlayer2.Player";

class DesktopBusTest : public FaceRun {
protected:
    void SetUp() override {
        // a session bus of this test's own, which the player finds as the desktop's
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        ASSERT_TRUE(Await([&] { return daemon_.canReadLine(); }));
        address_ = QString::fromLatin1(daemon_.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toLatin1());
        ASSERT_NO_FATAL_FAILURE(
            Start({"--clock-start", "2007-07-01T07:58:20", "--clock-rate", "0"}));
    }

    void TearDown() override {
        FaceRun::TearDown();
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.kill();
            daemon_.waitForFinished();
        }
    }

    void Run(const std::function<void(CMainDlg&)>& body) {
        FaceRun::Run(body, [this](CMainDlg& window) {
            auto bus = std::make_unique<DesktopBus>(program_, window);
            EXPECT_TRUE(bus->Join());
            return bus;
        });
    }

    // gdbus on the player's object, as another program on the desktop; the player answers
    // from this thread's event loop, so the test waits in it.
    QString Gdbus(const QString& method, const QStringList& arguments = {}) {
        return GdbusOn(DesktopBus::kServiceName, "/org/mpris/MediaPlayer2", method, arguments);
    }
    QString GdbusOn(const QString& service, const QString& path, const QString& method,
                    const QStringList& arguments = {}) {
        QProcess gdbus;
        gdbus.start("gdbus", QStringList{"call", "--session", "--dest", service, "--object-path",
                                         path, "--method", method} +
                                 arguments);
        EXPECT_TRUE(Await([&] { return gdbus.state() == QProcess::NotRunning; }))
            << method.toStdString();
        EXPECT_EQ(gdbus.exitCode(), 0) << gdbus.readAllStandardError().toStdString();
        return QString::fromUtf8(gdbus.readAllStandardOutput());
    }
    QString Property(const QString& name) {
        return Gdbus("org.freedesktop.DBus.Properties.Get", {kPlayerInterface, name});
    }
    void Call(const QString& method) { Gdbus(kPlayerInterface + u'.' + method); }

    // The station's clock jumps; the program table reads it again at once.
    void MoveClockTo(CMainDlg& window, const char* clock) {
        const QString before = program_.player.OnAir().programCode;
        ASSERT_TRUE(station_->Control(QByteArray("/_station/clock?set=") + clock));
        FaceParts::Only<CProgramTableDlg>(window).RefreshProgram();
        ASSERT_TRUE(Await([&] { return program_.player.OnAir().programCode != before; })) << clock;
        EXPECT_TRUE(Await([&] {
            return Property("Metadata").contains(u'\'' + program_.player.OnAir().title + u'\'');
        })) << clock;
    }

    QString address_;
    QProcess daemon_;
};

}  // namespace

TEST_F(DesktopBusTest, PlayStopAndVolumeFromTheBusAreHeardAndTheSliderIsAnnounced) {
    Run([&](CMainDlg& window) {
        ASSERT_TRUE(AwaitLevel([](double level) { return level > 0.2; }));
        EXPECT_TRUE(Property("PlaybackStatus").contains("'Playing'"));

        Call("Pause");
        EXPECT_TRUE(AwaitLevel([](double level) { return level < 0.001; }));
        EXPECT_TRUE(Property("PlaybackStatus").contains("'Paused'"));
        Call("PlayPause");
        EXPECT_TRUE(AwaitLevel([](double level) { return level > 0.2; }));
        EXPECT_TRUE(Property("PlaybackStatus").contains("'Playing'"));
        EXPECT_GT(program_.player.BehindLiveMs(), 0) << "it plays on from the pause";

        Gdbus("org.freedesktop.DBus.Properties.Set", {kPlayerInterface, "Volume", "<0.4>"});
        EXPECT_EQ(FaceParts::Only<CSkinSlider>(window).value(), 40);
        EXPECT_TRUE(AwaitLevel([](double level) { return level < 0.1 && level > 0.003; }))
            << "quieter, not silent";
        // the face's mute toggle pressed mutes, pressed again gives the sound back
        QTest::mouseClick(FaceParts::Button(window, FaceButton::Mute), Qt::LeftButton, {}, {2, 2});
        EXPECT_TRUE(AwaitLevel([](double level) { return level < 0.001; }));
        QTest::mouseClick(FaceParts::Button(window, FaceButton::Mute), Qt::LeftButton, {}, {2, 2});
        EXPECT_TRUE(AwaitLevel([](double level) { return level > 0.003; }));

        // the listener's slider, seen from another program on the bus
        PropertiesWatcher watcher;
        QDBusConnection other = QDBusConnection::connectToBus(address_, "other");
        ASSERT_TRUE(other.connect(QString(), "/org/mpris/MediaPlayer2",
                                  "org.freedesktop.DBus.Properties", "PropertiesChanged", &watcher,
                                  SLOT(OnChanged(QString, QVariantMap, QStringList))));
        FaceParts::Only<CSkinSlider>(window).SetPos(75);
        emit FaceParts::Only<CSkinSlider>(window).positionSet(75);
        EXPECT_TRUE(Await([&] { return watcher.latest.value("Volume").toDouble() == 0.75; }));
        EXPECT_TRUE(Property("Volume").contains("0.75"));

        Call("Stop");
        EXPECT_TRUE(AwaitLevel([](double level) { return level < 0.001; }));
        EXPECT_TRUE(Await([&] { return watcher.latest.value("PlaybackStatus") == "Stopped"; }));
    });
}

TEST_F(DesktopBusTest,
       TheProgramOnAirIsTheTrackOneNotificationFollowsItWhileHiddenRaiseAndQuitWork) {
    NotificationStandIn notifications;
    QDBusConnection server = QDBusConnection::connectToBus(address_, "server");
    ASSERT_TRUE(server.registerObject("/org/freedesktop/Notifications", &notifications,
                                      QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(server.registerService("org.freedesktop.Notifications"));
    const auto titleOnBus = [&] {
        return Property("Metadata").contains(u'\'' + program_.player.OnAir().title + u'\'');
    };
    Run([&](CMainDlg& window) {
        // the first program comes while the face is shown: no notification
        ASSERT_TRUE(
            Await([&] { return program_.player.OnAir().programCode == "0000102"; }, kStreamWaitMs));
        ASSERT_TRUE(Await(titleOnBus));
        ASSERT_TRUE(Await([&] { return Property("Metadata").contains("0000102_1.bmp"); }))
            << "the program's picture once it is fetched";
        EXPECT_TRUE(notifications.calls.empty());

        window.Actions().hideShow.trigger();
        ASSERT_TRUE(Await([&] { return program_.player.Mode() == ViewMode::MainHidden; }));
        // each program is told once its files have come, before the next restart of the cycle
        size_t told = 0;
        for (const char* clock : {"2007-07-01T08:00:30", "2007-07-01T13:30:00"}) {
            MoveClockTo(window, clock);
            ++told;
            ASSERT_TRUE(Await([&] { return notifications.calls.size() == told; })) << clock;
        }
        EXPECT_EQ(notifications.calls[0].replacesId, 0U);
        EXPECT_EQ(notifications.calls[1].replacesId, NotificationStandIn::kId)
            << "updated, not stacked";
        EXPECT_EQ(notifications.calls[1].summary, "Quilo");
        EXPECT_EQ(notifications.calls[1].body, program_.player.OnAir().title);
        EXPECT_EQ(notifications.calls[1].desktopEntry, "quilo")
            << "the desktop finds the program's icon and its own switch by the menu entry";

        program_.prefs.SetOptionNotify(false);
        MoveClockTo(window, "2007-07-01T15:30:00");
        EXPECT_EQ(notifications.calls.size(), 2U) << "switched off";

        // Raise brings the face back from the tray, or from the task bar without a tray; Quit
        // ends the player as its close does
        Gdbus("org.mpris.MediaPlayer2.Raise");
        EXPECT_TRUE(Await([&] { return program_.player.Mode() == ViewMode::MainShown; }));
        EXPECT_TRUE(
            Await([&] { return DesktopShot::Find(DesktopShot::Take(), window).has_value(); }));
        bool ended = false;
        QObject::connect(&window, &QDialog::finished, [&ended] { ended = true; });
        Gdbus("org.mpris.MediaPlayer2.Quit");
        EXPECT_TRUE(Await([&] { return ended; }));
    });
}

TEST_F(DesktopBusTest, OnAStatusNotifierTrayTheIconsTipMenuAndClickWork) {
    StatusNotifierWatcherStandIn watcher;
    QThread watcherThread;
    watcher.moveToThread(&watcherThread);
    watcherThread.start();
    const auto stopWatcher = qScopeGuard([&] {
        watcherThread.quit();
        watcherThread.wait();
    });
    QDBusConnection server = QDBusConnection::connectToBus(address_, "server");
    ASSERT_TRUE(server.registerObject(
        "/StatusNotifierWatcher", &watcher,
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(server.registerService("org.kde.StatusNotifierWatcher"));
    Run([&](CMainDlg& window) {
        ASSERT_TRUE(Await([&] { return !watcher.RegisteredStatusNotifierItems().isEmpty(); }))
            << "the icon registered";
        const QString item = watcher.RegisteredStatusNotifierItems().first();
        const auto property = [&](const QString& name) {
            return GdbusOn(item, "/StatusNotifierItem", "org.freedesktop.DBus.Properties.Get",
                           {"org.kde.StatusNotifierItem", name});
        };
        EXPECT_TRUE(property("ToolTip").contains("'Quilo'"));
        const QString menuPath = property("Menu").section('\'', 1, 1);
        const QString menu =
            GdbusOn(item, menuPath, "com.canonical.dbusmenu.GetLayout", {"0", "int32 -1", "[]"});
        for (StringId label : {StringId::kHide, StringId::kPlay, StringId::kClose}) {
            EXPECT_TRUE(menu.contains(StringTable::Load(label))) << menu.toStdString();
        }

        window.Actions().hideShow.trigger();
        ASSERT_TRUE(Await([&] { return program_.player.Mode() == ViewMode::MainHidden; }));
        GdbusOn(item, "/StatusNotifierItem", "org.kde.StatusNotifierItem.Activate", {"0", "0"});
        EXPECT_TRUE(Await([&] { return program_.player.Mode() == ViewMode::MainShown; }))
            << "the host's click brings the face back";
    });
}

#include "DesktopBusTest.moc"

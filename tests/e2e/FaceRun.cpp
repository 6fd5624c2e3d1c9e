#include "FaceRun.h"

#include <QEventLoop>
#include <QTimer>

#include "DialogTestKit.h"
#include "platform/StringTable.h"
#include "support/Await.h"
#include "support/LogReading.h"
#include "windows/CMainDlg.h"

void FaceRun::StartStation(const QStringList& stationOptions, bool streams) {
    station_ = std::make_unique<StationProcess>(stationOptions, streams);
    ASSERT_TRUE(station_->IsReady()) << station_->Failure();
    DialogTestKit::LinkShippedSkins();
    ASSERT_TRUE(program_.skin.Load("Quilo2"));
    program_.config.webServer = station_->Base(StationProcess::kWeb);
    program_.config.mainSite = station_->Base(StationProcess::kMain);
    program_.config.ssoSite = station_->Base(StationProcess::kSso);
    program_.webRequest = std::make_unique<CWebRequestDlg>(
        program_.log, WebAddresses{program_.config.webServer, program_.config.mainSite},
        program_.login);
    SetMessageAnswerer([this](StringId id, const QString&) {
        shown_.push_back(id);
        return answer_;
    });
}

void FaceRun::Start(const QStringList& stationOptions, bool programTable) {
    ASSERT_NO_FATAL_FAILURE(StartStation(stationOptions, true));
    ASSERT_TRUE(sink_.Start());
    program_.config.streamServer = station_->Host();
    program_.config.vlcArgs = {"--aout=pulse"};
    if (!programTable) {
        program_.config.webServer = "http://127.0.0.1:1";
        program_.webRequest.reset();
    }
    program_.prefs.SetPosX(10);
    program_.prefs.SetPosY(10);
    program_.prefs.SetVolume(100);
    StringTable::SetKorean(false);
}

void FaceRun::TearDown() {
    program_.webRequest.reset();
    SetMessageAnswerer({});
}

void FaceRun::Run(const std::function<void(CMainDlg&)>& body,
                  const std::function<std::unique_ptr<QObject>(CMainDlg&)>& attach) {
    CMainDlg window(program_);
    ASSERT_TRUE(window.Open());
    const std::unique_ptr<QObject> attached = attach ? attach(window) : nullptr;
    QTimer::singleShot(0, &window, [&] {
        body(window);
        window.CloseWithoutAsking();
    });
    QEventLoop untilClosed;
    QObject::connect(&window, &QDialog::finished, &untilClosed, &QEventLoop::quit);
    untilClosed.exec();
}

bool FaceRun::AwaitLevel(const std::function<bool(double)>& condition, double hz) {
    return Await([&] { return condition(sink_.RecentLevel(hz)); }, 30000);
}

int FaceRun::Logged(const char* line) const {
    return static_cast<int>(
        LoggedMessages(program_.log.FileName()).count(QString::fromLatin1(line)));
}

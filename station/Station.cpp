#include "Station.h"

#include "ControlRoutes.h"
#include "LoginFlow.h"
#include "MainSiteRoutes.h"
#include "SiteHooks.h"
#include "SsoSiteRoutes.h"
#include "WebServerRoutes.h"

#include <httplib.h>

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <future>

namespace {

constexpr std::chrono::seconds kListenerSwitchLimit(10);

QString UpdateFileName(const StationOptions& options) {
    return options.updateFile.isEmpty() ? QString::fromLatin1(ServiceOverrides::kDefaultSetupFile)
                                        : QFileInfo(options.updateFile).fileName();
}

}  // namespace

Station::Station(StationOptions options)
    : options_(std::move(options)),
      overrides_({options_.updateVersion, QString(), UpdateFileName(options_), QString()}),
      board_([this](const QString& code) { return data_.Schedule().Contains(code); }),
      context_{Addresses(),
               clock_,
               faults_,
               record_,
               data_,
               overrides_,
               users_,
               board_,
               nullptr,
               [this](Site site, bool refuse, QString* error) {
                   return SetRefused(site, refuse, error);
               },
               options_.verbose},
      webRoutes_(context_),
      mainRoutes_(context_),
      ssoRoutes_(context_),
      login_(context_),
      controlRoutes_(context_) {
    if (options_.clockStart.isValid()) {
        clock_.Set(options_.clockStart, options_.clockRate);
    } else {
        clock_.SetRate(options_.clockRate);
    }
}

Station::~Station() {
    faults_.Shutdown();
    if (streams_) {
        streams_->Shutdown();
    }
    for (auto* listener : {&web_, &main_, &sso_, &control_}) {
        if (*listener) {
            (*listener)->Stop();
        }
    }
}

bool Station::Start(const QString& dataDir, QString* error) {
    const QString usersFile =
        options_.usersFile.isEmpty() ? QDir(dataDir).filePath("users.txt") : options_.usersFile;
    if (!data_.Load(dataDir, error) || !users_.Load(usersFile, error)) {
        return false;
    }
    if (!options_.updateFile.isEmpty() && !data_.AddDownload(options_.updateFile, error)) {
        return false;
    }
    web_ = MakeSite(Site::Web, options_.webPort);
    main_ = MakeSite(Site::Main, options_.mainPort);
    sso_ = MakeSite(Site::Sso, options_.ssoPort);
    control_ = std::make_unique<HttpListener>(
        options_.bind, options_.controlPort,
        [this](httplib::Server& server) { controlRoutes_.Install(server); });
    for (HttpListener* listener : {web_.get(), main_.get(), sso_.get(), control_.get()}) {
        if (!listener->Start(error)) {
            return false;
        }
    }
    if (options_.streams) {
        StartStreams();
    }
    return true;
}

void Station::Run() {
    loop_.Run();
}

void Station::Quit() {
    loop_.Quit();
}

SiteAddresses Station::Addresses() const {
    const QString base = QStringLiteral("http://%1:").arg(options_.bind);
    return {base + QString::number(options_.webPort), base + QString::number(options_.mainPort),
            base + QString::number(options_.ssoPort)};
}

std::unique_ptr<HttpListener> Station::MakeSite(Site site, int port) {
    return std::make_unique<HttpListener>(options_.bind, port,
                                          [this, site](httplib::Server& server) {
                                              switch (site) {
                                                  case Site::Web:
                                                      webRoutes_.Install(server);
                                                      // Also here, for tests that need no second
                                                      // port; it goes with a refused web site.
                                                      controlRoutes_.Install(server);
                                                      break;
                                                  case Site::Main:
                                                      mainRoutes_.Install(server);
                                                      login_.InstallOnMain(server);
                                                      break;
                                                  case Site::Sso:
                                                      ssoRoutes_.Install(server);
                                                      login_.InstallOnSso(server);
                                                      break;
                                              }
                                              InstallSiteHooks(server, site, context_);
                                          });
}

void Station::StartStreams() {
    streams_ = std::make_unique<StreamServer>(options_.bind, options_.streamPort, clock_,
                                              options_.verbose);
    QString error;
    if (!streams_->Start(&error)) {
        Log(QStringLiteral("streams unavailable, the web sites serve without them: %1").arg(error));
        streams_.reset();
        return;
    }
    context_.streams = streams_.get();
    if (!streams_->WaitUntilServing(std::chrono::seconds(20), &error)) {
        Log(QStringLiteral("streams started but are not serving yet: %1").arg(error));
    }
}

bool Station::SetRefused(Site site, bool refuse, QString* error) {
    // Listeners are opened and closed on the main thread: a listener cannot wait for its own
    // threads, and the request asking for this may be served by one of them.
    auto outcome = std::make_shared<std::promise<QString>>();
    std::future<QString> result = outcome->get_future();
    loop_.Post([this, site, refuse, outcome] {
        HttpListener& listener = Listener(site);
        if (refuse) {
            listener.Close();
            faults_.SetRefused(site, true);
            outcome->set_value(QString());
            listener.Join();
            return;
        }
        QString startError;
        if (listener.Start(&startError)) {
            faults_.SetRefused(site, false);
        }
        outcome->set_value(startError);
    });
    if (result.wait_for(kListenerSwitchLimit) != std::future_status::ready) {
        *error = QStringLiteral("the %1 site did not switch in time").arg(SiteName(site));
        return false;
    }
    *error = result.get();
    return error->isEmpty();
}

HttpListener& Station::Listener(Site site) {
    switch (site) {
        case Site::Web:
            return *web_;
        case Site::Main:
            return *main_;
        case Site::Sso:
            break;
    }
    return *sso_;
}

void Station::Log(const QString& text) const {
    std::fprintf(stderr, "quilo-station: %s\n", text.toLocal8Bit().constData());
}

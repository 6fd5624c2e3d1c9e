#pragma once

#include "ControlRoutes.h"
#include "FaultSwitches.h"
#include "HttpListener.h"
#include "LoginFlow.h"
#include "MainSiteRoutes.h"
#include "MessageBoard.h"
#include "RequestRecord.h"
#include "ServiceData.h"
#include "ServiceOverrides.h"
#include "SimulatedClock.h"
#include "SsoSiteRoutes.h"
#include "StationContext.h"
#include "StationOptions.h"
#include "StreamServer.h"
#include "TaskLoop.h"
#include "UserDirectory.h"
#include "WebServerRoutes.h"

#include <memory>

// The whole stand-in: the three sites and the control interface on their ports of one loopback
// address, the streams, and the state they share. Start() brings everything up; Run() serves
// until Quit().
class Station {
public:
    explicit Station(StationOptions options);
    ~Station();

    // Fails when the data cannot be read or a site cannot listen. A stream server that cannot
    // start is reported on stderr but does not stop the web side.
    bool Start(const QString& dataDir, QString* error);
    void Run();
    void Quit();

private:
    SiteAddresses Addresses() const;
    std::unique_ptr<HttpListener> MakeSite(Site site, int port);
    void StartStreams();
    bool SetRefused(Site site, bool refuse, QString* error);
    HttpListener& Listener(Site site);
    void Log(const QString& text) const;

    StationOptions options_;
    SimulatedClock clock_;
    FaultSwitches faults_;
    RequestRecord record_;
    ServiceData data_;
    ServiceOverrides overrides_;
    UserDirectory users_;
    MessageBoard board_;
    std::unique_ptr<StreamServer> streams_;
    StationContext context_;
    WebServerRoutes webRoutes_;
    MainSiteRoutes mainRoutes_;
    SsoSiteRoutes ssoRoutes_;
    LoginFlow login_;
    ControlRoutes controlRoutes_;
    TaskLoop loop_;
    std::unique_ptr<HttpListener> web_;
    std::unique_ptr<HttpListener> main_;
    std::unique_ptr<HttpListener> sso_;
    std::unique_ptr<HttpListener> control_;
};

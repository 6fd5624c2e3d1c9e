#pragma once

#include "Site.h"

#include <QString>

#include <functional>

class FaultSwitches;
class MessageBoard;
class RequestRecord;
class ServiceData;
class ServiceOverrides;
class SimulatedClock;
class StreamServer;
class UserDirectory;

// Base addresses of the three sites as a client writes them, e.g. "http://127.0.0.1:8081".
struct SiteAddresses {
    QString web;
    QString main;
    QString sso;
};

// What the sites and the control interface share. It lives as long as the station; the
// references point into the station object.
struct StationContext {
    SiteAddresses addresses;
    SimulatedClock& clock;
    FaultSwitches& faults;
    RequestRecord& record;
    const ServiceData& data;
    ServiceOverrides& overrides;
    const UserDirectory& users;
    MessageBoard& board;
    StreamServer* streams;  // null when the station runs without streams
    std::function<bool(Site, bool refused, QString* error)> setRefused;
    bool verbose = false;
};

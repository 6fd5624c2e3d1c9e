#pragma once

#include "RawHttp.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// One quilo-station as a child process, on a loopback address no other test uses, with the
// default ports. The constructor waits (with a deadline) until the station says "ready".
class StationProcess {
public:
    enum Port { kStream = 8080, kWeb = 8081, kMain = 8082, kSso = 8083, kControl = 8089 };

    // Without streams unless "--no-streams" is left out on purpose by withStreams.
    explicit StationProcess(const QStringList& options = {}, bool withStreams = false);
    ~StationProcess();
    StationProcess(const StationProcess&) = delete;
    StationProcess& operator=(const StationProcess&) = delete;

    bool IsReady() const { return ready_; }
    // What went wrong when it did not get ready: its standard error.
    QString Failure() const { return failure_; }
    const QString& Host() const { return host_; }
    QString Base(Port port) const;

    RawHttp::Response Get(Port port, const QByteArray& target) const {
        return RawHttp::Get(host_, port, target);
    }
    // A control command on the control port; true when the station answered "OK".
    bool Control(const QByteArray& target) const;

private:
    // A loopback address of this test process, different for every call.
    static QString UniqueHost();

    QProcess process_;
    QString host_;
    bool ready_ = false;
    QString failure_;
};

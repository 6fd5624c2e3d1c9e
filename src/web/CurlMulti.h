#pragma once

#include <QObject>
#include <QTimer>

#include <curl/curl.h>

#include <functional>
#include <map>

class QSocketNotifier;

// Runs libcurl transfers on the Qt event loop. libcurl says which sockets it waits on and when it
// next needs the clock; the event loop wakes it when a socket is ready or the time has come.
// Nothing blocks, no thread is started, and the thread sleeps between events.
//
// A finished transfer is reported through the callback given with it, always from the event loop
// and never from inside Start, so the callback may start the next transfer at once.
class CurlMulti : public QObject {
    Q_OBJECT

public:
    using Finished = std::function<void(CURLcode result)>;

    explicit CurlMulti(QObject* parent = nullptr);
    ~CurlMulti() override;

    // The transfer stays the caller's; it must outlive its run or be cancelled first.
    void Start(CURL* transfer, Finished finished);
    // Takes back a transfer that has not finished; its callback is never called.
    void Cancel(CURL* transfer);

private:
    struct SocketWatch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };

    static int OnSocket(CURL* transfer, curl_socket_t socket, int what, void* self, void* data);
    static int OnClock(CURLM* multi, long timeoutMs, void* self);
    void Watch(curl_socket_t socket, int what);
    void Unwatch(curl_socket_t socket);
    void Act(curl_socket_t socket, int readiness);
    void ReportFinished();

    CURLM* multi_;
    // when libcurl next wants to run without any socket being ready (its own timeouts)
    QTimer curlClock_;
    std::map<curl_socket_t, SocketWatch> watches_;
    std::map<CURL*, Finished> running_;
};

#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <thread>

namespace httplib {
class Server;
}

// One listening HTTP server on one loopback address and port, serving on threads of its own.
// It can be closed and opened again while the station runs (a refused site is a closed one:
// connections to it are refused by the system, as when the real server is down); every start
// builds a fresh server through the setup function.
class HttpListener {
public:
    using Setup = std::function<void(httplib::Server&)>;

    HttpListener(QString host, int port, Setup setup);
    ~HttpListener();
    HttpListener(const HttpListener&) = delete;
    HttpListener& operator=(const HttpListener&) = delete;

    bool Start(QString* error);
    // Close() refuses new connections at once; Join() then waits for the requests in hand to
    // be answered. Stop() does both.
    void Close();
    void Join();
    void Stop();
    int Port() const { return port_; }

private:
    QString host_;
    int port_;
    Setup setup_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
};

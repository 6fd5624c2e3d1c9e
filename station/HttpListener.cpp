#include "HttpListener.h"

#include <httplib.h>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// The library's stop() does nothing until its accept loop has begun, so a stop that comes
// right after a start would leave the loop running forever; closing the listening socket
// ourselves ends the loop whether it has begun or not.
class ClosableServer : public httplib::Server {
public:
    void Close() {
        const int listening = svr_sock_.exchange(INVALID_SOCKET);
        if (listening != INVALID_SOCKET) {
            shutdown(listening, SHUT_RDWR);
            close(listening);
        }
    }
};

// Only SO_REUSEADDR: the library's default adds SO_REUSEPORT, with which a second station
// could bind the same address and port and silently take half of the first one's requests.
void ExclusiveSocketOptions(int socket) {
    int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
}

constexpr size_t kWorkerThreads = 4;
constexpr time_t kKeepAliveSeconds = 2;

}  // namespace

HttpListener::HttpListener(QString host, int port, Setup setup)
    : host_(std::move(host)), port_(port), setup_(std::move(setup)) {}

HttpListener::~HttpListener() {
    Stop();
}

bool HttpListener::Start(QString* error) {
    if (server_) {
        return true;
    }
    auto server = std::make_unique<ClosableServer>();
    server->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    server->set_socket_options(ExclusiveSocketOptions);
    server->set_keep_alive_timeout(kKeepAliveSeconds);
    setup_(*server);
    if (!server->bind_to_port(host_.toStdString(), port_)) {
        *error = QStringLiteral("cannot listen on %1:%2 (in use, or not a local address)")
                     .arg(host_)
                     .arg(port_);
        return false;
    }
    server_ = std::move(server);
    thread_ = std::thread([server = server_.get()] { server->listen_after_bind(); });
    return true;
}

void HttpListener::Close() {
    if (server_) {
        static_cast<ClosableServer*>(server_.get())->Close();
    }
}

void HttpListener::Join() {
    if (!server_) {
        return;
    }
    thread_.join();
    server_.reset();
}

void HttpListener::Stop() {
    Close();
    Join();
}

#include "web/CurlMulti.h"

#include <QPointer>
#include <QSocketNotifier>

#include <utility>
#include <vector>

namespace {

// A notifier may be the one whose signal is being delivered: it is switched off at once and
// deleted once its event is over.
void Retire(QSocketNotifier*& notifier) {
    if (notifier != nullptr) {
        notifier->setEnabled(false);
        notifier->disconnect();
        notifier->deleteLater();
        notifier = nullptr;
    }
}

}  // namespace

CurlMulti::CurlMulti(QObject* parent) : QObject(parent), multi_(curl_multi_init()) {
    curlClock_.setSingleShot(true);
    connect(&curlClock_, &QTimer::timeout, this, [this] { Act(CURL_SOCKET_TIMEOUT, 0); });
    curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &CurlMulti::OnSocket);
    curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &CurlMulti::OnClock);
    curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
}

CurlMulti::~CurlMulti() {
    while (!running_.empty()) {
        Cancel(running_.begin()->first);
    }
    curl_multi_cleanup(multi_);
}

void CurlMulti::Start(CURL* transfer, Finished finished) {
    running_[transfer] = std::move(finished);
    curl_multi_add_handle(multi_, transfer);
}

void CurlMulti::Cancel(CURL* transfer) {
    if (running_.erase(transfer) > 0) {
        curl_multi_remove_handle(multi_, transfer);
    }
}

int CurlMulti::OnSocket(CURL*, curl_socket_t socket, int what, void* self, void*) {
    static_cast<CurlMulti*>(self)->Watch(socket, what);
    return 0;
}

int CurlMulti::OnClock(CURLM*, long timeoutMs, void* self) {
    QTimer& clock = static_cast<CurlMulti*>(self)->curlClock_;
    if (timeoutMs < 0) {
        clock.stop();
    } else {
        // libcurl must not be called back from inside its own callback: the timer runs it later
        clock.start(static_cast<int>(timeoutMs));
    }
    return 0;
}

void CurlMulti::Watch(curl_socket_t socket, int what) {
    Unwatch(socket);
    if (what == CURL_POLL_REMOVE) {
        return;
    }
    SocketWatch& watch = watches_[socket];
    if (what == CURL_POLL_IN || what == CURL_POLL_INOUT) {
        watch.read = new QSocketNotifier(socket, QSocketNotifier::Read, this);
        connect(watch.read, &QSocketNotifier::activated, this,
                [this, socket] { Act(socket, CURL_CSELECT_IN); });
    }
    if (what == CURL_POLL_OUT || what == CURL_POLL_INOUT) {
        watch.write = new QSocketNotifier(socket, QSocketNotifier::Write, this);
        connect(watch.write, &QSocketNotifier::activated, this,
                [this, socket] { Act(socket, CURL_CSELECT_OUT); });
    }
}

void CurlMulti::Unwatch(curl_socket_t socket) {
    const auto found = watches_.find(socket);
    if (found == watches_.end()) {
        return;
    }
    Retire(found->second.read);
    Retire(found->second.write);
    watches_.erase(found);
}

void CurlMulti::Act(curl_socket_t socket, int readiness) {
    int stillRunning = 0;
    curl_multi_socket_action(multi_, socket, readiness, &stillRunning);
    ReportFinished();
}

void CurlMulti::ReportFinished() {
    std::vector<std::pair<Finished, CURLcode>> finished;
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
        const auto found = running_.find(message->easy_handle);
        if (message->msg != CURLMSG_DONE || found == running_.end()) {
            continue;
        }
        finished.emplace_back(std::move(found->second), message->data.result);
        running_.erase(found);
        curl_multi_remove_handle(multi_, message->easy_handle);
    }
    // a callback may start or cancel transfers, or end the owner of this object
    const QPointer<CurlMulti> alive(this);
    for (auto& [callback, result] : finished) {
        if (alive.isNull()) {
            return;
        }
        callback(result);
    }
}

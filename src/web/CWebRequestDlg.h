#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <ctime>
#include <deque>
#include <functional>
#include <memory>

#include "web/HiddenBrowser.h"
#include "web/LoginInfo.h"
#include "web/WebAddresses.h"

class ActivityLog;

enum class LoginResult { LoggedIn = 1, Incorrect = 2, NotConnected = 3, TimeOver = 4 };
enum class RequestOutcome { Done, NotConnected, TimeOver };

// What a reading of the server's clock brought: the time, already in the service's local time,
// and the ticker file's bytes; read is false (and the rest empty) when the clock could not be read.
struct ServerTimeReading {
    bool read = false;
    std::tm time{};
    QByteArray body;
};

// The one channel of every request that carries the listener's identity or needs more of the
// answer than a file: the log-in (cookies), the server clock (the "Date:" header) and the
// message board (a one-digit answer). Each operation sends its request and returns at once; when
// the answer has come or the limit has run out, the outcome (done, not connected or timed out) is
// written to the log and handed to the caller's function, always from the event loop. The
// function is not called when its receiver is gone by then.
//
// Requests go one at a time. One asked for while another is under way waits in a queue and is
// sent the moment the earlier one is settled. A queued request's limit counts from when it is
// sent, not from when it was asked for: the limit is how long the service may take to answer, so
// a clock reading queued behind a slow posting still gets its full time.
class CWebRequestDlg : public QObject {  // the hidden request "window": it has no face
    Q_OBJECT

public:
    enum ChannelState {
        kIdle = 0,
        kLoginWaiting = 1,
        kTimeWaiting = 2,
        kPostingWaiting = 3,
        kDone = 4,
        kNotConnected = 5,
    };

    CWebRequestDlg(ActivityLog& log, WebAddresses addresses, LoginInfo& login,
                   QObject* parent = nullptr);
    ~CWebRequestDlg() override;

    using LoginDone = std::function<void(LoginResult result)>;
    using ServerTimeDone = std::function<void(const ServerTimeReading& reading)>;
    // 0, 2, 3, 4 or 5 as the board answered; -1 for any other answer or none
    using PostingDone = std::function<void(int boardResult)>;

    void RequestLogin(const QString& userId, const QString& password, int limitMs,
                      QObject* receiver, LoginDone done);
    void RequestServerTime(int limitMs, QObject* receiver, ServerTimeDone done);
    void PostBoardMessage(const QString& programCode, const QString& text, int limitMs,
                          QObject* receiver, PostingDone done);
    int State() const { return state_; }

    // The program is ending and nobody waits for an answer any more: the request in flight is
    // given up, those queued behind it and any asked for later are never sent, and no outcome is
    // told or logged.
    void Close();

private:
    struct Request;

    void Enqueue(std::unique_ptr<Request> request);
    void SendNextQueued();
    void OnNavigated(const NetResponse& response);
    void PerformRequest(const NetResponse& response);
    void JudgeLogin(const QByteArray& headers);
    void JudgeServerTime(const NetResponse& response);
    void JudgePosting(const QByteArray& body);
    void WriteOutcome(const Request& request);
    void Settle(RequestOutcome outcome);

    ActivityLog& log_;
    WebAddresses addresses_;
    LoginInfo& login_;
    HiddenBrowser browser_;
    int state_ = kIdle;
    // answers to the log-in without its cookie; -1 once the log-in counts as refused
    int loginMisses_ = 0;
    int postingResult_ = -1;
    std::tm serverTime_{};
    QByteArray responseBody_;
    std::unique_ptr<Request> active_;
    QTimer deadline_;  // the limit of the request under way
    bool closed_ = false;
    std::deque<std::unique_ptr<Request>> queue_;
};

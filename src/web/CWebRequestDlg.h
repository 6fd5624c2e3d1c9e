#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <ctime>
#include <deque>

#include "web/HiddenBrowser.h"
#include "web/LoginInfo.h"
#include "web/WebAddresses.h"

class ActivityLog;

enum class LoginResult { LoggedIn = 1, Incorrect = 2, NotConnected = 3, TimeOver = 4 };
enum class RequestOutcome { Done, NotConnected, TimeOver };

// The one channel of every request that carries the listener's identity or needs more of the
// answer than a file: the log-in (cookies), the server clock (the "Date:" header) and the
// message board (a one-digit answer). Each operation sends its request and waits for it with a
// limit while the program's events keep flowing, then reports done, not connected or timed out.
//
// Requests go one at a time. An operation started while another waits (a timer firing inside
// that wait) is queued: its caller waits too, and its request is sent the moment the earlier one
// is settled. A queued request's limit counts from when it is sent, not from when it was asked
// for: the limit is how long the service may take to answer, so a clock reading queued behind a
// slow posting still gets its full time. Its caller may therefore wait for the limits of the
// requests ahead of it as well as its own.
//
// A request is settled inside the event that decides it (the answer, or its deadline): the state
// is decided, the browser stopped, the log line written and the next queued request sent there.
// The waits are nested event loops, and an outer wait cannot return before an inner one has, so
// nothing may be left for the moment a wait returns.
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

    LoginResult RequestLogin(const QString& userId, const QString& password, int limitMs);
    // The server time, already in the service's local time; body receives the ticker file's
    // bytes (emptied on failure).
    bool RequestServerTime(std::tm& serverTime, QByteArray* body, int limitMs);
    // 0, 2, 3, 4 or 5 as the board answered; -1 for any other answer or none.
    int PostBoardMessage(const QString& programCode, const QString& text, int limitMs);
    int State() const { return state_; }

    // The program is ending and nobody waits for an answer any more: the request in flight ends
    // as timed out, those queued behind it end without being sent, and later requests are not
    // sent at all (they end as not connected, without a log line).
    void Close();

private:
    struct Request;

    void RunRequest(Request& request);
    void SendNextQueued();
    void OnNavigated(const NetResponse& response);
    void PerformRequest(const NetResponse& response);
    void JudgeLogin(const QByteArray& headers);
    void JudgeServerTime(const NetResponse& response);
    void JudgePosting(const QByteArray& body);
    void WriteOutcome(const Request& request);
    // `logged` is false for a request given up, whose outcome nobody reads
    void Settle(RequestOutcome outcome, bool logged = true);

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
    Request* active_ = nullptr;
    bool closed_ = false;
    std::deque<Request*> queue_;
};

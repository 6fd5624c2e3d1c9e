#include "web/CWebRequestDlg.h"

#include <QPointer>

#include <utility>

#include "platform/ActivityLog.h"
#include "platform/Cp949.h"
#include "platform/LogMessages.h"
#include "web/LoginAddress.h"
#include "web/ResponseHeaders.h"
#include "web/UrlEncode.h"

#include <algorithm>
#include <array>

namespace {

struct LogLines {
    const char* attempt;
    const char* done;
    const char* notConnected;
    const char* timeOver;
};

constexpr LogLines kLoginLines{LogText::kTryLogin, LogText::kLoginDone, LogText::kLoginNotConnected,
                               LogText::kLoginTimeOver};
constexpr LogLines kTimeLines{LogText::kTryTime, LogText::kTimeDone, LogText::kTimeNotConnected,
                              LogText::kTimeTimeOver};
constexpr LogLines kPostingLines{LogText::kTrySend, LogText::kSendDone, LogText::kSendNotConnected,
                                 LogText::kSendTimeOver};

// three answers without the cookie are allowed; the next one refuses the log-in
constexpr int kLoginMissesAllowed = 2;
constexpr int kLoginRefused = -1;
constexpr qsizetype kDateTextLength = 35;
// the user name has room for this many bytes; a longer one is cut
constexpr qsizetype kUserNameBytes = 99;

QByteArray FormField(const char* prefix, const QString& value) {
    return prefix + UrlEncode(ToCp949(value), true);
}

}  // namespace

// One request, from when it is asked for to its outcome.
struct CWebRequestDlg::Request {
    Request(int waitingState_, QString address_, bool post_, QByteArray formData_, int limitMs_,
            const LogLines& lines_, QObject* receiver_)
        : waitingState(waitingState_),
          address(std::move(address_)),
          post(post_),
          formData(std::move(formData_)),
          limitMs(limitMs_),
          lines(lines_),
          receiver(receiver_) {}

    int waitingState;
    QString address;
    bool post;
    QByteArray formData;
    int limitMs;
    const LogLines& lines;
    QPointer<QObject> receiver;
    // tells the caller; called once the fields below hold what the channel found
    std::function<void(const Request& settled)> tell;

    RequestOutcome outcome = RequestOutcome::TimeOver;
    bool loginRefused = false;
    int postingResult = -1;
    std::tm serverTime{};
    QByteArray body;
};

CWebRequestDlg::CWebRequestDlg(ActivityLog& log, WebAddresses addresses, LoginInfo& login,
                               QObject* parent)
    : QObject(parent), log_(log), addresses_(std::move(addresses)), login_(login) {
    login_.userName.clear();
    connect(&browser_, &HiddenBrowser::navigated, this, &CWebRequestDlg::OnNavigated);
    deadline_.setSingleShot(true);
    // a coarse timer may fire a few percent early; a limit is a promise to wait that long
    deadline_.setTimerType(Qt::PreciseTimer);
    connect(&deadline_, &QTimer::timeout, this, [this] { Settle(RequestOutcome::TimeOver); });
}

CWebRequestDlg::~CWebRequestDlg() {
    browser_.Stop();
}

void CWebRequestDlg::RequestLogin(const QString& userId, const QString& password, int limitMs,
                                  QObject* receiver, LoginDone done) {
    login_.userId = userId;
    auto request =
        std::make_unique<Request>(kLoginWaiting, BuildLoginAddress(addresses_, userId, password),
                                  /*post=*/false, QByteArray(), limitMs, kLoginLines, receiver);
    request->tell = [done = std::move(done)](const Request& settled) {
        switch (settled.outcome) {
            case RequestOutcome::Done:
                done(settled.loginRefused ? LoginResult::Incorrect : LoginResult::LoggedIn);
                return;
            case RequestOutcome::NotConnected:
                done(LoginResult::NotConnected);
                return;
            case RequestOutcome::TimeOver:
                done(LoginResult::TimeOver);
                return;
        }
    };
    Enqueue(std::move(request));
}

void CWebRequestDlg::RequestServerTime(int limitMs, QObject* receiver, ServerTimeDone done) {
    auto request = std::make_unique<Request>(
        kTimeWaiting, addresses_.webServer + QStringLiteral("/info/scroll.txt"), /*post=*/false,
        QByteArray(), limitMs, kTimeLines, receiver);
    request->tell = [done = std::move(done)](const Request& settled) {
        ServerTimeReading reading;
        if (settled.outcome == RequestOutcome::Done) {
            reading = {true, settled.serverTime, settled.body};
        }
        done(reading);
    };
    Enqueue(std::move(request));
}

void CWebRequestDlg::PostBoardMessage(const QString& programCode, const QString& text, int limitMs,
                                      QObject* receiver, PostingDone done) {
    const QByteArray form = FormField("progcd=", programCode) +
                            FormField("&userid=", login_.userId) +
                            FormField("&writer=", login_.userName) + FormField("&contents=", text);
    const QString board = addresses_.webServer + QStringLiteral("/quilo_board/pcRadio_act.asp");
    auto request = std::make_unique<Request>(kPostingWaiting, board, /*post=*/true, form, limitMs,
                                             kPostingLines, receiver);
    request->tell = [done = std::move(done)](const Request& settled) {
        done(settled.outcome == RequestOutcome::Done ? settled.postingResult : -1);
    };
    Enqueue(std::move(request));
}

void CWebRequestDlg::Close() {
    closed_ = true;
    queue_.clear();
    active_.reset();
    deadline_.stop();
    browser_.Stop();
    state_ = kIdle;
}

void CWebRequestDlg::Enqueue(std::unique_ptr<Request> request) {
    if (closed_) {
        return;
    }
    queue_.push_back(std::move(request));
    SendNextQueued();
}

void CWebRequestDlg::SendNextQueued() {
    if (active_ != nullptr || queue_.empty()) {
        return;
    }
    active_ = std::move(queue_.front());
    queue_.pop_front();
    state_ = active_->waitingState;
    loginMisses_ = 0;
    postingResult_ = -1;
    responseBody_.clear();
    log_.WriteLog(active_->lines.attempt);
    deadline_.start(active_->limitMs);
    browser_.Navigate(active_->address, active_->post, active_->formData);
}

void CWebRequestDlg::OnNavigated(const NetResponse& response) {
    if (active_ == nullptr) {
        // an answer to nothing anyone waits for is dropped
        browser_.Stop();
        return;
    }
    PerformRequest(response);
    if (state_ == kDone) {
        Settle(RequestOutcome::Done);
    } else if (state_ == kNotConnected) {
        Settle(RequestOutcome::NotConnected);
    }
}

void CWebRequestDlg::PerformRequest(const NetResponse& response) {
    if (!response.responded) {
        state_ = kNotConnected;
        return;
    }
    switch (state_) {
        case kLoginWaiting:
            JudgeLogin(response.headers);
            break;
        case kTimeWaiting:
            JudgeServerTime(response);
            break;
        case kPostingWaiting:
            JudgePosting(response.body);
            break;
        default:
            break;
    }
}

void CWebRequestDlg::JudgeLogin(const QByteArray& headers) {
    if (loginMisses_ <= kLoginMissesAllowed) {
        if (headers.contains("Set-Cookie: RmUserid=")) {
            state_ = kDone;
            if (const qsizetype q = headers.indexOf("USER%5FNAME="); q >= 0) {
                // without a closing "&" the taken text is empty, and so is the name
                const qsizetype end = headers.indexOf('&', q);
                const QByteArray cookieText = end < 0 ? QByteArray() : headers.mid(q, end - q);
                login_.userName = FromCp949(DecodeHexName(cookieText).left(kUserNameBytes));
            }
        }
    } else {
        state_ = kDone;
        loginMisses_ = kLoginRefused;
    }
    if (state_ != kDone) {
        ++loginMisses_;
    }
}

void CWebRequestDlg::JudgeServerTime(const NetResponse& response) {
    const qsizetype q = response.headers.indexOf("Date:");
    if (q < 0) {
        return;
    }
    state_ = kDone;
    serverTime_ = ParseDateHeader(response.headers.mid(q, kDateTextLength), serverTime_);
    responseBody_ = response.body;
}

void CWebRequestDlg::JudgePosting(const QByteArray& body) {
    static constexpr std::array<const char*, 5> kAnswers = {"0", "2", "3", "4", "5"};
    const bool known = std::any_of(kAnswers.begin(), kAnswers.end(),
                                   [&body](const char* answer) { return body == answer; });
    if (known) {
        state_ = kDone;
        postingResult_ = body.front() - '0';
    }
}

void CWebRequestDlg::WriteOutcome(const Request& request) {
    switch (request.outcome) {
        case RequestOutcome::Done:
            log_.WriteLog(request.loginRefused ? LogText::kLoginIncorrect : request.lines.done);
            break;
        case RequestOutcome::NotConnected:
            log_.WriteLog(request.lines.notConnected);
            break;
        case RequestOutcome::TimeOver:
            log_.WriteLog(request.lines.timeOver);
            break;
    }
}

// Decided inside the event that decides it (the answer, or the deadline): the log line is
// written and the next queued request sent before the caller hears, so that whatever the caller
// asks for next queues behind it.
void CWebRequestDlg::Settle(RequestOutcome outcome) {
    const std::unique_ptr<Request> request = std::move(active_);
    request->outcome = outcome;
    request->loginRefused = loginMisses_ == kLoginRefused;
    request->postingResult = postingResult_;
    request->serverTime = serverTime_;
    request->body = responseBody_;
    WriteOutcome(*request);
    deadline_.stop();
    browser_.Stop();
    state_ = kIdle;
    SendNextQueued();
    if (!request->receiver.isNull()) {
        request->tell(*request);
    }
}

#include "web/CWebRequestDlg.h"

#include <utility>

#include "platform/ActivityLog.h"
#include "platform/Cp949.h"
#include "platform/DeadlineLoop.h"
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

// One request operation, from its caller's wait to its outcome. It lives on the caller's stack
// for as long as the caller waits.
struct CWebRequestDlg::Request {
    Request(int waitingState_, QString address_, bool post_, QByteArray formData_, int limitMs_,
            const LogLines& lines_)
        : waitingState(waitingState_),
          address(std::move(address_)),
          post(post_),
          formData(std::move(formData_)),
          limitMs(limitMs_),
          lines(lines_) {}

    int waitingState;
    QString address;
    bool post;
    QByteArray formData;
    int limitMs;
    const LogLines& lines;

    // what the channel held when the request was settled
    RequestOutcome outcome = RequestOutcome::TimeOver;
    bool loginRefused = false;
    int postingResult = -1;
    std::tm serverTime{};
    QByteArray body;

    DeadlineLoop wait;
};

CWebRequestDlg::CWebRequestDlg(ActivityLog& log, WebAddresses addresses, LoginInfo& login,
                               QObject* parent)
    : QObject(parent), log_(log), addresses_(std::move(addresses)), login_(login) {
    login_.userName.clear();
    connect(&browser_, &HiddenBrowser::navigated, this, &CWebRequestDlg::OnNavigated);
}

CWebRequestDlg::~CWebRequestDlg() {
    browser_.Stop();
}

LoginResult CWebRequestDlg::RequestLogin(const QString& userId, const QString& password,
                                         int limitMs) {
    login_.userId = userId;
    Request request(kLoginWaiting, BuildLoginAddress(addresses_, userId, password),
                    /*post=*/false, {}, limitMs, kLoginLines);
    RunRequest(request);
    switch (request.outcome) {
        case RequestOutcome::Done:
            return request.loginRefused ? LoginResult::Incorrect : LoginResult::LoggedIn;
        case RequestOutcome::NotConnected:
            return LoginResult::NotConnected;
        case RequestOutcome::TimeOver:
            break;
    }
    return LoginResult::TimeOver;
}

bool CWebRequestDlg::RequestServerTime(std::tm& serverTime, QByteArray* body, int limitMs) {
    Request request(kTimeWaiting, addresses_.webServer + QStringLiteral("/info/scroll.txt"),
                    /*post=*/false, {}, limitMs, kTimeLines);
    RunRequest(request);
    const bool done = request.outcome == RequestOutcome::Done;
    if (done) {
        serverTime = request.serverTime;
    }
    if (body != nullptr) {
        *body = done ? request.body : QByteArray();
    }
    return done;
}

int CWebRequestDlg::PostBoardMessage(const QString& programCode, const QString& text, int limitMs) {
    const QByteArray form = FormField("progcd=", programCode) +
                            FormField("&userid=", login_.userId) +
                            FormField("&writer=", login_.userName) + FormField("&contents=", text);
    const QString board = addresses_.webServer + QStringLiteral("/quilo_board/pcRadio_act.asp");
    Request request(kPostingWaiting, board, /*post=*/true, form, limitMs, kPostingLines);
    RunRequest(request);
    return request.outcome == RequestOutcome::Done ? request.postingResult : -1;
}

void CWebRequestDlg::Close() {
    closed_ = true;
    for (Request* queued : std::exchange(queue_, {})) {
        queued->wait.Finish();
    }
    if (active_ != nullptr) {
        Settle(RequestOutcome::TimeOver, /*logged=*/false);
    }
}

void CWebRequestDlg::RunRequest(Request& request) {
    if (closed_) {
        request.outcome = RequestOutcome::NotConnected;
        return;
    }
    connect(&request.wait, &DeadlineLoop::deadlinePassed, this, [this, &request] {
        if (active_ == &request) {
            Settle(RequestOutcome::TimeOver);
        }
    });
    queue_.push_back(&request);
    SendNextQueued();
    request.wait.Wait();
}

void CWebRequestDlg::SendNextQueued() {
    if (active_ != nullptr || queue_.empty()) {
        return;
    }
    active_ = queue_.front();
    queue_.pop_front();
    state_ = active_->waitingState;
    loginMisses_ = 0;
    postingResult_ = -1;
    responseBody_.clear();
    log_.WriteLog(active_->lines.attempt);
    active_->wait.StartDeadline(active_->limitMs);
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

void CWebRequestDlg::Settle(RequestOutcome outcome, bool logged) {
    Request& request = *active_;
    request.outcome = outcome;
    request.loginRefused = loginMisses_ == kLoginRefused;
    request.postingResult = postingResult_;
    request.serverTime = serverTime_;
    request.body = responseBody_;
    if (logged) {
        WriteOutcome(request);
    }
    browser_.Stop();
    state_ = kIdle;
    active_ = nullptr;
    request.wait.Finish();
    SendNextQueued();
}

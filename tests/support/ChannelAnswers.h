#pragma once

#include "support/Await.h"
#include "web/CWebRequestDlg.h"

#include <optional>

// The request channel's answers awaited, for tests that ask one thing and look at what came
// back. Nothing when no answer came within the limit and a margin; the receiver is gone by then,
// so a late answer is never told.
namespace ChannelAnswers {

constexpr int kMarginMs = 10000;

template <typename Answer, typename Ask>
std::optional<Answer> Awaited(int limitMs, Ask ask) {
    QObject receiver;
    std::optional<Answer> answer;
    ask(&receiver, [&answer](const Answer& told) { answer = told; });
    Await([&answer] { return answer.has_value(); }, limitMs + kMarginMs);
    return answer;
}

inline std::optional<LoginResult> LogIn(CWebRequestDlg& channel, const QString& userId,
                                        const QString& password, int limitMs) {
    return Awaited<LoginResult>(limitMs, [&](QObject* receiver, auto done) {
        channel.RequestLogin(userId, password, limitMs, receiver, done);
    });
}

inline ServerTimeReading ServerTime(CWebRequestDlg& channel, int limitMs) {
    return Awaited<ServerTimeReading>(limitMs,
                                      [&](QObject* receiver, auto done) {
                                          channel.RequestServerTime(limitMs, receiver, done);
                                      })
        .value_or(ServerTimeReading());
}

inline std::optional<int> Post(CWebRequestDlg& channel, const QString& programCode,
                               const QString& text, int limitMs) {
    return Awaited<int>(limitMs, [&](QObject* receiver, auto done) {
        channel.PostBoardMessage(programCode, text, limitMs, receiver, done);
    });
}

}  // namespace ChannelAnswers

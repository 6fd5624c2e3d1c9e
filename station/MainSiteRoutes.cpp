#include "MainSiteRoutes.h"

#include "BoardPage.h"
#include "FormFields.h"
#include "Responses.h"
#include "ServiceData.h"
#include "SimulatedClock.h"
#include "StationContext.h"
#include "Template.h"
#include "WireText.h"

#include <httplib.h>

namespace {

QString ClockText(int hour, int minute) {
    return QStringLiteral("%1:%2").arg(hour % 24, 2, 10, QChar('0')).arg(minute, 2, 10, QChar('0'));
}

}  // namespace

void MainSiteRoutes::Install(httplib::Server& server) {
    using httplib::Request;
    using httplib::Response;
    server.Get("/", [this](const Request&, Response& r) { Page("main", r); });
    server.Get("/Schedule/Schedule_List.asp", [this](const Request&, Response& r) { Schedule(r); });
    server.Get("/sso/ssoRegCheck.asp", [this](const Request&, Response& r) { Page("join", r); });
    server.Get(R"(/program/([0-9A-Za-z]+)/(index|board)\.asp)",
               [this](const Request& q, Response& r) {
                   ProgramPage(QString::fromStdString(q.matches[1]), q.matches[2] == "board", r);
               });
    const auto character = [this](const Request& q, Response& r) { Character(q, r); };
    server.Get("/event/quilo.asp", character);
    server.Post("/event/quilo.asp", character);
    server.Get(R"(/event/([a-z_]+)\.asp)",
               [this](const Request&, Response& r) { Page("event", r); });
}

void MainSiteRoutes::Schedule(httplib::Response& response) const {
    const auto& schedule = context_.data.Schedule();
    const QDateTime now = context_.clock.NowService();
    const int onAir = schedule.OnAir(now);
    QString rows;
    for (int i = 0; i < schedule.Programs().size(); ++i) {
        const auto& program = schedule.Programs()[i];
        rows += QStringLiteral(
                    "<tr%1><td>%2</td><td><a href=\"%3/program/%4/index.asp\">%5</a>%6"
                    "</td></tr>\n")
                    .arg(i == onAir ? QStringLiteral(" class=\"onair\"") : QString(),
                         ClockText(program.hour, program.minute), context_.addresses.main,
                         program.code, HtmlEscaped(program.title),
                         i == onAir ? QStringLiteral(" <b>[방송중]</b>") : QString());
    }
    Responses::Text(response,
                    FillTemplate(context_.data.Page(QStringLiteral("schedule")),
                                 {{"WEB", context_.addresses.web},
                                  {"MAIN", context_.addresses.main},
                                  {"DATE", ProgramSchedule::BroadcastDay(now).toString(
                                               QStringLiteral("yyyy년 M월 d일"))},
                                  {"ROWS", rows}}),
                    Responses::kHtml);
}

void MainSiteRoutes::ProgramPage(const QString& code, bool board,
                                 httplib::Response& response) const {
    const QString info = context_.data.InfoTemplate(code);
    if (info.isNull() || !context_.data.Schedule().Contains(code)) {
        Responses::NotFound(response);
        return;
    }
    if (board) {
        Responses::Text(response, BoardPage(context_, code), Responses::kHtml);
        return;
    }
    const QString contents = ServiceData::KeyValue(info, "CONTENTS", "END");
    Responses::Text(response,
                    FillTemplate(context_.data.Page(QStringLiteral("program")),
                                 {{"WEB", context_.addresses.web},
                                  {"MAIN", context_.addresses.main},
                                  {"CODE", code},
                                  {"TITLE", HtmlEscaped(ServiceData::KeyValue(info, "TITLE"))},
                                  {"CONTENTS", HtmlEscaped(contents).replace('\n', "<br>\n")}}),
                    Responses::kHtml);
}

void MainSiteRoutes::Character(const httplib::Request& request, httplib::Response& response) const {
    // The client posts src=app, ni=the member ID as plain hex digits (no '%'), and ei=the ID
    // in its own scrambled form; the page greets the member named by ni.
    const QString id = WireText::Decode(QByteArray::fromHex(FormField(request, "ni")));
    const QString greeting =
        id.isEmpty() ? QStringLiteral("로그인한 회원만 캐릭터 이벤트에 참여할 수 있습니다.")
                     : QStringLiteral(
                           "%1님, 큐일로 캐릭터를 찾아주셔서 감사합니다! "
                           "이벤트에 자동으로 응모되었습니다.")
                           .arg(HtmlEscaped(id));
    Responses::Text(response,
                    FillTemplate(context_.data.Page(QStringLiteral("character")),
                                 {{"WEB", context_.addresses.web},
                                  {"MAIN", context_.addresses.main},
                                  {"GREETING", greeting}}),
                    Responses::kHtml);
}

void MainSiteRoutes::Page(const QString& name, httplib::Response& response) const {
    Responses::Text(response,
                    FillTemplate(context_.data.Page(name), {{"WEB", context_.addresses.web},
                                                            {"MAIN", context_.addresses.main},
                                                            {"SSO", context_.addresses.sso}}),
                    Responses::kHtml);
}

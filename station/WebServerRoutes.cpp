#include "WebServerRoutes.h"

#include <QCryptographicHash>

#include "BoardPage.h"
#include "FaultSwitches.h"
#include "FormFields.h"
#include "MessageBoard.h"
#include "Responses.h"
#include "ServiceData.h"
#include "ServiceOverrides.h"
#include "SimulatedClock.h"
#include "StationContext.h"
#include "Template.h"
#include "WireText.h"

#include <httplib.h>

#include <QUrl>

namespace {

QString TwoDigits(int value) {
    return QString::number(value).rightJustified(2, '0');
}

}  // namespace

void WebServerRoutes::Install(httplib::Server& server) {
    using httplib::Request;
    using httplib::Response;
    server.Get("/", [this](const Request&, Response& r) { Page("home", r); });
    server.Get("/empty.asp", [this](const Request&, Response& r) { Page("empty", r); });
    server.Get("/time_table.asp", [this](const Request&, Response& r) { ProgramTable(r); });
    server.Get(R"(/info/img/([^/]+))", [this](const Request& q, Response& r) {
        const QByteArray image =
            context_.data.BinaryFile("info/img", QString::fromStdString(q.matches[1]));
        image.isNull() ? Responses::NotFound(r) : Responses::Bytes(r, image, "image/bmp");
    });
    server.Get(R"(/info/([^/]+)\.txt)", [this](const Request& q, Response& r) {
        InfoText(QString::fromStdString(q.matches[1]), r);
    });
    server.Get(R"(/download/([^/]+))", [this](const Request& q, Response& r) {
        const QByteArray file = context_.data.Download(QString::fromStdString(q.matches[1]));
        file.isNull() ? Responses::NotFound(r)
                      : Responses::Bytes(r, file, "application/octet-stream");
    });
    const auto board = [this](const Request& q, Response& r) { Board(q, r); };
    server.Get("/quilo_board/pcRadio_act.asp", board);
    server.Post("/quilo_board/pcRadio_act.asp", board);
    server.Get("/quilo_board/list.asp", [this](const Request& q, Response& r) { BoardList(q, r); });
}

void WebServerRoutes::ProgramTable(httplib::Response& response) const {
    const QDateTime now = context_.clock.NowService();
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"euc-kr\"?>\n<TIMETABLE>\n");
    text += QStringLiteral("<BRODDATE>%1</BRODDATE>\n")
                .arg(ProgramSchedule::BroadcastDay(now).toString(QStringLiteral("yyyyMMdd")));
    for (const auto& program : context_.data.Schedule().Programs()) {
        text += QStringLiteral(
                    "<PROGRAM><BRODTIME>%1:%2</BRODTIME><PROGCD>%3</PROGCD>"
                    "<PROGNM>%4</PROGNM></PROGRAM>\n")
                    .arg(TwoDigits(program.hour), TwoDigits(program.minute), program.code,
                         HtmlEscaped(program.title));
    }
    text += QStringLiteral("</TIMETABLE>\n");
    Responses::Text(response, text, Responses::kHtml);
}

void WebServerRoutes::InfoText(const QString& name, httplib::Response& response) const {
    QString text;
    if (name == QLatin1String("scroll")) {
        text = TickerText();
    } else if (name == QLatin1String("setup_info")) {
        text = UpdateText();
    } else {
        text = FillAddresses(context_.data.InfoTemplate(name));
    }
    if (text.isNull()) {
        Responses::NotFound(response);
        return;
    }
    Responses::Text(response, text, Responses::kPlainText);
}

void WebServerRoutes::Board(const httplib::Request& request, httplib::Response& response) const {
    QByteArray answer;
    if (const auto forced = context_.faults.BoardAnswer()) {
        answer = *forced;
    } else {
        // The client posts a form; a query carries the same fields just as well.
        const MessageBoard::Posting posting{
            FormField(request, "progcd"),
            FormField(request, "userid"),
            FormField(request, "writer"),
            FormField(request, "contents"),
        };
        answer = context_.board.Post(posting, context_.clock.NowService());
    }
    // The answer is the bare digit: no line end, no page around it.
    Responses::Bytes(response, answer, Responses::kHtml);
}

void WebServerRoutes::BoardList(const httplib::Request& request,
                                httplib::Response& response) const {
    const QString code = WireText::Decode(FormField(request, "progcd"));
    Responses::Text(response, BoardPage(context_, code), Responses::kHtml);
}

void WebServerRoutes::Page(const QString& name, httplib::Response& response) const {
    Responses::Text(response, FillAddresses(context_.data.Page(name)), Responses::kHtml);
}

QString WebServerRoutes::FillAddresses(const QString& text) const {
    if (text.isNull()) {
        return text;
    }
    return FillTemplate(text, {{"WEB", context_.addresses.web},
                               {"MAIN", context_.addresses.main},
                               {"SSO", context_.addresses.sso}});
}

QString WebServerRoutes::TickerText() const {
    auto window = context_.overrides.Ticker();
    if (!window) {
        // By default the ticker runs for the whole broadcast day the station's clock is in.
        const QDate day = ProgramSchedule::BroadcastDay(context_.clock.NowService());
        window = ServiceOverrides::TickerWindow{day.toString("yyyyMMdd") + "0500",
                                                day.addDays(1).toString("yyyyMMdd") + "0459"};
    }
    return FillTemplate(FillAddresses(context_.data.InfoTemplate("scroll")),
                        {{"SCR_ST", window->start}, {"SCR_ET", window->end}});
}

// The release's checksum is that of the file served under its name, unless a test announced a
// checksum of its own (to see a wrong one refused).
QString WebServerRoutes::UpdateText() const {
    const auto update = context_.overrides.CurrentUpdate();
    const QString checksum =
        !update.sha256.isEmpty()
            ? update.sha256
            : QString::fromLatin1(QCryptographicHash::hash(context_.data.Download(update.file),
                                                           QCryptographicHash::Sha256)
                                      .toHex());
    return FillTemplate(FillAddresses(context_.data.InfoTemplate("setup_info")),
                        {{"FILE", QString::fromLatin1(QUrl::toPercentEncoding(update.file))},
                         {"VER", update.version},
                         {"SHA256", checksum},
                         {"MSG", update.message}});
}

#include "BoardPage.h"

#include "MessageBoard.h"
#include "ServiceData.h"
#include "StationContext.h"
#include "Template.h"

namespace {

QString TitleOf(const StationContext& context, const QString& code) {
    for (const auto& program : context.data.Schedule().Programs()) {
        if (program.code == code) {
            return program.title;
        }
    }
    return code;
}

QString Row(const StationContext& context, const MessageBoard::Message& message) {
    return QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>\n")
        .arg(message.received.toString(QStringLiteral("MM/dd HH:mm")),
             HtmlEscaped(TitleOf(context, message.programCode)),
             HtmlEscaped(message.writer) + QStringLiteral(" (") + HtmlEscaped(message.userId) + ')',
             HtmlEscaped(message.contents).remove('\r').replace('\n', QStringLiteral("<br>\n")));
}

}  // namespace

QString BoardPage(const StationContext& context, const QString& programCode) {
    QString rows;
    for (const auto& message : context.board.Messages()) {
        if (programCode.isEmpty() || message.programCode == programCode) {
            rows += Row(context, message);
        }
    }
    if (rows.isEmpty()) {
        rows = QStringLiteral("<tr><td colspan=\"4\">아직 올라온 사연이 없습니다.</td></tr>\n");
    }
    const QString heading =
        programCode.isEmpty() ? QStringLiteral("전체 프로그램") : TitleOf(context, programCode);
    return FillTemplate(context.data.Page(QStringLiteral("board")),
                        {{"WEB", context.addresses.web},
                         {"MAIN", context.addresses.main},
                         {"PROGRAM", HtmlEscaped(heading)},
                         // last, so that nothing a listener wrote is taken for a placeholder
                         {"ROWS", rows}});
}

// The message board: one digit per posting, the first missing field deciding.

#include "ServerTextScan.h"
#include "StationProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace ServerTextScan;

namespace {

const QByteArray kBoard = "/quilo_board/pcRadio_act.asp";

QByteArray Form(const QString& code, const QString& id, const QString& writer,
                const QString& contents) {
    return "progcd=" + PercentEveryByte(KoreanBytes(code)) +
           "&userid=" + PercentEveryByte(KoreanBytes(id)) +
           "&writer=" + PercentEveryByte(KoreanBytes(writer)) +
           "&contents=" + PercentEveryByte(KoreanBytes(contents));
}

}  // namespace

TEST(Board, AnswersTheDigitOfTheFirstMissingField) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const struct {
        QByteArray form;
        QByteArray answer;
    } cases[] = {
        {Form("", "demo", "홍길동", "안녕하세요"), "2"},
        {Form("timefail", "demo", "홍길동", "안녕하세요"), "2"},
        {Form("0000102", "", "홍길동", "안녕하세요"), "3"},
        {Form("0000102", "demo", "", "안녕하세요"), "4"},
        {Form("0000102", "demo", "홍길동", ""), "5"},
        {Form("", "", "", ""), "2"},
        {Form("0000102", "demo", "", ""), "4"},
        {"progcd=%30%30%30%30%31%30%32&userid=%64%65%6D%6F&writer=%C8%AB", "5"},
        {Form("0000102", "demo", "홍길동", "   "), "0"},
    };
    for (const auto& posting : cases) {
        const RawHttp::Response response = station.Post(StationProcess::kWeb, kBoard, posting.form);
        EXPECT_EQ(response.status, 200);
        EXPECT_EQ(response.body, posting.answer) << posting.form.constData();
        EXPECT_FALSE(response.Header("Date").isEmpty());
    }

    ASSERT_TRUE(station.Control("/_station/fault?name=board&answer=1"));
    EXPECT_EQ(
        station.Post(StationProcess::kWeb, kBoard, Form("0000102", "demo", "홍길동", "x")).body,
        "1");
}

TEST(Board, StoredMessageArrivesWholeOnTheBoardPages) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const QString message("오늘도 좋은 음악 감사합니다.\r\n<신청곡> 부탁드려요!");
    ASSERT_EQ(
        station.Post(StationProcess::kWeb, kBoard, Form("0000105", "demo", "홍길동", message)).body,
        "0");

    const QJsonArray stored =
        QJsonDocument::fromJson(station.Get(StationProcess::kControl, "/_station/messages").body)
            .array();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0]["contents"].toString(), message);
    EXPECT_EQ(stored[0]["writer"].toString(), QString("홍길동"));
    EXPECT_EQ(stored[0]["progcd"].toString(), QString("0000105"));

    const QString list = Korean(station.Get(StationProcess::kWeb, "/quilo_board/list.asp").body);
    EXPECT_TRUE(list.contains("오늘도 좋은 음악 감사합니다.<br>\r\n&lt;신청곡&gt; 부탁드려요!"))
        << list.toStdString();
    EXPECT_TRUE(list.contains("홍길동 (demo)"));
    const QString programBoard =
        Korean(station.Get(StationProcess::kMain, "/program/0000105/board.asp").body);
    EXPECT_TRUE(programBoard.contains("부탁드려요!"));
    EXPECT_FALSE(Korean(station.Get(StationProcess::kMain, "/program/0000106/board.asp").body)
                     .contains("부탁드려요!"));

    // The same fields in a query do as well; as in any form, '+' stands for a blank and only
    // "%2B" for a plus sign, and letters may come unescaped.
    ASSERT_EQ(station
                  .Get(StationProcess::kWeb, kBoard + "?progcd=0000106&userid=demo&writer=%C8%AB" +
                                                 "&contents=1+%2B+1+%3D+2%21")
                  .body,
              "0");
    const QJsonArray both =
        QJsonDocument::fromJson(station.Get(StationProcess::kControl, "/_station/messages").body)
            .array();
    ASSERT_EQ(both.size(), 2);
    EXPECT_EQ(both[0]["contents"].toString(), QString("1 + 1 = 2!"));
    EXPECT_EQ(both[0]["writer"].toString(), QString("홍"));
    EXPECT_EQ(both[0]["progcd"].toString(), QString("0000106"));
}

// Taking an address apart for the request line and reading a response as it arrives: the pieces
// of the HTTP client the request channel speaks with.

#include "web/HttpAddress.h"
#include "web/HttpResponseReader.h"

#include "support/QtPrinting.h"

#include <gtest/gtest.h>

namespace {

// Feeds the response one byte at a time, as a slow connection might deliver it; true when the
// reader called it whole before the last byte had come.
bool FeedByteByByte(HttpResponseReader& reader, QByteArrayView bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (reader.Feed(bytes.sliced(i, 1)) && i + 1 < bytes.size()) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(HttpAddress, TheTargetKeepsEveryEscapeAndTheHostAndPortComeApart) {
    const auto login =
        SplitHttpAddress("http://main.example:8080/sub.asp?userid=%64%65&pw=%2F#top");
    ASSERT_TRUE(login.has_value());
    EXPECT_FALSE(login->secure);
    EXPECT_EQ(login->host, QByteArray("main.example"));
    EXPECT_EQ(login->port, 8080);
    EXPECT_EQ(login->target, QByteArray("/sub.asp?userid=%64%65&pw=%2F"));
    EXPECT_EQ(login->HostHeader(), QByteArray("main.example:8080"));

    const auto secure = SplitHttpAddress("HTTPS://user:pw@Site.example?x=1");
    ASSERT_TRUE(secure.has_value());
    EXPECT_TRUE(secure->secure);
    EXPECT_EQ(secure->port, 443);
    EXPECT_EQ(secure->host, QByteArray("Site.example"));
    EXPECT_EQ(secure->target, QByteArray("/?x=1"));
    EXPECT_EQ(secure->HostHeader(), QByteArray("Site.example"));

    const auto v6 = SplitHttpAddress("http://[::1]:81");
    ASSERT_TRUE(v6.has_value());
    EXPECT_EQ(v6->host, QByteArray("::1"));
    EXPECT_EQ(v6->target, QByteArray("/"));
    EXPECT_EQ(v6->Origin(), QByteArray("http://[::1]:81"));

    for (const char* unusable :
         {"ftp://host/", "http:///path", "http://host:0/", "http://host:65536/", "http://host:8x/",
          "host/path", "http://[::1/"}) {
        EXPECT_FALSE(SplitHttpAddress(unusable).has_value()) << unusable;
    }
}

TEST(HttpAddress, AHostWithABlankOrAControlCharacterIsNoAddressSoNoHeaderLineCanBeSmuggledIn) {
    for (const QByteArray& unusable :
         {QByteArray("http://evil\r\nX-Injected: 1/"), QByteArray("http://ho st/"),
          QByteArray("http://host\x0c:81/"), QByteArray("http://[::1\t]/"),
          QByteArray("http://host\x7f/")}) {
        EXPECT_FALSE(SplitHttpAddress(unusable).has_value()) << unusable.toHex().constData();
    }
    // a page whose refresh address smuggles a line into the host leads nowhere on the wire
    EXPECT_FALSE(
        SplitHttpAddress(ResolveReference("http://site/a", "http://evil\r\nX: 1/")).has_value());
}

TEST(HttpAddress, ReferencesResolveAsABrowserResolvesThemAndKeepTheirQueryAsGiven) {
    const QByteArray page = "http://site:81/a/b/page.asp?x=%64";
    const QList<std::pair<const char*, const char*>> cases = {
        {"member/fail", "http://site:81/a/b/member/fail"},
        {"../c?y=%41%42", "http://site:81/a/c?y=%41%42"},
        {"./", "http://site:81/a/b/"},
        {"../../../../top", "http://site:81/top"},
        {"/sso/out?r=%2F", "http://site:81/sso/out?r=%2F"},
        {"?n=%31", "http://site:81/a/b/page.asp?n=%31"},
        {"//other.example/p", "http://other.example/p"},
        {"https://secure.example/q?z=%7A#frag", "https://secure.example/q?z=%7A"},
        {"", "http://site:81/a/b/page.asp?x=%64"},
    };
    for (const auto& [reference, expected] : cases) {
        EXPECT_EQ(ResolveReference(page, reference), QByteArray(expected)) << reference;
    }
}

TEST(HttpResponseReader, AChunkedBodyIsPutTogetherAndRepeatedHeadersStayLinesOfTheirOwn) {
    const QByteArray response =
        "HTTP/1.1 200 OK\r\n"
        "Set-Cookie: RmUserid=demo; path=/\r\n"
        "set-cookie: RmUserInfo=USER%5FNAME=%C8%AB; path=/\r\n"
        "Transfer-Encoding: chunked\r\n"
        "\r\n"
        "5;ext=1\r\nhello\r\n"
        "A\r\n, world!\r\n\r\n"
        "0\r\nX-Trailer: late\r\n\r\n"
        "HTTP/1.1 200 OK\r\n";  // whatever follows the response is not part of it
    HttpResponseReader reader;
    EXPECT_FALSE(FeedByteByByte(reader, QByteArrayView(response).chopped(17)));
    EXPECT_TRUE(reader.Complete());
    EXPECT_TRUE(reader.Feed(QByteArrayView(response).last(17)));
    EXPECT_TRUE(reader.HasStatus());
    EXPECT_EQ(reader.Status(), 200);
    EXPECT_EQ(reader.Body(), QByteArray("hello, world!\r\n"));
    EXPECT_EQ(reader.HeaderLines(),
              QByteArray("Set-Cookie: RmUserid=demo; path=/\r\n"
                         "set-cookie: RmUserInfo=USER%5FNAME=%C8%AB; path=/\r\n"
                         "Transfer-Encoding: chunked\r\n"));
    EXPECT_EQ(
        reader.HeaderValues("SET-COOKIE"),
        QList<QByteArray>({"RmUserid=demo; path=/", "RmUserInfo=USER%5FNAME=%C8%AB; path=/"}));
}

TEST(HttpResponseReader, TheBodyEndsByItsLengthOrByTheClose) {
    HttpResponseReader sized;
    EXPECT_FALSE(sized.Feed("HTTP/1.1 302 Found\nLocation: /next\nContent-Length: 4\n\nab"));
    EXPECT_TRUE(sized.HasStatus());
    EXPECT_TRUE(sized.Feed("cdEXTRA"));
    EXPECT_EQ(sized.Body(), QByteArray("abcd"));
    // bare LF line ends are read, and the lines kept with CR LF
    EXPECT_EQ(sized.HeaderLines(), QByteArray("Location: /next\r\nContent-Length: 4\r\n"));

    HttpResponseReader untilClose;
    EXPECT_FALSE(untilClose.Feed("HTTP/1.0 200 OK\r\n\r\n0\r\n"));
    EXPECT_FALSE(untilClose.Feed("2"));
    untilClose.ConnectionClosed();
    EXPECT_TRUE(untilClose.Complete());
    EXPECT_EQ(untilClose.Body(), QByteArray("0\r\n2"));

    HttpResponseReader empty;
    EXPECT_TRUE(empty.Feed("HTTP/1.1 204 No Content\r\nContent-Length: 10\r\n\r\n"));
    EXPECT_TRUE(empty.Body().isEmpty());
}

TEST(HttpResponseReader, AnInterimAnswerIsPassedOverAndOnlyAStatusLineMakesAnAnswer) {
    HttpResponseReader interim;
    EXPECT_TRUE(
        interim.Feed("HTTP/1.1 100 Continue\r\nX-A: 1\r\n\r\n"
                     "HTTP/1.1 500 Server Error\r\nContent-Length: 2\r\n\r\nno"));
    EXPECT_EQ(interim.Status(), 500);
    EXPECT_EQ(interim.HeaderLines(), QByteArray("Content-Length: 2\r\n"));
    EXPECT_EQ(interim.Body(), QByteArray("no"));

    for (const char* notHttp : {"SSH-2.0-OpenSSH\r\n", "HTTP/1.1 OK\r\n", "HTTP/1.1 2000 X\r\n"}) {
        HttpResponseReader reader;
        EXPECT_TRUE(reader.Feed(notHttp)) << notHttp;
        EXPECT_FALSE(reader.HasStatus()) << notHttp;
    }
}

TEST(HttpResponseReader, AResponseCutShortOrOverALimitIsNoAnswerAndOneOverALimitEndsAtOnce) {
    using Reader = HttpResponseReader;
    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    const QByteArray chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
    const QByteArray headerLine = "X-A: 1\r\n";
    const QByteArray fullBody(Reader::kMaxBodyBytes, 'x');
    struct Case {
        const char* what;
        QByteArray response;
        bool endsBeforeTheClose;
        bool answer;
    };
    const Case cases[] = {
        {"status line cut", "HTTP/1.1 20", false, false},
        {"head cut", ok + "Content-Length: 0\r\n", false, false},
        {"sized body cut", ok + "Content-Length: 100\r\n\r\npart", false, false},
        {"chunk cut", chunked + "5\r\nhel", false, false},
        {"last chunk missing", chunked + "5\r\nhello\r\n", false, false},
        {"line without end over the head's limit",
         ok + "X-Big: " + QByteArray(Reader::kMaxHeadBytes, 'x'), true, false},
        {"too many header lines", ok + headerLine.repeated(Reader::kMaxHeaderLines + 1), true,
         false},
        {"length over the limit",
         ok + "Content-Length: " + QByteArray::number(fullBody.size() + 1) + "\r\n\r\n", true,
         false},
        {"body until the close over the limit", ok + "\r\n" + fullBody + "x", true, false},
        {"chunks over the limit",
         chunked + "1\r\nx\r\n" + QByteArray::number(fullBody.size(), 16) + "\r\n", true, false},
        {"as many lines and bytes as allowed, until the close",
         ok + headerLine.repeated(Reader::kMaxHeaderLines) + "\r\n" + fullBody, false, true},
    };
    for (const Case& test : cases) {
        HttpResponseReader reader;
        EXPECT_EQ(reader.Feed(test.response), test.endsBeforeTheClose) << test.what;
        reader.ConnectionClosed();
        EXPECT_EQ(reader.HasStatus(), test.answer) << test.what;
        EXPECT_EQ(reader.Body().size(), test.answer ? fullBody.size() : 0) << test.what;
    }
}

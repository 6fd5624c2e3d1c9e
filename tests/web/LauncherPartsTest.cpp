#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <unistd.h>
#include <QProcess>
#include <QUrl>
#include <future>

#include "RawHttp.h"
#include "platform/CTextScrambler.h"
#include "platform/DesktopOpen.h"
#include "support/Await.h"
#include "web/CWebLauncher.h"
#include "web/LoopbackPages.h"

namespace {

TEST(TextScrambler, RoundTripsEveryByteWithinFourTimesTheLengthAndRefusesOtherText) {
    QByteArray everyByte;
    for (int value = 0; value < 256; ++value) {
        everyByte.append(static_cast<char>(value));
    }
    for (const QByteArray& plain : {QByteArray(), QByteArray("a"), QByteArray("demo"),
                                    QByteArray("\xb6\xc8 aaaa"), everyByte}) {
        const QByteArray scrambled = CTextScrambler::Encode(plain);
        EXPECT_LE(scrambled.size(), 4 * plain.size());
        EXPECT_EQ(CTextScrambler::Decode(scrambled), plain);
    }
    // the position changes the key: a repeated letter does not show as a repeated pair
    const QByteArray repeated = CTextScrambler::Encode("aaaa");
    EXPECT_NE(repeated.left(2), repeated.mid(2, 2));
    // letters only: the text goes through form and address encoding untouched
    EXPECT_EQ(QUrl::toPercentEncoding(QString::fromLatin1(CTextScrambler::Encode(everyByte))),
              CTextScrambler::Encode(everyByte));
    // and text it cannot have written is refused
    EXPECT_TRUE(CTextScrambler::Decode("abc").isNull()) << "odd length";
    EXPECT_TRUE(CTextScrambler::Decode("aq").isNull()) << "letter past 'p'";
    EXPECT_TRUE(CTextScrambler::Decode("A0").isNull()) << "not a letter of the alphabet";
}

TEST(CharacterPage, FormPostsTheDecodedFieldsToTheLinkOnLoadAndOnlyToAWebAddress) {
    const QByteArray page =
        CWebLauncher::CharacterFormPage("http://main/event/quilo.asp?a=1&b=2", "ab");
    EXPECT_TRUE(page.contains("action=\"http://main/event/quilo.asp?a=1&amp;b=2\""));
    EXPECT_TRUE(page.contains("method=\"post\""));
    EXPECT_TRUE(page.contains("onload=\"document.forms[0].submit()\""));
    EXPECT_TRUE(page.contains("name=\"src\" value=\"app\""));
    EXPECT_TRUE(page.contains("name=\"ni\" value=\"6162\""));
    // "ab" scrambled: 0x61 ^ 0xA5 = 0xC4, 0x62 ^ 0xC4 = 0xA6, nibbles as 'a' + n
    EXPECT_TRUE(page.contains("name=\"ei\" value=\"mekg\""));
    // Korean IDs travel as their code page bytes
    EXPECT_TRUE(CWebLauncher::CharacterFormPage("http://main/", "똠").contains("value=\"8C63\""));
    // the link comes from a server file: an action that would run as script in our page is refused
    for (const char* link : {"javascript:alert(1)", "JavaScript:alert(1)", "data:text/html,x",
                             "file:///etc/passwd", "event/quilo.asp"}) {
        EXPECT_TRUE(CWebLauncher::CharacterFormPage(QString::fromLatin1(link), "ab").isEmpty())
            << link;
    }
    EXPECT_FALSE(CWebLauncher::CharacterFormPage("https://main/event/quilo.asp", "ab").isEmpty());
}

TEST(BroadcasterAddress, HoldsTheDomainAnywhereWithCaseCounting) {
    const QString domain = "radio.example";
    EXPECT_TRUE(CWebLauncher::IsBroadcasterAddress("http://www.radio.example/a", domain));
    EXPECT_TRUE(CWebLauncher::IsBroadcasterAddress("http://other.net/?to=radio.example", domain));
    EXPECT_FALSE(CWebLauncher::IsBroadcasterAddress("http://www.RADIO.example/", domain));
    EXPECT_FALSE(CWebLauncher::IsBroadcasterAddress("http://radio.examp1e/", domain));
}

// The fetch runs on a thread of its own: the pages are served by this thread's event loop, which
// Await keeps running meanwhile.
RawHttp::Response Fetch(const QString& address) {
    const QUrl url(address);
    std::future<RawHttp::Response> reply = std::async(std::launch::async, [url] {
        return RawHttp::Get(url.host(), url.port(), url.path().toLatin1());
    });
    Await([&reply] { return reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
          15000);
    return reply.get();
}

// The HTTP status curl gets for address, started through runAs (setpriv, to be another user).
int CurlStatus(const QString& address, const QStringList& runAs = {}) {
    QProcess curl;
    const QStringList words =
        runAs + QStringList{"curl", "-sg", "-o", "/dev/null", "-w", "%{http_code}", address};
    curl.start(words.first(), words.mid(1));
    Await([&curl] { return curl.state() == QProcess::NotRunning; }, 15000);
    return curl.readAllStandardOutput().toInt();
}

// Every local user can read the address from the browser's command line: another user's fetch
// gets nothing. Root runs the stranger as nobody; the fetch of our own user runs as a separate
// process either way.
TEST(LoopbackPages, ServeAPageOnceToThisUserAloneAndRefuseUnknownAndSpentTokens) {
    LoopbackPages pages;
    const QString address = pages.Offer(LoopbackPages::HtmlPage("<p>once</p>"), 5000);
    ASSERT_TRUE(address.startsWith("http://127.0.0.1:"));
    QString served;
    QObject::connect(&pages, &LoopbackPages::served, [&served](const QString& a) { served = a; });

    const RawHttp::Response first = Fetch(address);
    EXPECT_EQ(first.status, 200);
    EXPECT_EQ(first.body, "<p>once</p>");
    EXPECT_EQ(first.Header("Cache-Control"), "no-store");
    EXPECT_EQ(served, address);
    EXPECT_EQ(Fetch(address).status, 404) << "second fetch";
    EXPECT_EQ(Fetch(address.left(address.size() - 1) + 'x').status, 404) << "guessed token";
    EXPECT_EQ(Fetch(address.section(u'/', 0, 2) + '/').status, 404) << "bare root";
    // tokens are random: at least 128 bits, never the same twice
    EXPECT_GE(address.section(u'/', -1).size(), 32);
    EXPECT_NE(pages.Offer(LoopbackPages::HtmlPage("<p>"), 5000), address);

    const QString kept = pages.Offer(LoopbackPages::HtmlPage("<p>"), 15000);
    if (::getuid() == 0) {
        EXPECT_EQ(CurlStatus(kept, {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"}),
                  404);
    }
    // from an IPv6 socket, through the IPv4-mapped address
    const QString mapped = QString(kept).replace("127.0.0.1", "[::ffff:127.0.0.1]");
    EXPECT_EQ(CurlStatus(mapped), 200);
    EXPECT_EQ(CurlStatus(mapped), 404) << "spent";
}

// A browser that never fetches what it is given.
class RecordingOpener : public ::testing::Test {
protected:
    void SetUp() override {
        SetDesktopOpener([this](const QString& address) {
            opened_.append(address);
            return true;
        });
    }
    void TearDown() override { SetDesktopOpener({}); }

    CWebLauncher launcher_{{"http://web.radio.example:81", "http://main.radio.example:82"},
                           "radio.example"};
    QStringList opened_;
};

TEST_F(RecordingOpener, OpensDirectlyWithoutDomainOrCredentialsAndNothingButWebPages) {
    // a server file's link that is no web page opens nothing, on the broadcaster's sites or off
    for (const char* notAPage :
         {"file:///etc/passwd", "/home/listener/radio.example.desktop", "smb://radio.example/s",
          "javascript:alert('radio.example')", "radio.example/page", "http:///radio.example"}) {
        launcher_.OpenWebPage(nullptr, QString::fromLatin1(notAPage), "demo", "quilo2007");
    }
    launcher_.OpenCharacterPage("javascript:alert(1)", "ab");
    EXPECT_TRUE(opened_.isEmpty()) << opened_.join(u' ').toStdString();

    launcher_.OpenWebPage(nullptr, "http://outside.net/", "demo", "quilo2007");
    launcher_.OpenWebPage(nullptr, "http://main.radio.example:82/a", "demo", "");
    launcher_.OpenWebPage(nullptr, "http://main.radio.example:82/b", "", "pw");
    EXPECT_EQ(opened_, QStringList({"http://outside.net/", "http://main.radio.example:82/a",
                                    "http://main.radio.example:82/b"}));
}

TEST_F(RecordingOpener, LogInDetourPostsTheLogInFormReturningToTheHomePage) {
    launcher_.OpenWebPage(nullptr, QString(), "demo", "quilo2007한");
    ASSERT_EQ(opened_.size(), 1);
    EXPECT_FALSE(opened_[0].contains("quilo2007"));
    const RawHttp::Response page = Fetch(opened_[0]);
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.Header("Cache-Control"), "no-store");
    EXPECT_TRUE(page.body.contains("action=\"http://main.radio.example:82/subloginproc.asp\""));
    EXPECT_TRUE(page.body.contains("method=\"post\""));
    // the page's code page is the one the fields are in, so the browser posts the same bytes
    EXPECT_TRUE(page.body.contains("<meta charset=\"euc-kr\">"));
    for (const QByteArray field :
         {"name=\"userid\" value=\"demo\"", "name=\"passwd\" value=\"quilo2007\xC7\xD1\"",
          "name=\"returnurl\" value=\"http://web.radio.example:81/\"",
          "name=\"eradio\" value=\"Y\""}) {
        EXPECT_TRUE(page.body.contains(field)) << field.constData();
    }
}

TEST_F(RecordingOpener, AnUnfetchedDetourEndsInOpeningTheAddressItself) {
    launcher_.SetBrowserWaitMs(200);
    const QString page = "http://main.radio.example:82/program/x/index.asp?a=b";
    launcher_.OpenWebPage(nullptr, page, "demo", "quilo2007");
    ASSERT_TRUE(Await([this] { return opened_.size() == 2; }, 5000));
    EXPECT_EQ(opened_[1], page);
    EXPECT_EQ(Fetch(opened_[0]).status, 404) << "the expired address";
}

}  // namespace

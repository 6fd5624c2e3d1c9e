// Taking an address apart for the request line, and resolving the references a page leads on
// with.

#include "web/HttpAddress.h"

#include "support/QtPrinting.h"

#include <gtest/gtest.h>

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

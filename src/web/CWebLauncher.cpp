#include "web/CWebLauncher.h"

#include <QUrl>

#include "platform/CTextScrambler.h"
#include "platform/Cp949.h"
#include "platform/DesktopOpen.h"
#include "web/LoginAddress.h"
#include "web/LoopbackPages.h"
#include "web/SelfSubmittingForm.h"
#include "web/UrlEncode.h"

namespace {

// The site's log-in sends the browser on to a return address with a path; a bare site address
// ("http://host:port") is given its root page.
QString WithPath(const QString& address) {
    QUrl url(address);
    if (url.path().isEmpty()) {
        url.setPath(QStringLiteral("/"));
    }
    return url.toString(QUrl::FullyEncoded);
}

}  // namespace

CWebLauncher::CWebLauncher(WebAddresses addresses, QString domain)
    : addresses_(std::move(addresses)), domain_(std::move(domain)) {}

void CWebLauncher::OpenWebPage(QWidget* /*owner*/, const QString& address, const QString& userId,
                               const QString& password) const {
    const QString target = address.isEmpty() ? addresses_.webServer : address;
    if (!IsWebAddress(target)) {
        return;  // links come from the service's files: nothing but a web page is opened
    }
    if (!IsBroadcasterAddress(target, domain_) || userId.isEmpty() || password.isEmpty()) {
        OpenWithDesktop(target);
        return;
    }
    OpenLoggedIn(target, userId, password);
}

// The loopback page posts the log-in form, whose return address is the wanted page itself, so the
// browser ends on that page with the log-in's cookies in place, in one tab, and nothing has to be
// opened a second time. Posted, the password stays out of every address the browser sees, and so
// out of its history. There is no window to watch for: the wait is the loopback page's lifetime,
// and it ends when the browser fetches the page (the detour is under way) or when the lifetime
// passes. Only in the second case (no browser came) is the address opened directly, without the
// log-in, as the listener still expects the page. Nothing blocks meanwhile: the page is served
// from the event loop.
void CWebLauncher::OpenLoggedIn(const QString& address, const QString& userId,
                                const QString& password) const {
    const QByteArray form = SelfSubmittingForm(
        LoginPageAddress(addresses_), LoginFormFields(userId, password, WithPath(address)));
    LoopbackPages& pages = LoopbackPages::Shared();
    const QString loopback = form.isEmpty()
                                 ? QString()
                                 : pages.Offer(LoopbackPages::HtmlPage(form), browserWaitMs_,
                                               [address] { OpenWithDesktop(address); });
    if (loopback.isEmpty() || !OpenWithDesktop(loopback)) {
        pages.Withdraw(loopback);
        OpenWithDesktop(address);
    }
}

void CWebLauncher::OpenCharacterPage(const QString& link, const QString& userId) const {
    // empty for a link that is no web page: the form would post the ID wherever it names
    const QByteArray form = CharacterFormPage(link, userId);
    if (form.isEmpty()) {
        return;
    }
    LoopbackPages& pages = LoopbackPages::Shared();
    const QString loopback = pages.Offer(LoopbackPages::HtmlPage(form), browserWaitMs_);
    if (!loopback.isEmpty() && !OpenWithDesktop(loopback)) {
        pages.Withdraw(loopback);
    }
}

bool CWebLauncher::IsBroadcasterAddress(const QString& address, const QString& domain) {
    return address.contains(domain, Qt::CaseSensitive);
}

QByteArray CWebLauncher::CharacterPostData(const QString& userId) {
    const QByteArray id = ToCp949(userId);
    return "src=" + UrlEncode("app", true) + "&ni=" + UrlEncode(id, false) +
           "&ei=" + UrlEncode(CTextScrambler::Encode(id), true);
}

// The browser encodes the form itself: it sends the same field values as CharacterPostData, but
// writes letters and digits as they are ("src=app") where the post data escapes every byte.
QByteArray CWebLauncher::CharacterFormPage(const QString& link, const QString& userId) {
    return SelfSubmittingForm(link, CharacterPostData(userId));
}

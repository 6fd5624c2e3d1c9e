#include "LoginFlow.h"

#include "FaultSwitches.h"
#include "FormFields.h"
#include "Responses.h"
#include "ServiceData.h"
#include "StationContext.h"
#include "Template.h"
#include "UserDirectory.h"
#include "WireText.h"

#include <httplib.h>

namespace {

// The site writes the display name into its cookie with every byte as %XX, letters and digits
// included, so that a reader can take the name back byte by byte.
QByteArray EscapeEveryByte(const QByteArray& bytes) {
    static const QByteArray kUnreserved =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
    return bytes.toPercentEncoding({}, kUnreserved);
}

void SetCookies(httplib::Response& response, const UserDirectory::User& user) {
    const QByteArray id = WireText::Encode(user.id).toPercentEncoding();
    response.set_header("Set-Cookie", ("RmUserid=" + id + "; path=/").toStdString());
    QByteArray info;
    if (!user.displayName.isEmpty()) {
        info = "USER%5FNAME=" + EscapeEveryByte(WireText::Encode(user.displayName)) + '&';
    }
    info += "USER%5FID=" + id + "&USER%5FLEVEL=1";
    response.set_header("Set-Cookie", ("RmUserInfo=" + info + "; path=/").toStdString());
}

// Where a redirect may send the browser back to: only the station's own sites.
bool IsOwnAddress(const StationContext& context, const QByteArray& address) {
    const QString text = QString::fromLatin1(address);
    return text.startsWith(context.addresses.web + '/') ||
           text.startsWith(context.addresses.main + '/') ||
           text.startsWith(context.addresses.sso + '/');
}

}  // namespace

void LoginFlow::InstallOnMain(httplib::Server& server) {
    using httplib::Request;
    using httplib::Response;
    // a browser posts the fields from a form, the client's own log-in sends them in the query
    const auto logIn = [this](const Request& q, Response& r) { LogIn(q, r); };
    server.Get("/subloginproc.asp", logIn);
    server.Post("/subloginproc.asp", logIn);
    server.Get("/member/loginFail.asp", [this](const Request& q, Response& r) { Failed(q, r); });
    server.Get("/member/login.asp", [this](const Request& q, Response& r) { LoginForm(q, r); });
}

void LoginFlow::InstallOnSso(httplib::Server& server) {
    server.Get("/sso/ssoLogout.jsp",
               [this](const httplib::Request& q, httplib::Response& r) { SsoLogout(q, r); });
}

void LoginFlow::LogIn(const httplib::Request& request, httplib::Response& response) const {
    const QByteArray returnUrl = FormField(request, "returnurl");
    const auto user = context_.users.Authenticate(WireText::Decode(FormField(request, "userid")),
                                                  WireText::Decode(FormField(request, "passwd")));
    if (!user || context_.faults.RejectLogins()) {
        // No cookie of any kind here: not even an expired RmUserid, since a client takes any
        // "Set-Cookie: RmUserid=" for a successful log-in.
        Responses::Redirect(response, context_.addresses.main.toLatin1() +
                                          "/member/loginFail.asp?errcode=2&returnurl=" +
                                          returnUrl.toPercentEncoding());
        return;
    }
    SetCookies(response, *user);
    Responses::Redirect(response, IsOwnAddress(context_, returnUrl)
                                      ? returnUrl
                                      : context_.addresses.main.toLatin1() + '/');
}

void LoginFlow::Failed(const httplib::Request& request, httplib::Response& response) const {
    const QByteArray returnUrl = FormField(request, "returnurl");
    Responses::Redirect(response, context_.addresses.sso.toLatin1() +
                                      "/sso/ssoLogout.jsp?returnurl=" +
                                      LoginFormAddress(returnUrl).toPercentEncoding());
}

void LoginFlow::SsoLogout(const httplib::Request& request, httplib::Response& response) const {
    const QByteArray target = FormField(request, "returnurl");
    Responses::Redirect(response, IsOwnAddress(context_, target) ? target : LoginFormAddress({}));
}

void LoginFlow::LoginForm(const httplib::Request& request, httplib::Response& response) const {
    const bool failed = !FormField(request, "errcode").isEmpty();
    const QString message = failed ? QStringLiteral(
                                         "아이디 또는 비밀번호가 일치하지 않습니다. "
                                         "다시 입력해 주세요.")
                                   : QString();
    const QString returnUrl = QString::fromLatin1(FormField(request, "returnurl"));
    Responses::Text(response,
                    FillTemplate(context_.data.Page(QStringLiteral("login")),
                                 {{"WEB", context_.addresses.web},
                                  {"MAIN", context_.addresses.main},
                                  {"SSO", context_.addresses.sso},
                                  {"RETURNURL", HtmlEscaped(returnUrl)},
                                  {"MESSAGE", message}}),
                    Responses::kHtml);
}

QByteArray LoginFlow::LoginFormAddress(const QByteArray& returnUrl) const {
    QByteArray address = context_.addresses.main.toLatin1() + "/member/login.asp?errcode=2";
    if (!returnUrl.isEmpty()) {
        address += "&returnurl=" + returnUrl.toPercentEncoding();
    }
    return address;
}

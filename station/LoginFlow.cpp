#include "LoginFlow.h"

#include "FaultSwitches.h"
#include "PercentCoding.h"
#include "Responses.h"
#include "ServiceData.h"
#include "StationContext.h"
#include "Template.h"
#include "UserDirectory.h"
#include "WireText.h"

#include <httplib.h>

namespace {

PercentCoding::Fields QueryFields(const httplib::Request& request) {
    const std::string::size_type question = request.target.find('?');
    return question == std::string::npos ? PercentCoding::Fields()
                                         : PercentCoding::ParseFields(QByteArray::fromStdString(
                                               request.target.substr(question + 1)));
}

void SetCookies(httplib::Response& response, const UserDirectory::User& user) {
    const QByteArray id = PercentCoding::EncodeQueryValue(WireText::Encode(user.id));
    response.set_header("Set-Cookie", ("RmUserid=" + id + "; path=/").toStdString());
    QByteArray info;
    if (!user.displayName.isEmpty()) {
        info = "USER%5FNAME=" + PercentCoding::EncodeEveryByte(WireText::Encode(user.displayName)) +
               '&';
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
    server.Get("/subloginproc.asp", [this](const Request& q, Response& r) { LogIn(q, r); });
    server.Get("/member/loginFail.asp", [this](const Request& q, Response& r) { Failed(q, r); });
    server.Get("/member/login.asp", [this](const Request& q, Response& r) { LoginForm(q, r); });
}

void LoginFlow::InstallOnSso(httplib::Server& server) {
    server.Get("/sso/ssoLogout.jsp",
               [this](const httplib::Request& q, httplib::Response& r) { SsoLogout(q, r); });
}

void LoginFlow::LogIn(const httplib::Request& request, httplib::Response& response) const {
    const auto fields = QueryFields(request);
    const QByteArray returnUrl = PercentCoding::Value(fields, "returnurl");
    const auto user =
        context_.users.Authenticate(WireText::Decode(PercentCoding::Value(fields, "userid")),
                                    WireText::Decode(PercentCoding::Value(fields, "passwd")));
    if (!user || context_.faults.RejectLogins()) {
        // No cookie of any kind here: not even an expired RmUserid, since a client takes any
        // "Set-Cookie: RmUserid=" for a successful log-in.
        Responses::Redirect(response, context_.addresses.main.toLatin1() +
                                          "/member/loginFail.asp?errcode=2&returnurl=" +
                                          PercentCoding::EncodeQueryValue(returnUrl));
        return;
    }
    SetCookies(response, *user);
    Responses::Redirect(response, IsOwnAddress(context_, returnUrl)
                                      ? returnUrl
                                      : context_.addresses.main.toLatin1() + '/');
}

void LoginFlow::Failed(const httplib::Request& request, httplib::Response& response) const {
    const QByteArray returnUrl = PercentCoding::Value(QueryFields(request), "returnurl");
    Responses::Redirect(response, context_.addresses.sso.toLatin1() +
                                      "/sso/ssoLogout.jsp?returnurl=" +
                                      PercentCoding::EncodeQueryValue(LoginFormAddress(returnUrl)));
}

void LoginFlow::SsoLogout(const httplib::Request& request, httplib::Response& response) const {
    const QByteArray target = PercentCoding::Value(QueryFields(request), "returnurl");
    Responses::Redirect(response, IsOwnAddress(context_, target) ? target : LoginFormAddress({}));
}

void LoginFlow::LoginForm(const httplib::Request& request, httplib::Response& response) const {
    const auto fields = QueryFields(request);
    const bool failed = !PercentCoding::Value(fields, "errcode").isEmpty();
    const QString message = failed ? QStringLiteral(
                                         "아이디 또는 비밀번호가 일치하지 않습니다. "
                                         "다시 입력해 주세요.")
                                   : QString();
    const QString returnUrl = QString::fromLatin1(PercentCoding::Value(fields, "returnurl"));
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
        address += "&returnurl=" + PercentCoding::EncodeQueryValue(returnUrl);
    }
    return address;
}

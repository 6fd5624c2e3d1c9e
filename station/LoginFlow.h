#pragma once

#include <QByteArray>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib
struct StationContext;

// The member log-in, spread over the main and the single-sign-on site as the broadcaster's is.
//
// A good log-in answers /subloginproc.asp, its fields in the query (GET) or in a url-encoded form
// body (POST), with the two cookies and a redirect to "returnurl":
//   Set-Cookie: RmUserid=<ID>; path=/
//   Set-Cookie: RmUserInfo=USER%5FNAME=<name as %XX of each byte>&USER%5FID=<ID>&USER%5FLEVEL=1
// A refused one sends the browser on a round of four pages, none of which sets RmUserid:
//   main /subloginproc.asp -> main /member/loginFail.asp -> sso /sso/ssoLogout.jsp
//   -> main /member/login.asp (the log-in form with the error), so a client that counts
//   responses without the cookie sees four of them.
class LoginFlow {
public:
    explicit LoginFlow(StationContext& context) : context_(context) {}

    void InstallOnMain(httplib::Server& server);
    void InstallOnSso(httplib::Server& server);

private:
    void LogIn(const httplib::Request& request, httplib::Response& response) const;
    void Failed(const httplib::Request& request, httplib::Response& response) const;
    void SsoLogout(const httplib::Request& request, httplib::Response& response) const;
    void LoginForm(const httplib::Request& request, httplib::Response& response) const;

    QByteArray LoginFormAddress(const QByteArray& returnUrl) const;

    StationContext& context_;
};

#pragma once

#include <QByteArray>
#include <QString>

namespace httplib {
struct Response;
}

// How the sites answer: text always in code page 949 with CR LF, labelled the way the
// service's servers label it.
namespace Responses {

inline constexpr const char* kHtml = "text/html; charset=euc-kr";
inline constexpr const char* kPlainText = "text/plain; charset=euc-kr";

void Text(httplib::Response& response, QStringView text, const char* contentType);
void Bytes(httplib::Response& response, const QByteArray& bytes, const char* contentType);
// 302 to that address, with the small page a browser shows if it does not follow.
void Redirect(httplib::Response& response, const QByteArray& location);
void NotFound(httplib::Response& response);

// The HTTP library would gzip any text/... body for a client that accepts it, which the
// service's servers never did. So answers are handed to the library under a neutral type and
// get their real Content-Type only here, after the library has decided about compression.
void FinishContentType(httplib::Response& response);

}  // namespace Responses

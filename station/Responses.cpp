#include "Responses.h"

#include "WireText.h"

#include <httplib.h>

namespace {

constexpr const char* kNeutralType = "application/octet-stream";
constexpr const char* kDeferredType = "X-Station-Content-Type";

}  // namespace

namespace Responses {

void Text(httplib::Response& response, QStringView text, const char* contentType) {
    Bytes(response, WireText::Encode(text), contentType);
}

void Bytes(httplib::Response& response, const QByteArray& bytes, const char* contentType) {
    response.set_content(bytes.constData(), static_cast<size_t>(bytes.size()), kNeutralType);
    response.headers.erase(kDeferredType);
    response.set_header(kDeferredType, contentType);
}

void FinishContentType(httplib::Response& response) {
    if (!response.has_header(kDeferredType)) {
        return;
    }
    const std::string type = response.get_header_value(kDeferredType);
    response.headers.erase(kDeferredType);
    response.headers.erase("Content-Type");
    response.set_header("Content-Type", type);
}

void Redirect(httplib::Response& response, const QByteArray& location) {
    response.status = 302;
    response.set_header("Location", location.toStdString());
    Text(response,
         QStringLiteral("<head><title>Object moved</title></head>\n<body><h1>Object Moved</h1>"
                        "This object may be found <a HREF=\"%1\">here</a>.</body>\n")
             .arg(QString::fromLatin1(location).toHtmlEscaped()),
         kHtml);
}

void NotFound(httplib::Response& response) {
    response.status = 404;
    Text(response,
         QStringLiteral("<html><head><title>페이지를 찾을 수 없습니다</title></head>\n"
                        "<body><h2>페이지를 찾을 수 없습니다.</h2>\n"
                        "<p>요청하신 페이지가 없거나 주소가 바뀌었습니다.</p></body></html>\n"),
         kHtml);
}

}  // namespace Responses

#include "web/SelfSubmittingForm.h"

#include <QUrl>

#include "platform/DesktopOpen.h"

namespace {

// Escapes byte by byte: the bytes above ASCII are Korean code page text and stay as they are.
QByteArray HtmlEscaped(const QByteArray& bytes) {
    return QString::fromLatin1(bytes).toHtmlEscaped().toLatin1();
}

QByteArray HiddenField(const QByteArray& pair) {
    const qsizetype equals = pair.indexOf('=');
    return "<input type=\"hidden\" name=\"" + HtmlEscaped(pair.left(equals)) + "\" value=\"" +
           HtmlEscaped(QByteArray::fromPercentEncoding(pair.mid(equals + 1))) + "\">";
}

}  // namespace

// The page is in the Korean code page, so the browser reads the values' bytes as the characters
// they stand for and, encoding the form in the page's code page, posts the same bytes back. The
// action is written fully percent-encoded, plain ASCII whatever the page's code page.
QByteArray SelfSubmittingForm(const QString& action, const QByteArray& postData) {
    if (!IsWebAddress(action)) {
        return {};
    }
    const QUrl url(action);
    QByteArray fields;
    for (const QByteArray& pair : postData.split('&')) {
        fields += HiddenField(pair);
    }
    return "<!DOCTYPE html><html><head><meta charset=\"euc-kr\"><title></title></head>"
           "<body onload=\"document.forms[0].submit()\"><form method=\"post\" "
           "enctype=\"application/x-www-form-urlencoded\" action=\"" +
           HtmlEscaped(url.toEncoded()) + "\">" + fields + "</form></body></html>";
}

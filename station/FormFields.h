#pragma once

#include <QByteArray>

#include <httplib.h>

// A field of the query string or of a url-encoded form body, as cpp-httplib has decoded it:
// %XX escapes undone and '+' read as a blank, the way a classic web server reads forms. The value
// stays raw bytes (code page 949 for Korean text); it is empty when the field is missing. When
// a name comes twice, the first one counts, and the query comes before the body.
inline QByteArray FormField(const httplib::Request& request, const char* name) {
    return QByteArray::fromStdString(request.get_param_value(name));
}

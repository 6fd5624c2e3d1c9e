#include "Template.h"

QString FillTemplate(QString text, const Substitutions& substitutions) {
    for (const auto& [name, value] : substitutions) {
        text.replace(QLatin1Char('{') + name + QLatin1Char('}'), value);
    }
    return text;
}

QString HtmlEscaped(const QString& text) {
    return text.toHtmlEscaped().replace('\'', "&#39;");
}

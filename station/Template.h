#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Data files and pages carry placeholders such as {WEB} or {TITLE}; the station fills them in
// when it answers, so the same data works on any address and port.
using Substitutions = QList<QPair<QString, QString>>;

QString FillTemplate(QString text, const Substitutions& substitutions);
// Text placed into an HTML page: the five characters HTML gives a meaning to, escaped.
QString HtmlEscaped(const QString& text);

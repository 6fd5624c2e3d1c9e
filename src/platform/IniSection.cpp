#include "platform/IniSection.h"

#include <QList>

namespace {

struct Line {
    QString sectionName;  // set on a "[Section]" line
    QString key;          // set on a "key=value" line
    QString value;
};

Line ParseLine(const QString& raw) {
    const QString text = raw.trimmed();
    Line line;
    if (text.isEmpty() || text.startsWith(u';') || text.startsWith(u'#')) {
        return line;
    }
    if (text.startsWith(u'[') && text.endsWith(u']')) {
        line.sectionName = text.mid(1, text.size() - 2).trimmed();
        return line;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals > 0) {
        line.key = text.left(equals).trimmed();
        line.value = text.mid(equals + 1).trimmed();
        if (line.value.size() >= 2 && line.value.startsWith(u'"') && line.value.endsWith(u'"')) {
            line.value = line.value.mid(1, line.value.size() - 2);
        }
    }
    return line;
}

QString QuotedWhenNeeded(const QString& value) {
    const bool needsQuotes = value != value.trimmed() || value.startsWith(u'"');
    return needsQuotes ? u'"' + value + u'"' : value;
}

// The raw bytes of every line. "\r\n", "\n" and a lone "\r" all end a line: a file saved with
// old Mac line ends is still read line by line, not as one long line whose keys nobody finds.
// Lines stay bytes, so a line that is not UTF-8 is written back exactly as it was read.
QList<QByteArray> SplitLines(const QByteArray& text) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines << text.mid(start, i - start);
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines << text.mid(start);
    }
    return lines;
}

Line ParseLine(const QByteArray& raw) {
    return ParseLine(QString::fromUtf8(raw));
}

}  // namespace

namespace IniSection {

bool Find(const QByteArray& text, const QString& section, const QString& key, QString& value) {
    bool inSection = false;
    for (const QByteArray& raw : SplitLines(text)) {
        const Line line = ParseLine(raw);
        if (!line.sectionName.isEmpty()) {
            inSection = line.sectionName == section;
        } else if (inSection && line.key == key) {
            value = line.value;
            return true;
        }
    }
    return false;
}

QByteArray Replace(const QByteArray& text, const QString& section, const QString& key,
                   const QString& value) {
    QString cleanValue = value;
    cleanValue.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString entry = key + u'=' + QuotedWhenNeeded(cleanValue);

    QList<QByteArray> lines = SplitLines(text);
    bool inSection = false;
    qsizetype endOfSection = -1;  // the line after the section's last entry
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line line = ParseLine(lines[i]);
        if (!line.sectionName.isEmpty()) {
            inSection = line.sectionName == section;
            if (inSection) {
                endOfSection = i + 1;
            }
        } else if (inSection && line.key == key) {
            lines[i] = entry.toUtf8();
            return lines.join('\n') + '\n';
        } else if (inSection && !lines[i].trimmed().isEmpty()) {
            endOfSection = i + 1;
        }
    }
    if (endOfSection < 0) {
        lines << QStringLiteral("[%1]").arg(section).toUtf8();
        endOfSection = lines.size();
    }
    lines.insert(endOfSection, entry.toUtf8());
    return lines.join('\n') + '\n';
}

QByteArray Remove(const QByteArray& text, const QString& section, const QString& key) {
    QList<QByteArray> kept;
    bool inSection = false;
    bool removed = false;
    for (const QByteArray& raw : SplitLines(text)) {
        const Line line = ParseLine(raw);
        if (!line.sectionName.isEmpty()) {
            inSection = line.sectionName == section;
        } else if (inSection && line.key == key) {
            removed = true;
            continue;
        }
        kept << raw;
    }
    // every other line goes back byte for byte
    return removed ? kept.join('\n') + '\n' : text;
}

}  // namespace IniSection

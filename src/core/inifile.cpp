#include "inifile.h"

#include <QList>
#include <QStringDecoder>

namespace inifile {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QString trimmedUtf8(const QByteArray& bytes) {
    return QString::fromUtf8(bytes).trimmed();
}
} // namespace

QString decodeName(const QString& name) {
    QString out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == u'\\') {
            out += u'/';
            continue;
        }
        if (c != u'%' || i + 1 >= name.size()) {
            out += c;
            continue;
        }
        qsizetype first = i + 1;
        int digits = 2;
        if (name[first] == u'U') {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const uint code = first + digits <= name.size() ? name.mid(first, digits).toUInt(&ok, 16) : 0;
        if (!ok) {
            out += c;
            continue;
        }
        out += QChar(char16_t(code));
        i = first + digits - 1;
    }
    return out;
}

QString unescapeRaw(const QString& raw) {
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (c != u'\\' || i + 1 >= raw.size()) {
            out += c;
            continue;
        }
        const QChar e = raw[++i];
        switch (e.unicode()) {
        case 'a':
            out += u'\a';
            break;
        case 'b':
            out += u'\b';
            break;
        case 'f':
            out += u'\f';
            break;
        case 'n':
            out += u'\n';
            break;
        case 'r':
            out += u'\r';
            break;
        case 't':
            out += u'\t';
            break;
        case 'v':
            out += u'\v';
            break;
        case '0':
            out += QChar(u'\0');
            break;
        default:
            out += e;
            break;
        }
    }
    return out;
}

Scan scan(const QByteArray& data) {
    Scan result;
    result.repaired.reserve(data.size() + 16);

    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(data);
    if (utf8.hasError() || data.contains('\0'))
        result.damaged = true;

    QString section;
    qsizetype pos = 0;
    while (pos < data.size()) {
        // One logical line: physical lines joined while a backslash escapes the line end.
        qsizetype end = pos;
        bool quoted = false;
        bool comment = false;
        qsizetype equals = -1;
        qsizetype valueEnd = -1;
        qsizetype first = pos;
        while (first < data.size() && isBlank(data[first]))
            ++first;
        const bool commentLine = first < data.size() && data[first] == ';';
        for (; end < data.size() && data[end] != '\n' && data[end] != '\r'; ++end) {
            const char c = data[end];
            if (comment || commentLine)
                continue;
            if (c == '\\' && end + 1 < data.size()) {
                ++end; // an escaped character, also an escaped line end ("\r\n" as one)
                if (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n')
                    ++end;
                continue;
            }
            if (c == '"') {
                quoted = !quoted;
            } else if (c == '=' && !quoted && equals < 0) {
                equals = end;
            } else if (c == ';' && !quoted) {
                comment = true; // the rest of the line is a comment
                valueEnd = end;
            }
        }
        if (valueEnd < 0)
            valueEnd = end;
        result.repaired += data.mid(pos, end - pos);
        if (quoted) {
            result.damaged = true;
            result.repaired += '"';
        }
        if (end < data.size())
            result.repaired += data[end]; // the line end as it was

        const QByteArray trimmed = data.mid(pos, end - pos).trimmed();
        if (!commentLine && trimmed.startsWith('[')) {
            const qsizetype close = trimmed.indexOf(']');
            if (close < 0)
                result.damaged = true;
            section = decodeName(trimmedUtf8(close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)));
            if (section.compare(u"General", Qt::CaseInsensitive) == 0)
                section.clear(); // the parser's name for keys outside every section
        } else if (!commentLine && equals >= 0) {
            const QString key = decodeName(trimmedUtf8(data.mid(pos, equals - pos)));
            QString value = trimmedUtf8(data.mid(equals + 1, valueEnd - equals - 1));
            result.raw.insert({section, key}, value);
        }
        pos = end + 1;
    }
    return result;
}

} // namespace inifile

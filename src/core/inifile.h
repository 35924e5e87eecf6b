#pragma once

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QString>

// A light look at an INI file as the store's parser sees it, for what that parser neither reports nor
// keeps: lines it would run together, and the raw text of values it turns into lists.
namespace inifile {

struct Scan {
    // The bytes with every quote left open at the end of a line closed there, so that one stray quote
    // does not swallow the rest of the file.
    QByteArray repaired;
    // Something the parser would misread or drop: a quote left open, a section header without "]",
    // bytes that are not UTF-8, NUL bytes.
    bool damaged = false;
    // The value text of every key as it stands in the file, after "=", blanks around it removed.
    QHash<QPair<QString, QString>, QString> raw;
};

Scan scan(const QByteArray& data);

// A raw value read as one text: quotes dropped, backslash escapes resolved, commas kept.
QString unescapeRaw(const QString& raw);

// A section or key name as the parser decodes it ("Paplet%201" -> "Paplet 1").
QString decodeName(const QString& name);

} // namespace inifile

#pragma once

// The stored-code file the library benchmarks share: 100 000 snippets of two to six code lines,
// about 10 MB, titled "Snippet 000001" onwards.

#include "storedcode.h"

#include <QByteArray>
#include <QString>

namespace BenchLibrary {

constexpr int snippetCount = 100000;

inline QString title(int i)
{
    return QStringLiteral("Snippet %1").arg(i, 6, 10, QLatin1Char('0'));
}

inline QByteArray buildFile()
{
    QByteArray bytes;
    for (int i = 1; i <= snippetCount; ++i) {
        QString list;
        for (int line = 0; line < 2 + i % 5; ++line)
            list += QStringLiteral("x%1 = Mid(s, %2, 3)|").arg(line).arg(i);
        bytes += StoredCode::entry(title(i), list) + "\r\n";
    }
    return bytes;
}

} // namespace BenchLibrary

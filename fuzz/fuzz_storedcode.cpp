// Fuzzes the stored-code file reader. Whatever the bytes, listing the titles and looking a
// snippet up must not crash; a snippet stored after them reads back exactly under its title.
#include "storedcode.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList titles = StoredCode::titles(bytes);
    for (const QString &t : titles.mid(0, 4))
        StoredCode::listToLines(StoredCode::snippet(bytes, t));

    // The first line of the input, made a plain title, and the rest as code.
    const qsizetype cut = bytes.indexOf('\n');
    if (cut < 0)
        return 0;
    QString title = QString::fromLatin1(bytes.left(cut));
    title.remove(QLatin1Char('*')).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    const QString code = QString::fromLatin1(bytes.mid(cut + 1));
    const QString list = StoredCode::codeToList(code);
    QByteArray file = bytes;
    if (!file.isEmpty() && !file.endsWith('\n') && !file.endsWith('\r'))
        file += "\r\n";
    const QByteArray line = StoredCode::entry(title, list);
    file += line + "\r\n";
    require(StoredCode::titles(file).constLast() ==
            QString::fromLocal8Bit(line.left(line.indexOf('*'))));
    require(StoredCode::snippet(file, StoredCode::titles(file).constLast()) ==
            QString::fromLocal8Bit(line.mid(line.indexOf('*') + 1)));
    return 0;
}

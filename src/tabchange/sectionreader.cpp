#include "sectionreader.h"

#include "textfile.h"

namespace SectionReader {

namespace {

const QString formSeparator = QStringLiteral("                 -");
const QString endEntryText = QStringLiteral("°°°°°                  -");
const QString objectSeparator = QStringLiteral("                                        -");

// A name is shown in a list entry and a label a few dozen characters wide. Laying out a huge
// one (a line of megabytes) would freeze the window, so what lies far out of view is left out.
constexpr qsizetype shownNameLength = 1000;

QString shownName(const QByteArray &name)
{
    // Decoding a few bytes more than needed keeps the last shown character whole.
    return QString::fromLocal8Bit(name.left(shownNameLength * 4)).left(shownNameLength);
}

bool isFormLine(const QByteArray &line)
{
    return line.startsWith("DIM Form") || line.startsWith("Dim Form");
}

bool isSetLine(const QByteArray &line)
{
    return line.contains(" SET") || line.contains(" Set");
}

// Position of the dash that precedes the index; a negative index shows as a second dash.
qsizetype indexDash(const QString &entry)
{
    qsizetype dash = entry.lastIndexOf(QLatin1Char('-'));
    if (dash > 0 && entry.at(dash - 1) == QLatin1Char('-'))
        --dash;
    return dash;
}

} // namespace

Result<Section> find(const QList<QByteArray> &fileLines)
{
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        if (fileLines.at(i).contains("Begin Gen"))
            return Section{int(i), fileLines.mid(i), {}};
    }
    return Result<Section>::failure(QString::fromLatin1(notGeneratedMessage));
}

Result<Section> parse(const QByteArray &file)
{
    Result<Section> section = find(TextFile::splitLines(file));
    if (section)
        section.value().bytes = file.sliced(TextFile::lineOffset(file, section.value().genStart));
    return section;
}

QList<QByteArray> lineViews(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    const char *data = bytes.constData();
    TextFile::forEachLine(bytes, [&](qsizetype start, qsizetype end) {
        lines.append(QByteArray::fromRawData(data + start, end - start));
    });
    return lines;
}

QString unreadableMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot read the program file ") + path + QStringLiteral("\r\n") + reason;
}

Result<Section> read(const QString &path)
{
    const Result<QByteArray> file = TextFile::readBytes(path);
    if (!file)
        return Result<Section>::failure(unreadableMessage(path, file.message()));
    return parse(file.value());
}

QStringList formTable(const QList<QByteArray> &section)
{
    QStringList table;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QByteArray &line = section.at(i);
        if (isFormLine(line)) {
            const QByteArray name = line.mid(line.indexOf(' ') + 1);
            table.append(QString::fromLocal8Bit(name) + formSeparator + QString::number(i));
        }
        if (line.contains("End Generated"))
            table.append(endEntryText + QString::number(i));
    }
    return table;
}

Range formRange(const QStringList &table, int k, int lastIndex)
{
    if (k < 0 || k >= table.size())
        return {};
    const int start = entryIndex(table.at(k));
    const int end = k + 1 < table.size() ? entryIndex(table.at(k + 1)) : lastIndex;
    return {start, end};
}

Objects listObjects(const QList<QByteArray> &section, int rangeStart, int rangeEnd)
{
    Objects objects;
    const QList<int> lines = objectLines(section, rangeStart, rangeEnd);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        objects.positions.append(QString::number(k + 1));
        objects.entries.append(objectEntry(section.at(lines.at(k)), lines.at(k), int(k) + 1));
    }
    return objects;
}

QList<int> objectLines(const QList<QByteArray> &section, int rangeStart, int rangeEnd)
{
    QList<int> lines;
    const int last = qMin(rangeEnd, int(section.size()) - 1);
    for (int i = qMax(rangeStart, 0); i <= last; ++i) {
        if (isSetLine(section.at(i)))
            lines.append(i);
    }
    return lines;
}

QString objectEntry(const QByteArray &setLine, int index, int ordinal)
{
    const QByteArray name = setLine.mid(setLine.indexOf('=') + 1);
    return QString::number(ordinal) + QLatin1Char(' ') + shownName(name) + objectSeparator +
           QString::number(index - 1);
}

int entryIndex(const QString &entry)
{
    const qsizetype dash = indexDash(entry);
    if (dash < 0)
        return -1;
    bool ok = false;
    const int index = entry.mid(dash + 1).toInt(&ok);
    return ok ? index : -1;
}

QString entryOrdinal(const QString &entry)
{
    return entry.left(entry.indexOf(QLatin1Char(' ')));
}

QString entryName(const QString &entry)
{
    const qsizetype blank = entry.indexOf(QLatin1Char(' '));
    const qsizetype dash = indexDash(entry);
    if (blank < 0 || dash < blank)
        return {};
    QString name = entry.mid(blank, dash - blank);
    qsizetype lead = 0;
    while (lead < name.size() && name.at(lead) == QLatin1Char(' '))
        ++lead;
    return name.mid(lead);
}

} // namespace SectionReader

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

// The statement's first word is SET or Set, written with a blank before it: « Set Ctl(1) = A»,
// «\t  SET Ctl(2) = B». The same word later in a line (« Set» inside a string, after code) is
// not a SET line.
bool isSetLine(const QByteArray &line)
{
    qsizetype word = 0;
    while (word < line.size() && (line.at(word) == ' ' || line.at(word) == '\t'))
        ++word;
    if (word == 0 || line.at(word - 1) != ' ')
        return false;
    const QByteArrayView rest = QByteArrayView(line).sliced(word);
    if (!rest.startsWith("SET") && !rest.startsWith("Set"))
        return false;
    return rest.size() == 3 || rest.at(3) == ' ' || rest.at(3) == '\t';
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

Result<Section> locate(const QByteArray &file)
{
    int line = 0;
    int genStart = -1;
    qsizetype offset = -1;
    TextFile::forEachLine(file, [&](qsizetype start, qsizetype end) {
        if (genStart < 0 &&
            QByteArrayView(file.constData() + start, end - start).indexOf("Begin Gen") >= 0) {
            genStart = line;
            offset = start;
        }
        ++line;
    });
    if (genStart < 0)
        return Result<Section>::failure(QString::fromLatin1(notGeneratedMessage));
    return Section{genStart, {}, file.sliced(offset)};
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

Failure unreadable(const QString &path, const QString &reason)
{
    return {Failure::Reason::Unreadable, unreadableMessage(path, reason)};
}

Failure notGenerated()
{
    return {Failure::Reason::NotGenerated, QString::fromLatin1(notGeneratedMessage)};
}

Result<Section> read(const QString &path)
{
    const Result<QByteArray> file = TextFile::readBytes(path);
    if (!file)
        return Result<Section>::failure(unreadableMessage(path, file.message()));
    return parse(file.value());
}

QList<Form> forms(const QList<QByteArray> &section)
{
    QList<Form> table;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QByteArray &line = section.at(i);
        if (isFormLine(line)) {
            const QByteArray name = line.mid(line.indexOf(' ') + 1);
            table.append({QString::fromLocal8Bit(name), int(i), false});
        }
        if (line.contains("End Generated"))
            table.append({QString(), int(i), true});
    }
    return table;
}

QString formText(const Form &form)
{
    return (form.isEnd ? endEntryText : form.name + formSeparator) +
           QString::number(form.startLine);
}

QStringList formTable(const QList<QByteArray> &section)
{
    QStringList table;
    for (const Form &form : forms(section))
        table.append(formText(form));
    return table;
}

Range formRange(const QList<Form> &table, int k, int lastIndex)
{
    if (k < 0 || k >= table.size())
        return {};
    const int start = table.at(k).startLine;
    const int end = k + 1 < table.size() ? table.at(k + 1).startLine : lastIndex;
    return {start, end};
}

QList<Object> objects(const QList<QByteArray> &section, int rangeStart, int rangeEnd)
{
    QList<Object> rows;
    const QList<int> lines = objectLines(section, rangeStart, rangeEnd);
    rows.reserve(lines.size());
    for (qsizetype k = 0; k < lines.size(); ++k)
        rows.append(object(section.at(lines.at(k)), lines.at(k), int(k) + 1));
    return rows;
}

Object object(const QByteArray &setLine, int setIndex, int ordinal)
{
    return {ordinal, shownName(setLine.mid(setLine.indexOf('=') + 1)), setIndex - 1};
}

QString objectText(const Object &object)
{
    return QString::number(object.ordinal) + QLatin1Char(' ') + object.name + objectSeparator +
           QString::number(object.block);
}

Objects listObjects(const QList<QByteArray> &section, int rangeStart, int rangeEnd)
{
    Objects listed;
    for (const Object &row : objects(section, rangeStart, rangeEnd)) {
        listed.positions.append(QString::number(row.ordinal));
        listed.entries.append(objectText(row));
    }
    return listed;
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

QList<int> objectBlocks(const QList<QByteArray> &section, int rangeStart, int rangeEnd)
{
    QList<int> blocks = objectLines(section, rangeStart, rangeEnd);
    for (int &line : blocks)
        --line;
    return blocks;
}

} // namespace SectionReader

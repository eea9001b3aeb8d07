#include "formplace.h"

#include "sectionreader.h"
#include "tabexchange.h"

namespace FormPlace {

namespace {

// Reads the parts of one opening line from left to right.
class Scanner
{
public:
    explicit Scanner(const QByteArray &line) : m_line(line) {}

    void skipBlanks()
    {
        while (m_pos < m_line.size() && (m_line.at(m_pos) == ' ' || m_line.at(m_pos) == '\t'))
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_line.size(); }

    // A word in any letter case.
    bool keyword(const char *word)
    {
        const qsizetype length = qstrlen(word);
        if (m_line.size() - m_pos < length ||
            qstrnicmp(m_line.constData() + m_pos, word, size_t(length)) != 0)
            return false;
        m_pos += length;
        return true;
    }

    bool comma()
    {
        skipBlanks();
        if (atEnd() || m_line.at(m_pos) != ',')
            return false;
        ++m_pos;
        skipBlanks();
        return true;
    }

    // A text between double quotes; null when there is none.
    QByteArray quoted()
    {
        if (atEnd() || m_line.at(m_pos) != '"')
            return {};
        const qsizetype close = m_line.indexOf('"', m_pos + 1);
        if (close < 0)
            return {};
        const QByteArray text = m_line.mid(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
        return text.isNull() ? QByteArray("") : text;
    }

    // An optional minus sign and one to six digits.
    bool number(int &value)
    {
        qsizetype end = m_pos;
        if (end < m_line.size() && m_line.at(end) == '-')
            ++end;
        const qsizetype digits = end;
        while (end < m_line.size() && end - digits < 7 && m_line.at(end) >= '0' &&
               m_line.at(end) <= '9')
            ++end;
        if (end == digits || end - digits > 6)
            return false;
        value = m_line.mid(m_pos, end - m_pos).toInt();
        m_pos = end;
        return true;
    }

private:
    const QByteArray &m_line;
    qsizetype m_pos = 0;
};

} // namespace

Opening parse(const QByteArray &line)
{
    Opening opening;
    Scanner s(line);
    s.skipBlanks();
    if (!s.keyword("AddObject"))
        return opening;
    s.skipBlanks();
    const QByteArray kind = s.quoted();
    if (kind.isNull())
        return opening;
    opening.kind = QString::fromLocal8Bit(kind);
    int n[4] = {};
    if (!s.comma() || s.quoted().isNull())
        return opening;
    for (int &value : n) {
        if (!s.comma() || !s.number(value))
            return opening;
    }
    s.skipBlanks();
    if (!s.atEnd() || n[2] <= 0 || n[3] <= 0)
        return opening;
    opening.placed = true;
    opening.place = QRect(n[0], n[1], n[2], n[3]);
    return opening;
}

QString shownName(QByteArrayView nameBytes)
{
    qsizetype lead = 0;
    while (lead < nameBytes.size() && nameBytes.at(lead) == ' ')
        ++lead;
    const QByteArrayView rest = nameBytes.sliced(lead);
    // A character takes at most four bytes in any code page: decode no more than needed.
    const qsizetype most = 4 * (shownNameLength + 1);
    QString name = QString::fromLocal8Bit(rest.first(qMin(rest.size(), most)));
    if (name.size() <= shownNameLength && rest.size() <= most)
        return name;
    qsizetype cut = shownNameLength - 1;
    if (name.at(cut - 1).isHighSurrogate())
        --cut;
    return name.left(cut) + QChar(0x2026);
}

QPoint gridCell(int index, int rows)
{
    const int height = qMax(1, rows);
    return {index / height, index % height};
}

QList<Object> objects(const QList<QByteArray> &section, int rangeStart, int rangeEnd)
{
    QList<Object> out;
    for (const int start : SectionReader::objectBlocks(section, rangeStart, rangeEnd)) {
        const QByteArray opening = start >= 0 ? section.at(start) : QByteArray();
        out.append({shownName(TabExchange::nameText(section.at(start + 1))), parse(opening)});
    }
    return out;
}

} // namespace FormPlace

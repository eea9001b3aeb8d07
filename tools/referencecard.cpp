// Renders the reference card, Tools/ReferenceCard.pdf, from the very tables that the
// Keyword/ErrorCode mode shows, so the card and the program cannot disagree.
// Usage: brindle_refcard OUTPUT.pdf   (first the constant tables and the message-box constants,
// one constant a line with its value and meaning; then the run-time error codes, one per line).
#include "referencetables.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>

namespace {

struct Section
{
    QString heading;
    QStringList lines;
};

// An error entry with its code right-aligned in a fixed field: " 5 Invalid procedure call"
// gives "    5 Invalid procedure call".
QString alignedError(const QString &entry)
{
    const QString trimmed = entry.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return trimmed;
    return trimmed.left(blank).rightJustified(5) % trimmed.mid(blank);
}

class Card
{
public:
    explicit Card(QPdfWriter &writer) : m_writer(writer), m_painter(&writer)
    {
        m_page = m_painter.viewport();
        m_headingFont.setBold(true);
        m_headingFont.setPointSizeF(10.5);
        m_entryFont.setPointSizeF(9);
        m_monoFont.setStyleHint(QFont::Monospace);
        m_monoFont.setPointSizeF(9);
    }

    bool isActive() const { return m_painter.isActive(); }

    // Starts a page with the title and a subtitle.
    void beginPage(const QString &subtitle, int columns)
    {
        if (m_pageNumber++ > 0)
            m_writer.newPage();
        QFont title = m_headingFont;
        title.setPointSizeF(16);
        m_painter.setFont(title);
        const QFontMetricsF titleMetrics(title, &m_writer);
        qreal y = titleMetrics.ascent();
        m_painter.drawText(QPointF(0, y), QStringLiteral("Brindle reference card"));
        m_painter.setFont(m_entryFont);
        const QFontMetricsF entry(m_entryFont, &m_writer);
        y += titleMetrics.descent() + entry.ascent();
        m_painter.drawText(QPointF(0, y), subtitle);
        y += entry.descent() + entry.height();
        m_painter.drawLine(QPointF(0, y), QPointF(m_page.width(), y));
        m_top = y + entry.height();
        m_columns = columns;
        m_column = 0;
        m_y = m_top;
    }

    // Places the sections in balanced columns: a section goes to the next column once the
    // current one holds its share of the total, or when it does not fit the rest of the page.
    // A section longer than a column continues in the next one (or on a new page).
    void addSections(const QList<Section> &sections, bool monospace, const QString &subtitle)
    {
        const QFont &font = monospace ? m_monoFont : m_entryFont;
        const QFontMetricsF headingMetrics(m_headingFont, &m_writer);
        const QFontMetricsF lineMetrics(font, &m_writer);
        const qreal headingHeight = headingMetrics.height() * 1.3;
        auto heightOf = [&](const Section &section) {
            return headingHeight + lineMetrics.height() * qreal(section.lines.size() + 1);
        };
        qreal total = 0;
        for (const Section &section : sections)
            total += heightOf(section);
        const qreal share = total / m_columns;
        auto nextColumn = [&] {
            if (++m_column == m_columns)
                beginPage(subtitle, m_columns);
            m_y = m_top;
        };
        for (const Section &section : sections) {
            const qreal used = m_y - m_top;
            if (used > 0 && (used + heightOf(section) / 2 > share ||
                             m_y + headingHeight + lineMetrics.height() > m_page.height()))
                nextColumn();
            m_painter.setFont(m_headingFont);
            m_painter.drawText(QPointF(columnX(), m_y + headingMetrics.ascent()), section.heading);
            m_y += headingHeight;
            m_painter.setFont(font);
            for (const QString &line : section.lines) {
                if (m_y + lineMetrics.height() > m_page.height()) {
                    nextColumn();
                    m_painter.setFont(font);
                }
                m_painter.drawText(QPointF(columnX(), m_y + lineMetrics.ascent()), line);
                m_y += lineMetrics.height();
            }
            m_y += lineMetrics.height();
        }
    }

    bool finish() { return m_painter.end(); }

private:
    qreal columnX() const { return m_column * m_page.width() / m_columns; }

    QPdfWriter &m_writer;
    QPainter m_painter;
    QRectF m_page;
    QFont m_headingFont{QStringLiteral("Liberation Sans")};
    QFont m_entryFont{QStringLiteral("Liberation Sans")};
    QFont m_monoFont{QStringLiteral("Liberation Mono")};
    int m_pageNumber = 0;
    int m_columns = 1;
    int m_column = 0;
    qreal m_top = 0;
    qreal m_y = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brindle_refcard OUTPUT.pdf\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    // Written beside the target and renamed at the end, so a failed run leaves no broken card.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    QPdfWriter writer(&file);
    writer.setTitle(QStringLiteral("Brindle reference card"));
    writer.setCreator(QStringLiteral("Brindle"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    Card card(writer);
    if (!card.isActive()) {
        std::fprintf(stderr, "cannot paint on %s\n", argv[1]);
        return 1;
    }

    const QString constants = QStringLiteral("Named constants with their values and meanings, "
                                             "as shown in the Keyword/ErrorCode mode");
    // One constant a line: "vbRed = 255 (&HFF): red, as a colour value".
    const auto described = [](const QStringList &names) {
        QStringList lines;
        for (const QString &name : names)
            lines.append(ReferenceTables::describe(name));
        return lines;
    };
    QList<Section> constantTables;
    for (int position = 0; position < ReferenceTables::errorCodesPosition; ++position)
        constantTables.append(
            {ReferenceTables::heading(position), described(ReferenceTables::entries(position))});
    constantTables.append(
        {ReferenceTables::messageBoxHeading(), described(ReferenceTables::messageBoxEntries())});
    card.beginPage(constants, 1);
    card.addSections(constantTables, false, constants);

    const QString errors = QStringLiteral("Run-time error codes and their messages");
    card.beginPage(errors, 1);
    QStringList errorLines;
    for (const QString &entry : ReferenceTables::entries(ReferenceTables::errorCodesPosition))
        errorLines.append(alignedError(entry));
    card.addSections({{ReferenceTables::heading(ReferenceTables::errorCodesPosition), errorLines}},
                     true, errors);

    if (!card.finish() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}

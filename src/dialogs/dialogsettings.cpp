#include "dialogsettings.h"

namespace DialogOptions {

QStringList buttonSetEntries()
{
    return {QStringLiteral("OK only"),
            QStringLiteral("Ok Cancel"),
            QStringLiteral("Abort Retry Ignore"),
            QStringLiteral("Yes No Cancel"),
            QStringLiteral("Yes No"),
            QStringLiteral("Retry Cancel")};
}

QStringList defaultButtonEntries()
{
    return {QStringLiteral("First Butt."), QStringLiteral("Second Butt."),
            QStringLiteral("Third Butt."), QStringLiteral("Fourth Butt.")};
}

QStringList iconEntries()
{
    return {QStringLiteral("Critical icon"), QStringLiteral("Query icon"),
            QStringLiteral("Warning icon"), QStringLiteral("Inform. icon")};
}

std::array<QString, 7> answerTestLines()
{
    static const char *const names[] = {"OK", "CANCEL", "ABORT", "RETRY", "IGNORE", "YES", "NO"};
    std::array<QString, 7> lines;
    for (int i = 0; i < 7; ++i)
        lines.at(i) = QStringLiteral("If Ris = ") % QString::number(i + 1) %
                      QStringLiteral(" then : End if  '(") % QLatin1String(names[i]) %
                      QStringLiteral(" code here)\r\n");
    return lines;
}

void pickButtonSet(DialogSettings &settings, int index)
{
    // Answer codes tested for each button set, in the order of their lines; 0 leaves a line empty.
    static const int tests[6][3] = {{0, 0, 0}, {1, 2, 0}, {3, 4, 5},
                                    {6, 7, 2}, {6, 7, 0}, {4, 2, 0}};
    if (index < 0 || index > 5)
        return;
    settings.BtnValue = index;
    for (int k = 0; k < 3; ++k) {
        const int answer = tests[index][k];
        settings.codeLine(3 + k) = answer ? settings.risLine(answer) : QString();
    }
}

void pickDefaultButton(DialogSettings &settings, int index)
{
    if (index >= 0 && index <= 3)
        settings.DefBtnValue = index * 256;
}

void pickIcon(DialogSettings &settings, int index)
{
    if (index >= 0 && index <= 3)
        settings.IconValue = (index + 1) * 16;
}

int modalValue(bool ticked)
{
    return ticked ? 4096 : 0;
}

void clearCodeLines(DialogSettings &settings)
{
    for (QString &line : settings.CodeLine)
        line.clear();
}

} // namespace DialogOptions

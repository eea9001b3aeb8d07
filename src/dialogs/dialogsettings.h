#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The choices of the dialog panel: one record per window, alive for the whole run.
// A flag that no list entry has set yet is unset: written into code as nothing, counted
// as 0 in the preview. Example: after picking "Yes No" BtnValue is 4, code line 3 reads
// "If Ris = 6 then : End if  '(YES code here)" CR LF and code line 5 is empty.
struct DialogSettings
{
    int MsgKind = 2; // 1 Simple Msg, 2 Msg Box, 3 Input Box
    std::optional<int> BtnValue;
    std::optional<int> DefBtnValue;
    std::optional<int> IconValue;
    int ModalValue = 0;
    std::array<QString, 7> RisLine;
    std::array<QString, 5> CodeLine;
    QString MsgText;

    // Numbered from 1, as the answers and code lines are counted.
    QString &risLine(int n) { return RisLine.at(n - 1); }
    const QString &risLine(int n) const { return RisLine.at(n - 1); }
    QString &codeLine(int n) { return CodeLine.at(n - 1); }
    const QString &codeLine(int n) const { return CodeLine.at(n - 1); }
};

// The fixed entries of the three lists and what picking one of them stores.
namespace DialogOptions {

QStringList buttonSetEntries();
QStringList defaultButtonEntries();
QStringList iconEntries();

// The seven answer-test lines, one per answer code 1 (OK) to 7 (NO), each ended by CR LF.
std::array<QString, 7> answerTestLines();

// Button set picked at list index 0..5: the flag and the answer tests of code lines 3 to 5.
// "OK only" has no answer to test, so it empties them. Other indexes change nothing.
void pickButtonSet(DialogSettings &settings, int index);
// Default button picked at index 0..3: 0, 256, 512 or 768.
void pickDefaultButton(DialogSettings &settings, int index);
// Icon picked at index 0..3: 16, 32, 48 or 64.
void pickIcon(DialogSettings &settings, int index);
// 4096 when the modal box is ticked, else 0.
int modalValue(bool ticked);
// Empties the five code lines.
void clearCodeLines(DialogSettings &settings);

} // namespace DialogOptions

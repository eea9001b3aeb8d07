#pragma once

#include "outcome.h"

#include <QString>
#include <QStringList>

#include <optional>

// brindle msgbox and brindle inputbox: the code of a message box, a plain message or an input
// box, as the Msg-Input Box mode generates it; no dialog is shown.
//   msgbox --buttons yes-no --text Sure? prints "Dim Ris" CR LF "Ris = msgbox (\"Sure?\",4+++0,
//   \"\")" CR LF and the two answer tests of YES and NO.
namespace DialogCommand {

struct Request
{
    int kind = 2;                     // 1 Simple Msg, 2 Msg Box, 3 Input Box
    std::optional<int> buttonSet;     // list index 0..5
    std::optional<int> defaultButton; // list index 0..3
    std::optional<int> icon;          // list index 0..3
    bool modal = false;
    QString title;
    QString text; // CR LF between lines
    QString defaultAnswer;
    bool dialogX = false;
};

// The command-line names of the button sets and icons, in the order of the panel's lists.
QStringList buttonSetNames();
QStringList iconNames();

Outcome generate(const Request &request);

Outcome runMessageBox(const QStringList &arguments);
Outcome runInputBox(const QStringList &arguments);

} // namespace DialogCommand

#pragma once

#include "dialogsettings.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// The code of a message box, plain message or input box, built from the panel's choices
// and texts, together with the preview to show. Example, Simple Msg with the text "Hi"
// CR LF "there": the code is
//   msgbox ("Hi" & vbCRLF _
//   &"there")
// and the preview a message box with the text as typed, OK only, no title of its own. The
// message, title and default answer stand in the code as string literals, each quotation mark
// in them doubled; the preview shows them as typed.
namespace DialogCode {

// The refusal of a text of more than five lines.
QString tooManyLinesMessage();

// Cuts a text at its line breaks (CR LF, or a lone CR); the piece after the last break is
// the last line, even when empty. Empty result when a fifth break would start a sixth line.
std::optional<QStringList> splitLines(const QString &text);

// The lines as one string expression continued over several source lines, without the
// outermost pair of quotation marks: a, b gives a" & vbCRLF _ CR LF &"b. A quotation mark in
// a line is written doubled, as the dialect writes it inside a string: say "hi" gives
// say ""hi"".
QString quoteLines(const QStringList &lines);

// What the panel's boxes hold at the moment of the preview.
struct Input
{
    QString text; // message or prompt, CR LF line breaks
    QString title;
    QString defaultAnswer;
    bool dialogX = false; // "Use DialogX format"
};

struct Preview
{
    enum Kind { None, MessageBox, InputBox };
    Kind kind = None;
    QString prompt;
    int flags = 0;
    QString title;
    QString defaultAnswer;
};

struct Built
{
    DialogSettings settings; // the record with its new text and code lines
    Preview preview;
};

// Why build gives no code: the text is empty, which the window ignores without a word, or it
// has more than five lines, refused with tooManyLinesMessage().
enum class Refusal { EmptyText, TooManyLines };

// Builds code lines 1 and 2 (Msg Box), 1 (Simple Msg) or 1 to 4 (Input Box) and the
// message text of the record; the other code lines keep what they hold. Gives the refusal
// instead when the text is empty or has more than five lines.
std::variant<Built, Refusal> build(const DialogSettings &settings, const Input &input);

// The flags of the message box preview; an unset flag counts as 0.
int previewFlags(const DialogSettings &settings);

// Code lines 1 to 5 joined, nothing between them.
QString generatedText(const DialogSettings &settings);

} // namespace DialogCode

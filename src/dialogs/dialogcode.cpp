#include "dialogcode.h"

namespace DialogCode {

namespace {

const QLatin1Char quote('"');
const QLatin1String crlf("\r\n");

QString flagText(const std::optional<int> &flag)
{
    return flag ? QString::number(*flag) : QString();
}

// The text as it stands inside a string literal: each quotation mark doubled.
QString escaped(QString text)
{
    return text.replace(quote, QLatin1String("\"\""));
}

// The text as a string literal of the dialect.
QString quoted(const QString &text)
{
    return quote % escaped(text) % quote;
}

} // namespace

QString tooManyLinesMessage()
{
    return QStringLiteral("only 5 lines allowed");
}

std::optional<QStringList> splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\r'))
            continue;
        if (lines.size() == 4)
            return std::nullopt;
        lines.append(text.mid(start, i - start));
        if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

QString quoteLines(const QStringList &lines)
{
    QString text = escaped(lines.value(0));
    for (qsizetype k = 1; k < lines.size(); ++k)
        text += quote % QLatin1String(" & vbCRLF _") % crlf % QLatin1Char('&') % quote %
                escaped(lines.at(k));
    return text;
}

int previewFlags(const DialogSettings &s)
{
    return s.BtnValue.value_or(0) + s.DefBtnValue.value_or(0) + s.IconValue.value_or(0) +
           s.ModalValue;
}

namespace {

// Simple Msg: a plain message, line 1 only.
void simpleMessage(Built &b, const QString &message, const Input &input)
{
    b.preview = {Preview::MessageBox, input.text, 0, {}, {}};
    b.settings.codeLine(1) = QLatin1String("msgbox (") % message % QLatin1Char(')');
}

// Msg Box: the box with its flags and title, its answer kept in Ris.
void messageBox(Built &b, const QString &message, const Input &input)
{
    DialogSettings &s = b.settings;
    s.codeLine(1) = QLatin1String("Dim Ris") % crlf;
    s.codeLine(2) = QLatin1String("Ris =") % QLatin1String(" msgbox (") % message %
                    QLatin1Char(',') % flagText(s.BtnValue) % QLatin1Char('+') %
                    flagText(s.DefBtnValue) % QLatin1Char('+') % flagText(s.IconValue) %
                    QLatin1Char('+') % QString::number(s.ModalValue) % QLatin1Char(',') %
                    quoted(input.title) % QLatin1Char(')') % crlf;
    b.preview = {Preview::MessageBox, input.text, previewFlags(s), input.title, {}};
}

// Input Box in the DialogX format: the target language's dialog object asks; no preview is
// shown for it.
void dialogXInputBox(Built &b, const QString &message, const Input &input)
{
    DialogSettings &s = b.settings;
    s.codeLine(1) = QLatin1String("Dim NSinput") % crlf;
    s.codeLine(2) = QLatin1String("Addobject ") % quoted(QStringLiteral("nsbasic.dialogx.1")) %
                    QLatin1Char(',') % quoted(QStringLiteral("Nsinputbox")) %
                    QLatin1String(",0,0") % crlf;
    s.codeLine(3) = QLatin1String("NSinput =") % QLatin1String("Nsinputbox.InputBox(") % message %
                    QLatin1Char(',') % quoted(input.title) % QLatin1Char(',') %
                    quoted(input.defaultAnswer) % QLatin1Char(')') % crlf;
    s.codeLine(4) = QLatin1String("Select case NSinput") % crlf %
                    QLatin1String(" '  (your code follows)") % crlf % QLatin1String("End select");
}

// Input Box: the answer kept in Rep and a Select over it.
void inputBox(Built &b, const QString &message, const Input &input)
{
    DialogSettings &s = b.settings;
    s.codeLine(1) = QLatin1String("Dim Rep") % crlf;
    s.codeLine(2) = QLatin1String("Rep =") % QLatin1String("InputBox(") % message %
                    QLatin1Char(',') % quoted(input.title) % QLatin1Char(',') %
                    quoted(input.defaultAnswer) % QLatin1Char(')') % crlf;
    s.codeLine(3) =
        QLatin1String("Select case Rep") % crlf % QLatin1String(" '  (your code follows)") % crlf;
    s.codeLine(4) = QStringLiteral("End Select");
    b.preview = {Preview::InputBox, input.text, 0, input.title, input.defaultAnswer};
}

} // namespace

std::variant<Built, Refusal> build(const DialogSettings &settings, const Input &input)
{
    if (input.text.isEmpty())
        return Refusal::EmptyText;
    const std::optional<QStringList> lines = splitLines(input.text);
    if (!lines)
        return Refusal::TooManyLines;
    Built result{settings, {}};
    result.settings.MsgText = quoteLines(*lines);
    const QString message = quote % result.settings.MsgText % quote;
    switch (result.settings.MsgKind) {
    case 1:
        simpleMessage(result, message, input);
        break;
    case 2:
        messageBox(result, message, input);
        break;
    case 3:
        if (input.dialogX)
            dialogXInputBox(result, message, input);
        else
            inputBox(result, message, input);
        break;
    default:
        break;
    }
    return result;
}

QString generatedText(const DialogSettings &settings)
{
    QString text;
    for (const QString &line : settings.CodeLine)
        text += line;
    return text;
}

} // namespace DialogCode

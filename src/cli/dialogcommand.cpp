#include "dialogcommand.h"

#include "commandline.h"
#include "dialogcode.h"
#include "dialogsettings.h"

#include <QCommandLineOption>

#include <variant>

namespace DialogCommand {

QStringList buttonSetNames()
{
    return {QStringLiteral("ok-only"),
            QStringLiteral("ok-cancel"),
            QStringLiteral("abort-retry-ignore"),
            QStringLiteral("yes-no-cancel"),
            QStringLiteral("yes-no"),
            QStringLiteral("retry-cancel")};
}

QStringList iconNames()
{
    return {QStringLiteral("critical"), QStringLiteral("query"), QStringLiteral("warning"),
            QStringLiteral("inform")};
}

Outcome generate(const Request &r)
{
    // A fresh panel: its start values, the kind chosen (which clears the code lines), then
    // the lists picked and the modal box ticked.
    DialogSettings s;
    s.RisLine = DialogOptions::answerTestLines();
    s.MsgKind = r.kind;
    DialogOptions::clearCodeLines(s);
    if (r.buttonSet)
        DialogOptions::pickButtonSet(s, *r.buttonSet);
    if (r.defaultButton)
        DialogOptions::pickDefaultButton(s, *r.defaultButton);
    if (r.icon)
        DialogOptions::pickIcon(s, *r.icon);
    s.ModalValue = DialogOptions::modalValue(r.modal);

    const std::variant<DialogCode::Built, DialogCode::Refusal> built =
        DialogCode::build(s, {r.text, r.title, r.defaultAnswer, r.dialogX});
    if (const auto *refusal = std::get_if<DialogCode::Refusal>(&built)) {
        // The window passes over an empty text without a message box; here the refusal says why.
        return Outcome::refused(*refusal == DialogCode::Refusal::EmptyText
                                    ? QStringLiteral("The text is empty: nothing to generate.")
                                    : DialogCode::tooManyLinesMessage());
    }
    return Outcome::done(
        DialogCode::generatedText(std::get<DialogCode::Built>(built).settings).toLocal8Bit());
}

namespace {

// The lines of every --text, each of which may itself hold line breaks, joined by CR LF.
QString joinedText(const QStringList &texts)
{
    QStringList lines;
    for (QString t : texts) {
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        lines += t.split(QLatin1Char('\n'));
    }
    return lines.join(QStringLiteral("\r\n"));
}

QCommandLineOption textOption(const QString &what)
{
    return QCommandLineOption(QStringLiteral("text"),
                              what % QStringLiteral(": one line each time it is given (at most "
                                                    "five lines)."),
                              QStringLiteral("LINE"));
}

QCommandLineOption titleOption()
{
    return QCommandLineOption(QStringLiteral("title"), QStringLiteral("The title."),
                              QStringLiteral("TITLE"));
}

// Parses a command that takes no argument but its options, --text among them: the help, a
// parse error, an argument or a missing text stop the command.
std::optional<Outcome> parseWithText(CommandLine &cl, const QStringList &arguments,
                                     const QCommandLineOption &text)
{
    if (std::optional<Outcome> stop = cl.parse(arguments))
        return stop;
    const QCommandLineParser &p = cl.parser();
    if (!p.positionalArguments().isEmpty())
        return cl.usage(QStringLiteral("unexpected argument '") %
                        p.positionalArguments().constFirst() % QLatin1Char('\''));
    if (!p.isSet(text))
        return cl.usage(QStringLiteral("--text is missing"));
    return std::nullopt;
}

} // namespace

namespace {

// The options of brindle msgbox beside --text.
struct MessageBoxOptions
{
    QCommandLineOption simple{QStringLiteral("simple"),
                              QStringLiteral("A plain message (Simple Msg).")};
    QCommandLineOption buttons{QStringLiteral("buttons"),
                               QStringLiteral("Button's Type: ") %
                                   buttonSetNames().join(QStringLiteral(", ")) % QLatin1Char('.'),
                               QStringLiteral("SET")};
    QCommandLineOption defaultButton{QStringLiteral("default-button"),
                                     QStringLiteral("Default Button: 1 to 4."),
                                     QStringLiteral("N")};
    QCommandLineOption icon{QStringLiteral("icon"),
                            QStringLiteral("Button's Icon: ") %
                                iconNames().join(QStringLiteral(", ")) % QLatin1Char('.'),
                            QStringLiteral("ICON")};
    QCommandLineOption modal{QStringLiteral("modal"), QStringLiteral("Set Modal.")};
    QCommandLineOption title = titleOption();
    QCommandLineOption text = textOption(QStringLiteral("The message"));
};

// The message box's choices as the three lists and the check box take them.
std::optional<Outcome> readMessageBox(const CommandLine &cl, const QCommandLineParser &p,
                                      const MessageBoxOptions &o, Request &r)
{
    if (p.isSet(o.buttons)) {
        r.buttonSet = int(buttonSetNames().indexOf(p.value(o.buttons)));
        if (*r.buttonSet < 0)
            return cl.usage(QStringLiteral("--buttons is one of ") %
                            buttonSetNames().join(QStringLiteral(", ")));
    }
    if (p.isSet(o.defaultButton)) {
        bool ok = false;
        const int n = p.value(o.defaultButton).toInt(&ok);
        if (!ok || n < 1 || n > 4)
            return cl.usage(QStringLiteral("--default-button is 1, 2, 3 or 4"));
        r.defaultButton = n - 1;
    }
    if (p.isSet(o.icon)) {
        r.icon = int(iconNames().indexOf(p.value(o.icon)));
        if (*r.icon < 0)
            return cl.usage(QStringLiteral("--icon is one of ") %
                            iconNames().join(QStringLiteral(", ")));
    }
    r.modal = p.isSet(o.modal);
    r.title = p.value(o.title);
    return std::nullopt;
}

} // namespace

Outcome runMessageBox(const QStringList &arguments)
{
    CommandLine cl(QStringLiteral("msgbox"),
                   QStringLiteral("--text LINE [--text LINE]... [--buttons SET] "
                                  "[--default-button N] [--icon ICON] [--modal] [--title TITLE]\n"
                                  "       brindle msgbox --simple --text LINE [--text LINE]..."),
                   QStringLiteral("Prints the code of a message box and the lines that test the "
                                  "button pressed (or, with --simple, of a plain message), CR LF "
                                  "between lines, as the Msg-Input Box mode generates it. No "
                                  "dialog is shown."));
    QCommandLineParser &p = cl.parser();
    const MessageBoxOptions o;
    p.addOptions({o.simple, o.buttons, o.defaultButton, o.icon, o.modal, o.title, o.text});
    if (std::optional<Outcome> stop = parseWithText(cl, arguments, o.text))
        return *stop;

    Request r;
    r.text = joinedText(p.values(o.text));
    if (p.isSet(o.simple)) {
        for (const QCommandLineOption *opt :
             {&o.buttons, &o.defaultButton, &o.icon, &o.modal, &o.title}) {
            if (p.isSet(*opt))
                return cl.usage(QStringLiteral("--") % opt->names().constFirst() %
                                QStringLiteral(" belongs to a message box, not --simple"));
        }
        r.kind = 1;
        return generate(r);
    }
    if (std::optional<Outcome> stop = readMessageBox(cl, p, o, r))
        return *stop;
    return generate(r);
}

Outcome runInputBox(const QStringList &arguments)
{
    CommandLine cl(QStringLiteral("inputbox"),
                   QStringLiteral("--text LINE [--text LINE]... [--title TITLE] "
                                  "[--default-answer TEXT] [--dialogx]"),
                   QStringLiteral("Prints the code of an input box and the skeleton that reads "
                                  "the answer, CR LF between lines, as the Msg-Input Box mode "
                                  "generates it. No dialog is shown."));
    QCommandLineParser &p = cl.parser();
    const QCommandLineOption title = titleOption();
    const QCommandLineOption text = textOption(QStringLiteral("The prompt"));
    const QCommandLineOption answer(QStringLiteral("default-answer"),
                                    QStringLiteral("The answer offered."), QStringLiteral("TEXT"));
    const QCommandLineOption dialogX(QStringLiteral("dialogx"),
                                     QStringLiteral("Use DialogX format."));
    p.addOptions({title, text, answer, dialogX});
    if (std::optional<Outcome> stop = parseWithText(cl, arguments, text))
        return *stop;
    Request r;
    r.kind = 3;
    r.text = joinedText(p.values(text));
    r.title = p.value(title);
    r.defaultAnswer = p.value(answer);
    r.dialogX = p.isSet(dialogX);
    return generate(r);
}

} // namespace DialogCommand

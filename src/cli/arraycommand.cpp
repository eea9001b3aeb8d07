#include "arraycommand.h"

#include "arraycode.h"
#include "arraysettings.h"
#include "commandline.h"
#include "fitcheck.h"

#include <QCommandLineOption>
#include <QRegularExpression>

#include <array>

namespace ArrayCommand {

QStringList kindNames()
{
    return {QStringLiteral("option"), QStringLiteral("check"), QStringLiteral("command"),
            QStringLiteral("label"),  QStringLiteral("text"),  QStringLiteral("list")};
}

namespace {

// The customized layout: the typed positions make the list, as "Object n" stores them.
Outcome generateCustomized(ArraySettings &s, const QStringList &positions)
{
    const std::optional<qint16> count = ArraySetup::listCount(int(positions.size()));
    if (!count)
        return Outcome::refused(ArraySetup::countTooLargeForList);
    ArraySetup::startList(s, *count);
    for (const QString &entry : positions) {
        const QStringList f = entry.split(QLatin1Char(','));
        if (f.size() != 4 ||
            ArraySetup::storeEntry(s, f[0], f[1], f[2], f[3]) != ArraySetup::Entry::Stored)
            return Outcome::badUsage(QStringLiteral("a position needs four values T,L,W,H, not '") %
                                     entry % QStringLiteral("'"));
    }
    ArraySetup::completeList(s);
    // Typed positions are not fit-checked: the window's check reads the steps and the first
    // position of a standard layout, which a customized list does not have.
    if (const Result<> checked = ArrayCode::checkCustomized(s); !checked)
        return Outcome::refused(checked.message());
    return Outcome::done(ArrayCode::customizedCode(s).toLocal8Bit());
}

// The standard layouts: the layout's step, the spacer, then the fit check and the code.
Outcome generateStandard(ArraySettings &s, const Request &r)
{
    const bool vertical = r.layout == Request::Vertical;
    if (vertical)
        ArraySetup::selectVertical(s, r.height);
    else
        ArraySetup::selectHorizontal(s, r.width);
    // The spacer box starts at "0": only a typed change reaches the step.
    if (r.spacer != QLatin1String("0"))
        ArraySetup::changeSpacer(s, vertical, !vertical, r.height, r.width, r.spacer);
    // The first position is taken before the fit check, so the check measures this array
    // (the window measures from the position of its previous generation).
    s.LeftBase = TextOrNumber::fromText(r.left);
    s.TopBase = TextOrNumber::fromText(r.top);
    s.ObjWidth = TextOrNumber::fromText(r.width);
    s.ObjHeight = TextOrNumber::fromText(r.height);
    if (!FitCheck::fits(s, r.device, r.spacer, r.count))
        return Outcome::refused(FitCheck::exceedsDisplay);
    if (const Result<> checked = ArrayCode::checkStandard(s); !checked)
        return Outcome::refused(checked.message());
    return Outcome::done(ArrayCode::standardCode(s, r.count).toLocal8Bit());
}

} // namespace

Outcome generate(const Request &r)
{
    // The panel's handlers in the order a user meets them: the kind (chosen `number` times in
    // all, so that the name suffix grows as in the window), the layout, then the spacer.
    ArraySettings s;
    for (int i = 0; i < r.number; ++i)
        ArraySetup::selectKind(s, r.kind);
    if (r.layout == Request::Customized)
        return generateCustomized(s, r.positions);
    return generateStandard(s, r);
}

namespace {

// Far beyond the kinds a user chooses in one run; the suffix is made by choosing that often.
constexpr int maxNumber = 99999;

bool wholeNumber(const QString &text, int &value, int min)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= min && !text.startsWith(QLatin1Char('+'));
}

// Coordinates, sizes and counts go into the generated code as the dialect's Integer values.
constexpr int integerMin = -32768;
constexpr int integerMax = 32767;

// A coordinate as the window takes it from a box, with or without decimals ("60.5"), within
// the dialect's Integer range.
bool coordinate(const QString &text)
{
    static const QRegularExpression decimal(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    if (!decimal.match(text).hasMatch())
        return false;
    const double value = text.toDouble();
    return value >= integerMin && value <= integerMax;
}

} // namespace

namespace {

// The options of the command, with their defaults: the window's start values.
struct Options
{
    QCommandLineOption top{QStringLiteral("top"), QStringLiteral("Top of the first object."),
                           QStringLiteral("T"), QStringLiteral("10")};
    QCommandLineOption left{QStringLiteral("left"), QStringLiteral("Left of the first object."),
                            QStringLiteral("L"), QStringLiteral("10")};
    QCommandLineOption width{QStringLiteral("width"), QStringLiteral("Width of each object."),
                             QStringLiteral("W"), QStringLiteral("70")};
    QCommandLineOption height{QStringLiteral("height"), QStringLiteral("Height of each object."),
                              QStringLiteral("H"), QStringLiteral("21")};
    QCommandLineOption vertical{QStringLiteral("vertical"),
                                QStringLiteral("One object under another.")};
    QCommandLineOption horizontal{QStringLiteral("horizontal"),
                                  QStringLiteral("One object beside another.")};
    QCommandLineOption spacer{QStringLiteral("spacer"),
                              QStringLiteral("Extra distance between neighbours."),
                              QStringLiteral("S"), QStringLiteral("0")};
    QCommandLineOption custom{
        QStringLiteral("custom"),
        QStringLiteral("Each object's top, left, width and height, objects separated by '|'."),
        QStringLiteral("T,L,W,H|...")};
    QCommandLineOption device{QStringLiteral("device"),
                              QStringLiteral("Check that the array fits this device's "
                                             "screen: ppc or hpc."),
                              QStringLiteral("ppc|hpc")};
    QCommandLineOption number{
        QStringLiteral("number"),
        QStringLiteral("Name suffix: the array is named as the Nth kind chosen in the window "
                       "(Abutt1, Iar1 for 1)."),
        QStringLiteral("N"), QStringLiteral("1")};

    // The options that stand for the panel's boxes, in the panel's order.
    std::array<const QCommandLineOption *, 5> boxes() const
    {
        return {&top, &left, &width, &height, &spacer};
    }
};

CommandLine arrayCommandLine()
{
    return CommandLine(
        QStringLiteral("array"),
        QStringLiteral("KIND COUNT (--vertical | --horizontal) [--top T] [--left L] [--width W] "
                       "[--height H] [--spacer S] [--device ppc|hpc] [--number N]\n"
                       "       brindle array KIND --custom \"T,L,W,H|T,L,W,H|...\" "
                       "[--device ppc|hpc] [--number N]"),
        QStringLiteral("Prints the code that creates an array of COUNT controls of one KIND at "
                       "run time (option, check, command, label, text or list), CR LF between "
                       "lines, as the Objects Arrays mode puts it on the clipboard."));
}

// The choices every layout shares: the kind, the name suffix, the device and one layout.
std::optional<Outcome> readShared(CommandLine &cl, const Options &o, Request &r)
{
    const QCommandLineParser &p = cl.parser();
    const QStringList args = p.positionalArguments();
    if (args.isEmpty())
        return cl.usage(QStringLiteral("KIND is missing"));
    r.kind = int(kindNames().indexOf(args[0]));
    if (r.kind < 0)
        return cl.usage(QStringLiteral("unknown KIND '") % args[0] % QStringLiteral("' (one of ") %
                        kindNames().join(QStringLiteral(", ")) % QStringLiteral(")"));
    if (!wholeNumber(p.value(o.number), r.number, 1) || r.number > maxNumber)
        return cl.usage(QStringLiteral("--number takes a whole number from 1 to 99999"));
    if (p.isSet(o.device)) {
        const std::optional<FitCheck::Device> device = FitCheck::deviceNamed(p.value(o.device));
        if (!device)
            return cl.usage(QStringLiteral("--device is ppc or hpc"));
        r.device = *device;
    }
    const int layouts =
        int(p.isSet(o.vertical)) + int(p.isSet(o.horizontal)) + int(p.isSet(o.custom));
    if (layouts != 1)
        return cl.usage(QStringLiteral("give one layout: --vertical, --horizontal or --custom"));
    return std::nullopt;
}

// brindle array KIND --custom "T,L,W,H|...": the count is the number of positions.
Outcome runCustomized(CommandLine &cl, const Options &o, Request r)
{
    const QCommandLineParser &p = cl.parser();
    if (p.positionalArguments().size() > 1)
        return cl.usage(QStringLiteral("--custom takes no COUNT: it is the number of positions"));
    for (const QCommandLineOption *box : o.boxes()) {
        if (p.isSet(*box))
            return cl.usage(QStringLiteral("--") % box->names().constFirst() %
                            QStringLiteral(" is not used with --custom"));
    }
    r.layout = Request::Customized;
    QString list = p.value(o.custom);
    // Each entry ends in "|", as the window builds them; a last one may also end the text.
    if (list.endsWith(QLatin1Char('|')))
        list.chop(1);
    if (!list.isEmpty())
        r.positions = list.split(QLatin1Char('|'));
    const Outcome outcome = generate(r);
    return outcome.status == Outcome::BadUsage ? cl.usage(outcome.err) : outcome;
}

// brindle array KIND COUNT --vertical or --horizontal, with the boxes' values.
Outcome runStandard(CommandLine &cl, const Options &o, Request r)
{
    const QCommandLineParser &p = cl.parser();
    const QStringList args = p.positionalArguments();
    if (args.size() != 2)
        return cl.usage(args.size() < 2 ? QStringLiteral("COUNT is missing")
                                        : QStringLiteral("too many arguments"));
    if (!wholeNumber(args[1], r.count, 1) || r.count > integerMax)
        return cl.usage(QStringLiteral("COUNT is a whole number from 1 to 32767"));
    // The window takes any text in these boxes; a command line is told at once what is amiss.
    for (const QCommandLineOption *box : o.boxes()) {
        if (!coordinate(p.value(*box)))
            return cl.usage(QStringLiteral("--") % box->names().constFirst() %
                            QStringLiteral(" takes a number from -32768 to 32767, not '") %
                            p.value(*box) % QStringLiteral("'"));
    }
    r.layout = p.isSet(o.vertical) ? Request::Vertical : Request::Horizontal;
    r.top = p.value(o.top);
    r.left = p.value(o.left);
    r.width = p.value(o.width);
    r.height = p.value(o.height);
    r.spacer = p.value(o.spacer);
    return generate(r);
}

} // namespace

Outcome run(const QStringList &arguments)
{
    CommandLine cl = arrayCommandLine();
    const Options o;
    QCommandLineParser &p = cl.parser();
    p.addOptions({o.top, o.left, o.width, o.height, o.vertical, o.horizontal, o.spacer, o.custom,
                  o.device, o.number});
    p.addPositionalArgument(QStringLiteral("KIND"), kindNames().join(QStringLiteral(", ")));
    p.addPositionalArgument(QStringLiteral("COUNT"),
                            QStringLiteral("Number of objects (not with --custom)."));
    if (std::optional<Outcome> stop = cl.parse(arguments))
        return *stop;
    Request r;
    if (std::optional<Outcome> stop = readShared(cl, o, r))
        return *stop;
    return p.isSet(o.custom) ? runCustomized(cl, o, r) : runStandard(cl, o, r);
}

} // namespace ArrayCommand

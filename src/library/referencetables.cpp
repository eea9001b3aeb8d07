#include "referencetables.h"

#include <QStringList>

namespace ReferenceTables {

namespace {

// A constant of the language: its name as listed, its value as written in code (empty for
// values known only at run time) and what it means.
struct Constant
{
    const char *name;
    const char *value;
    const char *meaning;
};

// One entry a line, as the tables are read and checked.
// clang-format off
const char *const categories[categoryCount] = {
    "Color              Costants",
    "Comparison    Constant",
    "Date/Time     Costants",
    "Date Format   Costants",
    "String             Costants",
    "Vartype          Costants",
    "Global             Costants",
    "--ERROR Codes--",
    "*MY CODE*",
};

const Constant color[] = {
    {"vbBlack", "0 (&H0)", "black, as a colour value"},
    {"vbRed", "255 (&HFF)", "red, as a colour value"},
    {"vbGreen", "65280 (&HFF00)", "green, as a colour value"},
    {"vbBlue", "16711680 (&HFF0000)", "blue, as a colour value"},
    {"vbYellow", "65535 (&HFFFF)", "yellow (red and green), as a colour value"},
    {"vbMagenta", "16711935 (&HFF00FF)", "magenta (red and blue), as a colour value"},
    {"vbCyan", "16776960 (&HFFFF00)", "cyan (green and blue), as a colour value"},
    {"vbWhite", "16777215 (&HFFFFFF)", "white, as a colour value"},
};

const Constant comparison[] = {
    {"vbBinarycompare", "0", "compare texts byte for byte, capitals differ"},
    {"vbTextcompare", "1", "compare texts as words, ignoring capitals"},
};

const Constant dateTime[] = {
    {"vbSunday", "1", "Sunday, as a day of the week"},
    {"vbMonday", "2", "Monday, as a day of the week"},
    {"vbTuesday", "3", "Tuesday, as a day of the week"},
    {"vbWednesday", "4", "Wednesday, as a day of the week"},
    {"vbThursday", "5", "Thursday, as a day of the week"},
    {"vbFriday", "6", "Friday, as a day of the week"},
    {"vbSaturday", "7", "Saturday, as a day of the week"},
    {"vbFirstjan1", "1", "the first week of the year is the one holding 1 January"},
    {"vbFirstfourdays", "2", "the first week of the year is the first with at least four days in it"},
    {"vbFirstfullweek", "3", "the first week of the year is its first full week"},
    {"vbUsesystem", "0", "use the system's setting for the first week of the year"},
    {"vbUsesystemdayofweek", "0", "use the system's setting for the first day of the week"},
};

const Constant dateFormat[] = {
    {"vbGeneraldate", "0", "show a date and/or a time in the system's short formats"},
    {"vbLongdate", "1", "show a date in the system's long date format"},
    {"vbShortdate", "2", "show a date in the system's short date format"},
    {"vbLongtime", "3", "show a time in the system's long time format"},
    {"vbShorttime", "4", "show a time as hours and minutes, on 24 hours"},
};

const Constant string[] = {
    {"vbCr", "Chr(13)", "carriage return"},
    {"vbCrlf", "Chr(13) & Chr(10)", "carriage return and line feed"},
    {"vbFormfeed", "Chr(12)", "form feed"},
    {"vbLf", "Chr(10)", "line feed"},
    {"vbNewline", "Chr(13) & Chr(10)", "a new line, as the system ends its lines"},
    {"vbNullchar", "Chr(0)", "the character of code 0"},
    {"vbTab", "Chr(9)", "horizontal tab"},
    {"vbNullstring", "\"\"", "a string of no characters, passed to outside routines as a null pointer"},
    {"vbVerticaltab", "Chr(11)", "vertical tab"},
};

const Constant varType[] = {
    {"vbEmpty", "0", "VarType of an uninitialised variable"},
    {"vbNull", "1", "VarType of Null, no valid data"},
    {"vbInteger", "2", "VarType of an integer"},
    {"vbLong", "3", "VarType of a long integer"},
    {"vbSingle", "4", "VarType of a single-precision number"},
    {"vbDouble", "5", "VarType of a double-precision number"},
    {"vbCurrency", "6", "VarType of a currency value"},
    {"vbDate", "7", "VarType of a date"},
    {"vbString", "8", "VarType of a string"},
    {"vbObject", "9", "VarType of an object"},
    {"vbError", "10", "VarType of an error value"},
    {"vbBoolean", "11", "VarType of a Boolean"},
    {"vbVariant", "12", "VarType of a variant (in arrays of variants)"},
    {"vbDataobject", "13", "VarType of a data-access object"},
    {"vbDecimal", "14", "VarType of a decimal number"},
    {"vbByte", "17", "VarType of a byte"},
    {"vbArray", "8192 (&H2000)", "added to the VarType of an array's elements"},
};

const Constant global[] = {
    {"CurrentPath", "", "the folder the running program was started from, read at run time"},
    {"NSBVersion", "", "the version number of the language's runtime, read at run time"},
};

// The flags of a message box, added up into its second argument, and the answers it returns:
// the values the dialog code writes and tests.
const Constant messageBox[] = {
    {"vbOKOnly", "0", "an OK button only, as a message box's buttons"},
    {"vbOKCancel", "1", "OK and Cancel buttons, as a message box's buttons"},
    {"vbAbortRetryIgnore", "2", "Abort, Retry and Ignore buttons, as a message box's buttons"},
    {"vbYesNoCancel", "3", "Yes, No and Cancel buttons, as a message box's buttons"},
    {"vbYesNo", "4", "Yes and No buttons, as a message box's buttons"},
    {"vbRetryCancel", "5", "Retry and Cancel buttons, as a message box's buttons"},
    {"vbCritical", "16 (&H10)", "the critical-message icon, as a message box's icon"},
    {"vbQuestion", "32 (&H20)", "the question-mark icon, as a message box's icon"},
    {"vbExclamation", "48 (&H30)", "the exclamation-mark (warning) icon, as a message box's icon"},
    {"vbInformation", "64 (&H40)", "the information icon, as a message box's icon"},
    {"vbDefaultButton1", "0", "the first button is the message box's default"},
    {"vbDefaultButton2", "256 (&H100)", "the second button is the message box's default"},
    {"vbDefaultButton3", "512 (&H200)", "the third button is the message box's default"},
    {"vbDefaultButton4", "768 (&H300)", "the fourth button is the message box's default"},
    {"vbApplicationModal", "0", "the program waits for the message box's answer"},
    {"vbSystemModal", "4096 (&H1000)", "every program waits for the message box's answer"},
    {"vbOK", "1", "the message box's answer when OK was pressed"},
    {"vbCancel", "2", "the message box's answer when Cancel was pressed"},
    {"vbAbort", "3", "the message box's answer when Abort was pressed"},
    {"vbRetry", "4", "the message box's answer when Retry was pressed"},
    {"vbIgnore", "5", "the message box's answer when Ignore was pressed"},
    {"vbYes", "6", "the message box's answer when Yes was pressed"},
    {"vbNo", "7", "the message box's answer when No was pressed"},
};

const char *const errorCodes[] = {
    " 5 Invalid procedure call",
    " 6 Overflow",
    " 7 Out of Memory",
    " 9 Subscript out of range",
    "10 Array Fixed orTemporarily locked",
    "11 division by zero",
    "13 Type mismatch",
    "14 Out of string space",
    "17 Can't perform operation",
    "28 Out of stack space",
    "35 Sub or Funcion not definited",
    "49 Error loading DLL",
    "51 Internal error",
    "52 Bad file name or number",
    "53 File not found",
    "54 Bad file mode",
    "55 File already open",
    "57 Device I/O error",
    "58 File already exist",
    "61 Disk full",
    "62 Input past end of file",
    "67 Too many files",
    "68 Device unavailable",
    "70 Permission denied",
    "71 Disk not ready",
    "74 Can't rename with different drive",
    "75 Path/File access error",
    "76 Path not found",
    "91 Object variable not set",
    "92 For loop not inizialized",
    "94 Invalid use of null",
    "322 Cant create temp file",
    "424 Object required",
    "429 ActiveX cant create object",
    "430 Class does not support automation",
    "432 File or Class name not found during automation",
    "438 Object does nnot support property or method",
    "440 Automation error",
    "445 Object does not support action",
    "446 Oject does not support named argument",
    "447 Object does not support current local setting",
    "448 Named argument not found",
    "449 Argument not optional",
    "450 Wrong number of arguments or invalid property asignement",
    "451 Object not a collection",
    "453 DLL function not found",
    "455 Code resource lock error",
    "457 Key already associated with an element's colection",
    "458 Variable use automation type not supported in VBscript",
    "500 Variable is undefinied",
    "501 Illegal assignment",
    "502 Object not safe for scripting",
    "503 Object not safe for inizializing",
    "32811 Element not found",
};
// clang-format on

struct Table
{
    const Constant *constants = nullptr;
    qsizetype size = 0;
};

template <std::size_t N> constexpr Table tableOf(const Constant (&constants)[N])
{
    return {constants, qsizetype(N)};
}

// The constant table at a position 0 to 6; empty for the error codes and outside.
Table constantTable(int position)
{
    switch (position) {
    case 0:
        return tableOf(color);
    case 1:
        return tableOf(comparison);
    case 2:
        return tableOf(dateTime);
    case 3:
        return tableOf(dateFormat);
    case 4:
        return tableOf(string);
    case 5:
        return tableOf(varType);
    case 6:
        return tableOf(global);
    default:
        return {};
    }
}

const Constant *findIn(const Table &t, QStringView name)
{
    for (qsizetype i = 0; i < t.size; ++i) {
        if (QLatin1StringView(t.constants[i].name) == name)
            return &t.constants[i];
    }
    return nullptr;
}

const Constant *findConstant(QStringView name)
{
    for (int position = 0; position < errorCodesPosition; ++position) {
        if (const Constant *c = findIn(constantTable(position), name))
            return c;
    }
    return findIn(tableOf(messageBox), name);
}

QStringList namesOf(const Table &t)
{
    QStringList list;
    list.reserve(t.size);
    for (qsizetype i = 0; i < t.size; ++i)
        list.append(QString::fromLatin1(t.constants[i].name));
    return list;
}

} // namespace

QString category(int position)
{
    if (position < 0 || position >= categoryCount)
        return {};
    return QString::fromLatin1(categories[position]);
}

QStringList entries(int position)
{
    QStringList list;
    if (position == errorCodesPosition) {
        for (const char *e : errorCodes)
            list.append(QString::fromLatin1(e));
        return list;
    }
    return namesOf(constantTable(position));
}

QString heading(int position)
{
    QString heading = category(position).simplified();
    while (heading.startsWith(u'-') || heading.startsWith(u'*'))
        heading.remove(0, 1);
    while (heading.endsWith(u'-') || heading.endsWith(u'*'))
        heading.chop(1);
    return heading;
}

QString messageBoxHeading()
{
    return QStringLiteral("MsgBox Constants");
}

QStringList messageBoxEntries()
{
    return namesOf(tableOf(messageBox));
}

QString table(int position)
{
    return entries(position).join(QLatin1Char('|'));
}

QString value(const QString &name)
{
    const Constant *c = findConstant(name);
    return c ? QString::fromLatin1(c->value) : QString();
}

QString describe(const QString &name)
{
    const Constant *c = findConstant(name);
    if (!c)
        return {};
    const QString meaning = QString::fromLatin1(c->meaning);
    if (*c->value == '\0')
        return name + QStringLiteral(": ") + meaning;
    return name + QStringLiteral(" = ") + QString::fromLatin1(c->value) + QStringLiteral(": ") +
           meaning;
}

QStringList filtered(int position, const QString &text)
{
    const QStringList all = entries(position);
    if (text.isEmpty())
        return all;
    QStringList kept;
    for (const QString &entry : all) {
        // An error entry holds its number and message; a constant is found by name or value.
        if (entry.contains(text, Qt::CaseInsensitive) ||
            value(entry).contains(text, Qt::CaseInsensitive))
            kept.append(entry);
    }
    return kept;
}

} // namespace ReferenceTables

#include "referencetables.h"

#include <QStringList>

namespace ReferenceTables {

namespace {
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

const char *const color[] = {
    "vbBlack",
    "vbRed",
    "vbGreen",
    "vbBlue",
    "vbYellow",
    "vbMagenta",
    "vbCyan",
    "vbWhite",
};

const char *const comparison[] = {
    "vbBinarycompare",
    "vbTextcompare",
};

const char *const dateTime[] = {
    "vbSunday",
    "vbMonday",
    "vbTuesday",
    "vbWednesday",
    "vbThursday",
    "vbFriday",
    "vbSaturday",
    "vbFirstjani",
    "vbFirstfourdays",
    "vbFirstfullweek",
    "vbUsesystem",
    "vbUsesystemdayofweek",
};

const char *const dateFormat[] = {
    "vbGeneraldate",
    "vbLongdate",
    "vbShortdate",
    "vbLongtime",
    "vbShorttime",
};

const char *const string[] = {
    "vbCr",
    "vbCrlf",
    "vbFormfeed",
    "vbLf",
    "vbNewline",
    "vbNullchar",
    "vbTab",
    "vbNullstring",
    "vbVerticaltab",
};

const char *const varType[] = {
    "vbEmpty",
    "vbNull",
    "vbInteger",
    "vbLong",
    "vbSingle",
    "vbDouble",
    "vbCurrency",
    "vbDate",
    "vbString",
    "vbObject",
    "vbError",
    "vbBoolean",
    "vbVariant",
    "vbDataobject",
    "vbDecimal",
    "vbByte",
    "vbArray",
};

const char *const global[] = {
    "CurrentPath",
    "NSBVersion",
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

template <std::size_t N> QStringList toList(const char *const (&entries)[N])
{
    QStringList list;
    list.reserve(qsizetype(N));
    for (const char *e : entries)
        list.append(QString::fromLatin1(e));
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
    switch (position) {
    case 0:
        return toList(color);
    case 1:
        return toList(comparison);
    case 2:
        return toList(dateTime);
    case 3:
        return toList(dateFormat);
    case 4:
        return toList(string);
    case 5:
        return toList(varType);
    case 6:
        return toList(global);
    case 7:
        return toList(errorCodes);
    default:
        return {};
    }
}

QString table(int position)
{
    return entries(position).join(QLatin1Char('|'));
}

} // namespace ReferenceTables

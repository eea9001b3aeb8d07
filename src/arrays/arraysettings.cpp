#include "arraysettings.h"

#include <limits>

namespace ArraySetup {

namespace {

constexpr ObjectKind kinds[kindCount] = {
    {QLatin1StringView("Radio"), QLatin1StringView("OptionButton"), true},
    {QLatin1StringView("Acheck"), QLatin1StringView("CheckBox"), true},
    {QLatin1StringView("Abutt"), QLatin1StringView("CommandButton"), true},
    {QLatin1StringView("Alabel"), QLatin1StringView("Label"), false},
    {QLatin1StringView("Atext"), QLatin1StringView("TextBox"), false},
    {QLatin1StringView("Alist"), QLatin1StringView("ListBox"), false},
};

} // namespace

const ObjectKind &objectKind(int index)
{
    Q_ASSERT(index >= 0 && index < kindCount);
    return kinds[index];
}

bool hasFormBackground(const QString &arrayName)
{
    for (const ObjectKind &kind : kinds) {
        if (arrayName.startsWith(kind.prefix))
            return kind.formBackground;
    }
    return false;
}

void selectKind(ArraySettings &s, int index)
{
    if (index < 0 || index >= kindCount)
        return;
    s.ArrayName = kinds[index].prefix;
    s.ObjectClass = kinds[index].objectClass;
    ++s.KindClicks;
    s.KindSuffix = QString::number(s.KindClicks);
    s.LoopVarName = QLatin1StringView("Iar") + s.KindSuffix;
    s.ArrayName += s.KindSuffix;
}

void selectVertical(ArraySettings &s, const QString &height)
{
    s.VertStep = TextOrNumber::fromText(height);
    s.HorzStep = TextOrNumber::fromNumber(0);
}

void selectHorizontal(ArraySettings &s, const QString &width)
{
    s.VertStep = TextOrNumber::fromNumber(0);
    s.HorzStep = TextOrNumber::fromText(width);
}

static void setStep(TextOrNumber &step, const QString &size, const QString &spacer)
{
    if (const std::optional<qint16> whole = TextNumber::wholeNumber16(size))
        step = TextOrNumber::fromNumber(*whole + TextNumber::numericValue(spacer));
}

void changeSpacer(ArraySettings &s, bool vertical, bool horizontal, const QString &height,
                  const QString &width, const QString &spacer)
{
    if (vertical)
        setStep(s.VertStep, height, spacer);
    if (horizontal)
        setStep(s.HorzStep, width, spacer);
}

std::optional<qint16> listCount(int objects)
{
    if (objects < 0 || objects > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(objects);
}

void startList(ArraySettings &s, qint16 count)
{
    s.PosCount = count;
    s.PosEntries = QStringList(qsizetype(count) + 1);
    s.PosIndex = 0;
    s.PosString.clear();
}

QString positionEntry(const QString &top, const QString &left, const QString &width,
                      const QString &height)
{
    return top % QLatin1Char(',') % left % QLatin1Char(',') % width % QLatin1Char(',') % height %
           QLatin1Char('|');
}

bool listComplete(const ArraySettings &s)
{
    return s.PosIndex >= s.PosCount;
}

Entry storeEntry(ArraySettings &s, const QString &top, const QString &left, const QString &width,
                 const QString &height)
{
    if (top.isEmpty() || left.isEmpty() || width.isEmpty() || height.isEmpty())
        return Entry::MissingValue;
    if (listComplete(s) || s.PosIndex < 0 || s.PosIndex >= s.PosEntries.size())
        return Entry::ListComplete;
    s.PosEntries[s.PosIndex] = positionEntry(top, left, width, height);
    ++s.PosIndex;
    return Entry::Stored;
}

void completeList(ArraySettings &s)
{
    s.PosString = s.PosEntries.join(QString());
}

QString entryCaption(int index)
{
    return QLatin1StringView("Object ") + QString::number(index + 1);
}

} // namespace ArraySetup

#include "helpviewer.h"

namespace HelpViewer {

QStringList programs()
{
    return {QStringLiteral("xchm"), QStringLiteral("kchmviewer"), QStringLiteral("uchmviewer")};
}

QStringList arguments(const QString &program, const QString &file, const QString &page)
{
    if (page.isEmpty())
        return {file};
    // Pages inside a compiled help are named from its root.
    const QString inside = page.startsWith(QLatin1Char('/')) ? page : QLatin1Char('/') + page;
    if (program == QLatin1String("xchm"))
        return {QStringLiteral("file:") + file + QStringLiteral("#xchm:") + inside};
    if (program == QLatin1String("kchmviewer") || program == QLatin1String("uchmviewer"))
        return {QStringLiteral("-showPage"), inside, file};
    return {file};
}

} // namespace HelpViewer

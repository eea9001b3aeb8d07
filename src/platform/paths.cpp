#include "paths.h"

#include <QDir>

namespace Paths {

QString at(const QString &relative)
{
    return QDir::toNativeSeparators(QDir::currentPath() + relative);
}

QStringList samplePrograms()
{
    QDir samples(at(QStringLiteral("/Samples")));
    if (!samples.exists())
        return {};
    samples.setNameFilters({QStringLiteral("*.txt")});
    samples.setFilter(QDir::Files);
    samples.setSorting(QDir::Unsorted);
    return samples.entryList();
}

} // namespace Paths

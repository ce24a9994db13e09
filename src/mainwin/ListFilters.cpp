#include "ListFilters.h"
#include "ShellTypeName.h"

#include "VbString.h"

namespace mainwin {

namespace {

QString withOneSlash(QString folder)
{
    while (folder.endsWith(u'/'))
        folder.chop(1);
    return folder + u'/';
}

} // namespace

QStringList FileTypeEntries(const QStringList &typeNames)
{
    QStringList entries{AllTypesSpec, AllFilesSpec};
    QString seen;
    for (const QString &t : typeNames) {
        if (t.isEmpty() || seen.contains(t, Qt::CaseSensitive))
            continue;
        entries << t;
        seen += u' ' + t;
    }
    return entries;
}

bool TypeFilterAccepts(const QString &spec, const QString &typeName)
{
    if (typeName.isEmpty())
        return false;
    if (spec == AllTypesSpec)
        return true;
    if (spec == AllFilesSpec)
        return typeName != ShellFolderTypeName;
    return typeName == spec;
}

bool NameFilterAccepts(const QString &filter, const QString &name)
{
    return filter.isEmpty() || vb::UCase(name).contains(vb::UCase(filter));
}

bool RowInFolder(const QString &rowFolder, const QString &folder)
{
    if (rowFolder.isEmpty() || folder.isEmpty())
        return false;
    return withOneSlash(rowFolder) == withOneSlash(folder);
}

} // namespace mainwin

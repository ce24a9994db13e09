#include "NamedFileLists.h"

#include "AppFolder.h"
#include "Fso.h"
#include "LineSafeText.h"
#include "StartupCommandLine.h"
#include "TextFile.h"

namespace mainwin {

namespace {
const QString kExtension = QStringLiteral(".lst");
}

QString NamedFileLists::Folder()
{
    return AppFile(QStringLiteral("FileLists/"));
}

QString NamedFileLists::PathOf(const QString &name)
{
    return Folder() + name + kExtension;
}

bool NamedFileLists::EnsureFolder()
{
    return fso::MakeFolders(Folder());
}

QStringList NamedFileLists::Names()
{
    EnsureFolder();
    QStringList names;
    for (const QString &file : fso::FolderFiles(Folder()))
        if (file.endsWith(kExtension) && file.size() > kExtension.size())
            names << file.chopped(kExtension.size());
    return names;
}

QString NamedFileLists::NameRefusal(const QString &name)
{
    if (!fso::CheckItemName(name) || !fso::CheckItemName(name + kExtension) || HoldsLineBreak(name))
        return QStringLiteral("\"%1\" cannot name a file list: a name may not be \".\" or \"..\", hold \"/\" "
                              "or a line break, or be longer than a file name can be.")
            .arg(ShownName(name));
    return {};
}

vb::Status NamedFileLists::Save(const QString &name, const QStringList &paths)
{
    if (const QString why = NameRefusal(name); !why.isEmpty())
        return vb::Status::fail(vb::BadFileNameOrNumber, why);
    for (const QString &path : paths) {
        const QString why = LineRefusal(GetPathPart(path, true), GetPathPart(path, false), QStringLiteral("a file list"));
        if (!why.isEmpty())
            return vb::Status::fail(vb::BadFileNameOrNumber, why + QStringLiteral(" Nothing was saved."));
    }
    if (!EnsureFolder())
        return vb::Status::fail(vb::PathNotFound);
    return textfile::writeLines(PathOf(name), paths);
}

vb::Status NamedFileLists::Read(const QString &name, QStringList &paths)
{
    if (const QString why = NameRefusal(name); !why.isEmpty())
        return vb::Status::fail(vb::BadFileNameOrNumber, why);
    // Each line is a path: its bytes are the name, as they were written.
    return textfile::readLines(PathOf(name), paths, textfile::MaxListFileBytes, [](qsizetype) { return true; });
}

vb::Status NamedFileLists::Remove(const QString &name)
{
    if (const QString why = NameRefusal(name); !why.isEmpty())
        return vb::Status::fail(vb::BadFileNameOrNumber, why);
    return fso::DeleteFile(PathOf(name));
}

} // namespace mainwin

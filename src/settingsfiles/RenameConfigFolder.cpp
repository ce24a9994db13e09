#include "RenameConfigFolder.h"

#include "AppFolder.h"
#include "FileAttributes.h"
#include "Fso.h"
#include "PathCodec.h"

#include <QDir>

#include <algorithm>
#include <sys/stat.h>

namespace settingsfiles {

namespace {

const QString Extension = QStringLiteral(".rfg");

} // namespace

RenameConfigFolder::RenameConfigFolder() : RenameConfigFolder(AppFile(QStringLiteral("RenConfigs"))) {}

RenameConfigFolder::RenameConfigFolder(QString path) : m_path(std::move(path))
{
    if (!m_path.endsWith(u'/'))
        m_path += u'/';
}

bool RenameConfigFolder::exists() const
{
    return fso::FolderExists(m_path);
}

vb::Status RenameConfigFolder::create() const
{
    if (exists())
        return vb::Status::ok();
    if (fso::MakeFolders(m_path))
        return vb::Status::ok();
    struct stat st {};
    return vb::Status::fail(::stat(pathcodec::encode(QDir::cleanPath(m_path)).constData(), &st) == 0
                                ? vb::PathFileAccessError
                                : vb::PathNotFound);
}

QStringList RenameConfigFolder::names() const
{
    QStringList out;
    for (const QString &file : fso::FolderFiles(m_path)) {
        // A configuration is named by text: a name that is not UTF-8 is none.
        if (file.endsWith(Extension, Qt::CaseSensitive) && !pathcodec::hasRawBytes(file))
            out << file.chopped(Extension.size());
    }
    std::sort(out.begin(), out.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return out;
}

vb::Status RenameConfigFolder::checkName(const QString &name)
{
    if (vb::Status st = fso::CheckItemName(name); !st)
        return st;
    return fso::CheckItemName(name + Extension);
}

bool RenameConfigFolder::sameName(const QString &a, const QString &b)
{
    return a.toUpper() == b.toUpper();
}

QString RenameConfigFolder::fileOf(const QString &name) const
{
    // Any item of exactly that name is the configuration's, even a link whose target is gone:
    // another file of the same name in other letters is never put in its place.
    const QString exact = m_path + name + Extension;
    struct stat st {};
    if (::lstat(pathcodec::encode(exact).constData(), &st) == 0)
        return exact;
    for (const QString &other : names())
        if (sameName(other, name))
            return m_path + other + Extension;
    return exact;
}

vb::Status RenameConfigFolder::remove(const QString &name) const
{
    const QString file = fileOf(name);
    const int attributes = fileattr::GetAttr(file);
    if (attributes >= 0 && (attributes & fileattr::ReadOnly))
        return vb::Status::fail(vb::PermissionDenied);
    return fso::DeleteFile(file);
}

} // namespace settingsfiles

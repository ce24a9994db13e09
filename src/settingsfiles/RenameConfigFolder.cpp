#include "RenameConfigFolder.h"

#include "AppFolder.h"
#include "FileAttributes.h"
#include "Fso.h"

#include <QDir>
#include <QFileInfo>

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
    if (QDir().mkpath(m_path))
        return vb::Status::ok();
    return vb::Status::fail(QFileInfo::exists(QDir::cleanPath(m_path)) ? vb::PathFileAccessError
                                                                       : vb::PathNotFound);
}

QStringList RenameConfigFolder::names() const
{
    QStringList out;
    const QStringList files =
        QDir(m_path).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files)
        if (file.endsWith(Extension, Qt::CaseSensitive))
            out << file.chopped(Extension.size());
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
    const QString exact = m_path + name + Extension;
    if (QFileInfo::exists(exact))
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

#include "RenameLog.h"

#include "AppFolder.h"
#include "VbFormat.h"

namespace engine {

QString RenameLog::fileName()
{
    return AppFile(QStringLiteral("templog.log"));
}

QString RenameLog::datedFileName(const QDateTime &at)
{
    return AppFile(QStringLiteral("Rename_Log") + vb::Format(at, QStringLiteral("mm_dd_yyyy"))
                   + vb::Format(at, QStringLiteral("hh_mm_ss_AM/PM")) + QStringLiteral(".txt"));
}

QString RenameLog::line(const QString &path, const QString &original, const QString &preview,
                        const QString &result)
{
    const QString separator = QStringLiteral(" : ");
    return path + separator + original + separator + preview + separator + result;
}

RenameLog::RenameLog(const QString &path) : m_writer(path) {}

vb::Status RenameLog::open()
{
    return m_writer.open();
}

void RenameLog::write(const QString &path, const QString &original, const QString &preview,
                      const QString &result)
{
    m_lines.append(line(path, original, preview, result));
    m_writer.writeLine(m_lines.constLast());
}

vb::Status RenameLog::close()
{
    return m_writer.commit();
}

vb::Status RenameLog::saveCopy(const QString &path) const
{
    return textfile::writeLines(path, m_lines);
}

} // namespace engine

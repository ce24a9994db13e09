#pragma once
/**
 * The rename log: one line per row a rename run attempted, "Path : Original : Preview : result",
 * where the result is "Rename Successful" or the text of the error that stopped the move. The
 * file "templog.log" in the program folder is replaced by every run; a dated copy
 * "Rename_Log<mm_dd_yyyy><hh_mm_ss_AM/PM>.txt" may be kept beside it. Lines end with CR LF, and
 * the file is written whole or not at all.
 */
#include "TextFile.h"
#include "VbError.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace engine {

class RenameLog {
public:
    /** The result of a row whose move succeeded. */
    static QString successText() { return QStringLiteral("Rename Successful"); }

    /** "templog.log" in the program folder. */
    static QString fileName();
    /** The dated copy's name in the program folder for a run started at `at`:
     *  "Rename_Log" + date "mm_dd_yyyy" + time "hh_mm_ss_AM/PM" + ".txt". */
    static QString datedFileName(const QDateTime &at);
    /** One line: the four fields joined by " : ". */
    static QString line(const QString &path, const QString &original, const QString &preview,
                        const QString &result);

    explicit RenameLog(const QString &path = fileName());

    /** Makes sure the log can be written; nothing is renamed when this fails. */
    vb::Status open();
    /** Adds the line of one row. */
    void write(const QString &path, const QString &original, const QString &preview,
               const QString &result);
    /** Replaces the log file with the lines written. */
    vb::Status close();
    /** Writes the same lines to `path` (the dated copy), replacing a file of that name. */
    vb::Status saveCopy(const QString &path) const;

    const QStringList &lines() const { return m_lines; }

private:
    textfile::Writer m_writer;
    QStringList m_lines;
};

} // namespace engine

#pragma once
/**
 * The column report: a text file of three-line records (A, B, C; empty lines between records
 * are skipped) written as one aligned line per record: A and B padded with blanks to 35
 * characters, each followed by "  | ", then C. A record whose A or B is longer than 35
 * characters is left out.
 */
#include <QString>
#include <QStringList>

namespace mainwin {

/** The width A and B are padded to, in characters. */
inline constexpr int ColumnReportWidth = 35;

/** The report lines of the records in `input`; a record cut short by the end of the input
 *  reads its missing lines as empty. */
QStringList ColumnReportLines(const QStringList &input);

/** Where the report goes when no path is given: "op.txt" in the program folder. */
QString DefaultColumnReportPath();

} // namespace mainwin

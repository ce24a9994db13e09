#include "StringsReplaceListFile.h"

#include "TextFile.h"
#include "VbConvert.h"

namespace replacelists {

namespace {

constexpr int CellsPerRow = 3;
constexpr int FirstRowLine = 2;  // index of the first row's first line

ReplaceListLoad refused(QString message, QString reason)
{
    ReplaceListLoad result;
    result.message = std::move(message);
    result.reason = std::move(reason);
    return result;
}

bool holdsLineBreak(const QString &cell)
{
    return cell.contains(u'\r') || cell.contains(u'\n');
}

} // namespace

vb::Status StringsReplaceListFile::save(const QString &path, int16_t matchCaseAll,
                                        const std::vector<ReplaceListEntry> &rows)
{
    QStringList lines{SrlHeader, QString::number(matchCaseAll)};
    for (size_t k = 0; k < rows.size(); ++k) {
        const ReplaceListEntry &row = rows[k];
        if (row.FromString.isEmpty())
            continue;
        if (holdsLineBreak(row.MatchCase) || holdsLineBreak(row.FromString) ||
            holdsLineBreak(row.ToString)) {
            return vb::Status::fail(
                vb::InvalidProcedureCall,
                QStringLiteral("Row %1 holds a line break, which a replace list cannot keep.")
                    .arg(k + 1));
        }
        lines << row.MatchCase << row.FromString << row.ToString;
    }
    return textfile::writeLines(path, lines);
}

ReplaceListLoad StringsReplaceListFile::load(const QString &path, int maxRows)
{
    QStringList lines;
    if (vb::Status st = textfile::readLines(path, lines); !st)
        return refused(InvalidFileMessage, st.description);
    return parse(lines, maxRows);
}

ReplaceListLoad StringsReplaceListFile::parse(const QStringList &lines, int maxRows)
{
    if (lines.isEmpty() || lines.front() != SrlHeader)
        return refused(InvalidFileMessage, QStringLiteral("line 1 is not the header"));
    if (lines.size() < FirstRowLine)
        return refused(InvalidFileMessage, QStringLiteral("line 2 is missing"));
    const vb::Converted<int16_t> box = vb::CInt(lines[1]);

    const qsizetype cellLines = lines.size() - FirstRowLine;
    const qsizetype rowCount = (cellLines + CellsPerRow - 1) / CellsPerRow;
    if (rowCount > maxRows) {
        const QString text =
            QStringLiteral("The list has %1 rows; at most %2 rows can be loaded, so nothing was loaded.")
                .arg(rowCount)
                .arg(maxRows);
        return refused(text, text);
    }

    ReplaceListLoad result;
    result.loaded = true;
    // A box value the box does not take leaves it as it is.
    if (box.ok() && (box.value() == 0 || box.value() == 1))
        result.MatchCaseAll = box.value();
    result.Rows.resize(size_t(rowCount));
    for (qsizetype k = 0; k < rowCount; ++k) {
        const qsizetype at = FirstRowLine + k * CellsPerRow;
        ReplaceListEntry &row = result.Rows[size_t(k)];
        row.MatchCase = lines.value(at);
        row.FromString = lines.value(at + 1);
        row.ToString = lines.value(at + 2);
    }
    return result;
}

} // namespace replacelists

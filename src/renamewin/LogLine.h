#pragma once
/**
 * One line of the rename log, split into its four fields: folder, old name, new name and
 * result, written by the rename run as "folder : old : new : result".
 */
#include <QString>
#include <array>

namespace renamewin {

struct LogLine {
    /** "Path", "Original Name", "Modified Name", "Result"; a missing field is empty. */
    std::array<QString, 4> Fields;
    /** How many fields the line holds (1 to 4). */
    int FieldCount = 0;

    /** The result text of a successful rename. */
    static const QString Successful;

    /** A line whose result is missing or is not exactly "Rename Successful". */
    bool failed() const { return FieldCount < 4 || Fields[3] != Successful; }

    /**
     * Splits a log line at " : ". A line with up to three separators is split from the left,
     * the fields it lacks stay empty. A line with more separators holds names or a folder
     * with " : " in them, so it is split from both ends instead: the result is the text after
     * the last separator, the folder ends at the first separator that follows a "/" (folders
     * end in "/"; else at the first separator), and the old and new names are divided at the
     * separator between them that makes the two names closest in length.
     */
    static LogLine parse(const QString &line);
};

} // namespace renamewin

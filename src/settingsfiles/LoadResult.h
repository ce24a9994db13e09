#pragma once
/**
 * The outcome of reading a settings file. A refused file has changed nothing; `message` is the
 * text to show the user, `reason` says what was wrong for logs and tests.
 */
#include <QString>
#include <utility>

namespace settingsfiles {

/** The message shown for a settings file that cannot be used. */
inline const QString InvalidFileMessage = QStringLiteral("Invalid File");

struct LoadResult {
    bool loaded = false;
    QString message;  ///< empty when loaded, else "Invalid File"
    QString reason;   ///< why the file was refused, e.g. "line 27 (List3.ListIndex): ..."
    int line = 0;     ///< the refused line of the file (1-based), 0 when no single line is at fault

    static LoadResult ok() { return {true, {}, {}, 0}; }
    static LoadResult invalid(QString reason, int line = 0)
    {
        return {false, InvalidFileMessage, std::move(reason), line};
    }
    explicit operator bool() const { return loaded; }
};

} // namespace settingsfiles

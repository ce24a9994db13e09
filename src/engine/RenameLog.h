#pragma once
/**
 * The rename log: one line per row a rename run attempted, "Path : Original : Preview : result",
 * where the result is "Rename Successful" or the text of the error that stopped the move. Lines
 * end with CR LF.
 *
 * The lines reach the disk as the run goes, in the run's own file, the dated
 * "Rename_Log<mm_dd_yyyy><hh_mm_ss_AM/PM>.txt" in the program folder. The run creates that file
 * itself and never touches one it did not create: when the name is taken (another run, in another
 * window or process, started in the same second; or anything else by that name) the run's file
 * is the first free one of "..._2.txt", "..._3.txt" and so on, the number before ".txt". A row's
 * names are written to it just before its move and its result right after (so nothing waits in
 * memory), and the file is synced to the disk every 250 ms. So a run that is killed leaves a record of every rename
 * it made (the row it was at may lack its result). At the end "templog.log" is replaced as a
 * whole by a copy of the run's file; the dated file is kept when the run asks for it (the user
 * wants a copy of every log, or the run has failures to tell of), or when "templog.log" could not
 * be written.
 *
 * The lines are not kept in memory: the run's file is the log. When a write to it fails (a full
 * disk) begin() or write() says so and the run stops; the file is left ending where it ended
 * before that write, and a line whose result could not be written waits here for the copies
 * made at close().
 */
#include "TextFile.h"
#include "VbError.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QString>

namespace engine {

class RenameLog {
public:
    /** The result of a row whose move succeeded. */
    static QString successText() { return QStringLiteral("Rename Successful"); }

    /** "templog.log" in the program folder. */
    static QString fileName();
    /** The dated copy's name in the program folder for a run started at `at`:
     *  "Rename_Log" + date "mm_dd_yyyy" + time "hh_mm_ss_AM/PM" + ".txt"; from `number` 2 on
     *  the number comes before ".txt" after an underscore ("..._PM_2.txt"). */
    static QString datedFileName(const QDateTime &at, int number = 1);
    /** One line: the four fields joined by " : ". */
    static QString line(const QString &path, const QString &original, const QString &preview,
                        const QString &result);

    /** The longest time between two syncs of the run's file to the disk. */
    static constexpr qint64 SyncMilliseconds = 250;

    /** The most numbered names a run tries for its file before it gives up. */
    static constexpr int MostRunFiles = 1000;

    /** A log of a run started at `start`, written as the run goes to the run's own dated file,
     *  and to `path` as a whole at close(). */
    explicit RenameLog(const QDateTime &start, QString path = fileName());
    ~RenameLog();
    RenameLog(const RenameLog &) = delete;
    RenameLog &operator=(const RenameLog &) = delete;

    /** Makes sure the log can be written: "templog.log" is a file that may be replaced, and
     *  the run's file is created under the first dated name that is free (nothing that exists
     *  is opened, followed or replaced). Nothing is renamed when this fails; failedPath() then
     *  names the file (the first dated name when all MostRunFiles of them are taken). */
    vb::Status open();
    /** Starts the line of a row about to be moved: its names go to the run's file at once.
     *  False when they could not be written (runFailure() says why): the row must not be moved,
     *  and the file keeps only the lines before it. */
    bool begin(const QString &path, const QString &original, const QString &preview);
    /** Adds the line of one row (ending the line begin() started for it). False when the run's
     *  file did not take it: the line is kept for close(), and no further row may be moved. */
    bool write(const QString &path, const QString &original, const QString &preview,
               const QString &result);
    /** Closes the run's file, then replaces the log file with every line (copied from the run's
     *  file). The run's file is then removed, unless `keepRunFile` (it stays as the run's own
     *  record, written whole again if a write failed during the run) or the log file could not
     *  be written (it is the only record left). A file that has taken the run's file's name
     *  meanwhile is neither removed nor rewritten. */
    vb::Status close(bool keepRunFile);

    /** The file whose write failed last. */
    const QString &failedPath() const { return m_failedPath; }
    /** The run's own file, known after open(). */
    const QString &runFile() const { return m_runFile; }
    /** Why the run's file stopped taking lines (ok while it takes them). */
    const vb::Status &runFailure() const { return m_runFailure; }
    /** After close(): the file that holds this run's lines. The run's own file when it was kept
     *  and holds them all; else "templog.log" when it was written; else the run's own file with
     *  what reached it (empty when another file has taken its name). */
    const QString &recordFile() const { return m_recordFile; }
    /** After close(): whether recordFile() holds every line of the run. */
    bool recordWhole() const { return m_recordWhole; }

private:
    bool append(const QByteArray &bytes);
    void sync();
    /** Replaces `path` with every line: the run's file up to its last whole line, then the line
     *  it did not take. */
    vb::Status writeWhole(const QString &path) const;

    QString m_path;
    QDateTime m_start;
    QString m_runFile;
    QString m_failedPath;
    QString m_recordFile;
    bool m_recordWhole = false;
    int m_fd = -1;
    int m_readFd = -1;  ///< the run's file, read back for the copies
    QString m_begun;    ///< the start of the line begin() wrote, until write() ends it
    QElapsedTimer m_sinceSync;
    vb::Status m_runFailure;
    qint64 m_fileBytes = 0;       ///< the bytes the run's file took
    qint64 m_wholeLineBytes = 0;  ///< the run's file's bytes up to the end of its last whole line
    QByteArray m_unwritten;       ///< the line the run's file did not take (the run stopped there)
};

} // namespace engine

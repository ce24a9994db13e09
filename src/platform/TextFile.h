#pragma once
/**
 * The program's text files: written as UTF-8 with CR LF line ends into a temporary file that
 * replaces the old one only when everything was written (only ever a regular file, or the
 * regular file a link leads to: see AtomicFile); read line by line accepting CR LF, LF
 * or a lone CR, with bytes that are not valid UTF-8 read as Windows-1252.
 */
#include "AtomicFile.h"
#include "VbError.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace textfile {

/** Writes the lines, each followed by CR LF, atomically. A name held in a line is written as the
 *  bytes it has on disk (see pathcodec), so a name that is not UTF-8 is kept byte for byte. */
vb::Status writeLines(const QString &path, const QStringList &lines);

/** The largest program file the readers take (1 MiB); any valid one is far smaller. */
inline constexpr qint64 MaxProgramFileBytes = qint64(1) << 20;
/** The largest list file (file lists, bookmarks, the rename log) the readers take (64 MiB). */
inline constexpr qint64 MaxListFileBytes = qint64(64) << 20;

/** Reads a whole program file (a path starting with ":" is one built into the program, as Qt
 *  names them). Only a regular file is read (a FIFO or a device is refused at
 *  once, never waited on), and only one of at most `maxBytes`: anything else is refused with a
 *  text saying why, and `bytes` is left as it was. */
vb::Status readBytes(const QString &path, QByteArray &bytes, qint64 maxBytes = MaxProgramFileBytes);

/** Reads a whole text file as readBytes() does, decoded as decode() does. */
vb::Status readText(const QString &path, QString &text, qint64 maxBytes = MaxProgramFileBytes);

/** Reads every line as readText() reads the file; a final line end does not make an extra
 *  empty line. */
vb::Status readLines(const QString &path, QStringList &lines, qint64 maxBytes = MaxProgramFileBytes);

/**
 * Reads every line of a file that holds names of items, as readLines() reads the file but line
 * by line: a line for which `isNameLine(index)` (0-based) is true is a name, its bytes kept
 * through the name codec whether they are UTF-8 or not (as the writer wrote them: any other
 * reading of them would name another item); every other line is text, UTF-8 when it is valid,
 * else Windows-1252. A byte-order mark at the start of the file is dropped.
 */
vb::Status readLines(const QString &path, QStringList &lines, qint64 maxBytes,
                     const std::function<bool(qsizetype index)> &isNameLine);

/** `value` for a refusal message: at most about 100 characters of it, with its control
 *  characters escaped. */
QString quoted(const QString &value);

/** Decodes file bytes: UTF-8 when valid (a BOM is dropped), else Windows-1252. */
QString decode(QByteArrayView bytes);
/** Decodes one line of text: UTF-8 when valid, else Windows-1252. */
QString decodeLine(QByteArrayView bytes);
/** Splits text at CR LF, LF or CR. */
QStringList splitLines(const QString &text);

/** A line writer for long outputs: lines go out as they come, the file replaces the old one
 *  at commit(). Nothing is replaced when commit() is not reached. */
class Writer {
public:
    explicit Writer(const QString &path);
    ~Writer();
    /** Opens the temporary file; fails when the folder is not writable or the path is not a
     *  regular file (nor a link to one). */
    vb::Status open();
    void writeLine(const QString &line);
    /** Replaces the old file when every line and the final flush were written; otherwise the
     *  old file stays byte for byte and the failure comes back. */
    vb::Status commit();

private:
    void flushBuffer();

    AtomicFile m_file;
    QByteArray m_buffer;
};

} // namespace textfile

#pragma once
// Small helpers for tests that work on real files in temporary folders.
#include <QByteArray>
#include <QString>

namespace testfiles {

/** Writes bytes to a file, creating parent folders; fails the test on error. */
void writeFile(const QString &path, const QByteArray &bytes);

/** Writes bytes to a file whose path is given as the system's bytes, so that a name that is not
 *  UTF-8 is made as itself; fails the test on error. */
void writeRawFile(const QByteArray &path, const QByteArray &bytes);

/** Reads a whole file; an empty array when it cannot be opened. */
QByteArray readFile(const QString &path);

/** The folder under the build tree where tests leave screenshots for reviewers. */
QString artifactFolder();

} // namespace testfiles

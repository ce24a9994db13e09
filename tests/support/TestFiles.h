#pragma once
// Small helpers for tests that work on real files in temporary folders.
#include <QByteArray>
#include <QString>

namespace testfiles {

/** Writes bytes to a file, creating parent folders; fails the test on error. */
void writeFile(const QString &path, const QByteArray &bytes);

/** Reads a whole file; an empty array when it cannot be opened. */
QByteArray readFile(const QString &path);

/** The folder under the build tree where tests leave screenshots for reviewers. */
QString artifactFolder();

} // namespace testfiles

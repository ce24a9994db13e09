#pragma once
// Small helpers for tests that work on real files in temporary folders.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

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

/** Removes the folder `path` and everything in it, going by the system's bytes of each name, so
 *  that names that are not UTF-8 (which the toolkit's recursive removal skips) go too; folders
 *  without read, write or search permission are opened up first. Returns whether the folder is
 *  gone. */
bool removeTree(const QString &path);

/** A temporary folder that is removed with everything in it, names that are not UTF-8 included
 *  (QTemporaryDir leaves such names, and so their folders, behind). */
class TempDir : public QTemporaryDir {
public:
    using QTemporaryDir::QTemporaryDir;
    ~TempDir()
    {
        if (isValid() && autoRemove())
            removeTree(path());
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
};

} // namespace testfiles

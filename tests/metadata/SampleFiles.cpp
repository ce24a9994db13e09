#include "SampleFiles.h"

#include "TestFiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace samples {

QStringList packageFiles(const QString &package, const QString &suffix, const QString &fallback)
{
    QProcess dpkg;
    dpkg.start(QStringLiteral("dpkg"), {QStringLiteral("-L"), package});
    QStringList found;
    if (dpkg.waitForFinished(30000) && dpkg.exitCode() == 0)
        for (const QString &line : QString::fromUtf8(dpkg.readAllStandardOutput()).split(u'\n'))
            if (line.endsWith(suffix) && QFileInfo(line).isFile())
                found << line;
    if (found.isEmpty() && !fallback.isEmpty() && QFileInfo(fallback).isFile())
        found << fallback;
    found.sort();
    return found;
}

QStringList cameraPictures()
{
    return packageFiles(
        QStringLiteral("golang-github-rwcarlsen-goexif-dev"), QStringLiteral(".jpg"))
        .filter(QStringLiteral("/exif/samples/"));
}

QString taggedSong()
{
    const QStringList found = packageFiles(QStringLiteral("golang-github-hjfreyer-taglib-go-dev"),
        QStringLiteral("testdata/BeatThee.mp3"),
        QStringLiteral(
            "/usr/share/gocode/src/github.com/hjfreyer/taglib-go/taglib/testdata/BeatThee.mp3"));
    return found.isEmpty() ? QString() : found.first();
}

bool haveExiftool()
{
    return !QStandardPaths::findExecutable(QStringLiteral("exiftool")).isEmpty();
}

std::vector<QStringList> exiftool(const QStringList &tags, const QStringList &files)
{
    QStringList args{"-q", "-m", "-s", "-s", "-s", "-T", "-charset", "exif=utf8"};
    for (const QString &t : tags)
        args << u'-' + t;
    args << files;
    QProcess p;
    p.start(QStringLiteral("exiftool"), args);
    std::vector<QStringList> rows;
    if (!p.waitForFinished(120000))
        return rows;
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts))
        rows.push_back(line.split(u'\t'));
    return rows;
}

QStringList exifBlocks(const QStringList &pictures, const QString &folder)
{
    QStringList paths;
    for (const QString &picture : pictures) {
        const QByteArray data = testfiles::readFile(picture);
        const qsizetype marker = data.indexOf(QByteArray("Exif\0\0", 6));
        paths << folder + u'/' + QString::number(paths.size()) + QStringLiteral(".tif");
        testfiles::writeFile(paths.last(), marker < 0 ? QByteArray() : data.mid(marker + 6));
    }
    return paths;
}

} // namespace samples

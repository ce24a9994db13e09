#pragma once
// Sample files from Debian packages and exiftool as an oracle, for the tests that read files no
// one on the team wrote.
#include <QString>
#include <QStringList>

#include <vector>

namespace samples {

/** The files a Debian package installed whose path ends with `suffix`, sorted; `fallback` when
 *  dpkg does not list any (and it exists). */
QStringList packageFiles(const QString &package, const QString &suffix, const QString &fallback = {});

/** The camera pictures of golang-github-rwcarlsen-goexif-dev's "exif/samples/" folder. */
QStringList cameraPictures();

/** The ID3v2.3-tagged song of golang-github-hjfreyer-taglib-go-dev ("" when not installed). */
QString taggedSong();

bool haveExiftool();

/** exiftool's values of `tags` ("-s -s -s -T") for each file, one row per file, "-" for a tag
 *  the file does not have. */
std::vector<QStringList> exiftool(const QStringList &tags, const QStringList &files);

/** Writes the EXIF block (the TIFF data after "Exif\0\0") of each picture into `folder` as a
 *  ".tif" file that exiftool reads; the sample pictures' image data is cut short, so exiftool
 *  refuses the pictures themselves. Returns the written paths in picture order. */
QStringList exifBlocks(const QStringList &pictures, const QString &folder);

} // namespace samples

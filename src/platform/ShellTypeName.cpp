#include "ShellTypeName.h"

#include <QFileInfo>

namespace {

struct TypeName {
    const char *extension;
    const char *name;
};

// Windows-style type names of common file types.
constexpr TypeName kTypeNames[] = {
    {"jpg", "JPEG Image"}, {"jpeg", "JPEG Image"}, {"jpe", "JPEG Image"}, {"jfif", "JPEG Image"},
    {"png", "PNG Image"}, {"gif", "GIF Image"}, {"bmp", "Bitmap Image"}, {"tif", "TIFF Image"},
    {"tiff", "TIFF Image"}, {"ico", "Icon"}, {"svg", "SVG Document"},
    {"txt", "Text Document"}, {"log", "Text Document"}, {"ini", "Configuration Settings"},
    {"htm", "HTML Document"}, {"html", "HTML Document"}, {"xml", "XML Document"},
    {"pdf", "PDF Document"}, {"doc", "Microsoft Word Document"}, {"docx", "Microsoft Word Document"},
    {"xls", "Microsoft Excel Worksheet"}, {"xlsx", "Microsoft Excel Worksheet"},
    {"ppt", "Microsoft PowerPoint Presentation"}, {"pptx", "Microsoft PowerPoint Presentation"},
    {"rtf", "Rich Text Format"}, {"csv", "Microsoft Excel Comma Separated Values File"},
    {"mp3", "MP3 Format Sound"}, {"wav", "Wave Sound"}, {"wma", "Windows Media Audio file"},
    {"ogg", "OGG File"}, {"flac", "FLAC File"}, {"mid", "MIDI Sequence"}, {"midi", "MIDI Sequence"},
    {"avi", "Video Clip"}, {"mpg", "Movie Clip"}, {"mpeg", "Movie Clip"}, {"mp4", "MP4 Video"},
    {"mov", "QuickTime Movie"}, {"wmv", "Windows Media Audio/Video file"},
    {"zip", "Compressed (zipped) Folder"}, {"rar", "WinRAR archive"}, {"7z", "7Z File"},
    {"gz", "GZ File"}, {"tar", "TAR File"}, {"exe", "Application"}, {"dll", "Application Extension"},
    {"sh", "Shell Script"}, {"bat", "MS-DOS Batch File"}, {"so", "Shared Library"},
    {"c", "C Source"}, {"cpp", "C++ Source"}, {"h", "C Header"}, {"py", "Python File"},
};

} // namespace

QString ShellTypeNameFor(const QString &fileName, bool isFolder)
{
    if (isFolder)
        return ShellFolderTypeName;
    qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot == fileName.size() - 1)
        return QStringLiteral("File");
    const QString ext = fileName.mid(dot + 1);
    const QString lower = ext.toLower();
    for (const TypeName &t : kTypeNames)
        if (lower == QLatin1String(t.extension))
            return QLatin1String(t.name);
    return ext.toUpper() + QStringLiteral(" File");
}

QString ShellTypeName(const QString &path)
{
    QFileInfo fi(path);
    return ShellTypeNameFor(fi.fileName(), fi.isDir());
}

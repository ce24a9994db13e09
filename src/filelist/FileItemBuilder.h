#pragma once
/**
 * Turns a file or folder into the texts of a list row: size in kilobytes, type name, last-write
 * date and the key of its icon.
 */
#include "DirectoryListing.h"
#include "ListItem.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QTime>
#include <vector>

namespace filelist {

class ImageList;

/** What one lookup gives for a row. */
struct FileItemInfo {
    /** The folder, ending in "/" (in). */
    QString Folder;
    /** The name (in). */
    QString Name;
    QString SizeText;
    QString TypeName;
    QString DateText;
    QString IconKey;
    qint64 SizeBytes = -1;
    qint64 LastWriteSecs = ListItem::NoTime;
    bool found = false;
    bool isFolder = false;

    QString FullPath() const { return Folder + Name; }
};

class FileItemBuilder {
public:
    FileItemBuilder();

    /** Takes the default locale's digit grouping again (the default locale may change). */
    void RefreshLocale();

    /** Fills `info` for its path; a path that cannot be looked up leaves every field empty. */
    void FillFileItem(FileItemInfo &info);
    /** The same from a lookup already made. */
    void FillFileItem(FileItemInfo &info, const FileStat &st);

    /** The row AddFile appends: name, folder, size text (empty for a folder), type, date, and
     *  the icon, added to `images` under the item's icon key when new. */
    ListItem MakeRow(const FileItemInfo &info, ImageList &images) const;

    /** The type name of a name ("File Folder" for a folder), remembered per extension. */
    QString TypeNameFor(const QString &fileName, bool isFolder);

    /** The size in whole kilobytes rounded up, grouped by the locale, with "KB": 0 bytes give
     *  "0KB", 1 to 1024 bytes "1KB", 1,048,577 bytes "1,025KB". */
    static QString SizeText(qint64 bytes);
    /** The same with the given group separator. */
    static QString SizeText(qint64 bytes, const QString &groupSeparator);
    /** Year/month/day hour:minutes:seconds and AM or PM on the 12-hour clock, without zero
     *  padding of the date and the hour: "2024/5/9 3:07:05 PM", noon "12:00:00 PM", half past
     *  midnight "12:30:00 AM". */
    static QString DateText(const QDate &date, const QTime &time);
    /** The same for a time in seconds since the epoch, in local time. */
    static QString DateText(qint64 secsSinceEpoch);
    /** The icon key: the type name; for a Windows program that expects a Windows version, and
     *  for a shortcut, the file name alone; for other programs "DOSExeIcon". */
    static QString IconKeyFor(const QString &typeName, const QString &folder, const QString &name);

private:
    /** A type name and whether it makes the item a program or a shortcut. */
    struct KnownType {
        QString typeName;
        bool program = false;
    };
    struct RecentType {
        QString extension;
        KnownType type;
    };
    KnownType knownType(const QString &fileName, bool isFolder);
    QString cachedSizeText(qint64 bytes);
    QString cachedDateText(qint64 secsSinceEpoch);

    QHash<QString, KnownType> m_typeNames;
    /** The last few extensions met, looked up without building a key. */
    RecentType m_recent[8];
    size_t m_nextRecent = 0;
    /** The type of names without an extension, once met. */
    KnownType m_noExtension;
    QString m_groupSeparator;
    /** Size texts below 1,000 KB (no digit grouping), by kilobytes, made when first needed. */
    std::vector<QString> m_smallSizes;
    /** The last date text made: files of one folder often share their time. */
    qint64 m_lastDateSecs = 0;
    QString m_lastDateText;
    bool m_hasLastDate = false;
    /** The sub-item lists of recent rows: a row whose sub-items are the very same texts as
     *  one of them shares its list (many files of a folder read alike). */
    QStringList sharedSubItems(const QString &folder, const QString &size, const QString &type,
                               const QString &date) const;
    mutable QStringList m_recentSubItems[8];
    mutable size_t m_nextSubItems = 0;
};

} // namespace filelist

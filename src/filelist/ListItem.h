#pragma once
/** One row of the file list. */
#include "ShellTypeName.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <limits>

namespace filelist {

/**
 * A row: the item text (the name) and its sub-items (1 the folder, 2 the size text, 3 the type
 * name, 4 the date text, as AddFile writes them), its tag and small icon (its check mark is kept
 * by the list that shows it, see ListItemsModel::Checked). Rows made
 * from files also keep the size and last-write time they were read with, so sorting does not
 * have to read the texts back; changing such a cell's text forgets the value.
 */
struct ListItem {
    static constexpr qint64 NoTime = std::numeric_limits<qint64>::min();

    QString Text;
    /** Sub-item k at index k - 1; sub-items never written are empty. */
    QStringList SubItemTexts;
    QString Tag;
    /** Index of the row's image in the control's image list; -1 for none. */
    int32_t SmallIcon = -1;
    /** File size in bytes behind the text of sub-item 2; -1 when unknown. */
    qint64 SizeBytes = -1;
    /** Last-write time (seconds since the epoch) behind the text of sub-item 4. */
    qint64 LastWriteSecs = NoTime;

    /** Sub-item `k` (1-based); empty when never written. */
    QString SubItems(int k) const { return k >= 1 ? SubItemTexts.value(k - 1) : QString(); }
    /** The last-write time in local time; invalid when unknown. */
    QDateTime LastWrite() const
    {
        return LastWriteSecs == NoTime ? QDateTime() : QDateTime::fromSecsSinceEpoch(LastWriteSecs);
    }
};

/** A row as the windows that work on files read it. */
struct FileRow {
    /** 1-based row number. */
    int32_t Index = 0;
    QString Name;
    /** The folder text, ending in "/". */
    QString Folder;
    QString SizeText;
    QString TypeName;
    QString DateText;
    /** -1 when unknown (folders, edited cells). */
    qint64 SizeBytes = -1;
    /** Invalid when unknown. */
    QDateTime LastWrite;
    bool Checked = false;

    bool isFolder() const { return TypeName == ShellFolderTypeName; }
    /** Folder text followed by the name. */
    QString FullPath() const { return Folder + Name; }
};

} // namespace filelist

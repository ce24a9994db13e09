#pragma once
/**
 * The recursive folder walk behind the list's scan and the folders dropped on it. Depth first:
 * a folder's sub-folders (with their whole trees) come before its own matching entries. Every
 * entry matching the mask is listed, sub-folders and hidden entries included; the walk enters
 * real sub-folders only (links to folders are listed but not followed).
 *
 * The walk yields after every entry. Matching entries are looked up in batches (on a few threads
 * for large folders) before their rows are added one by one; the next batch is looked up while the
 * rows of one are added. A stop request ends the walk at the
 * next yield; the rows added so far stay. A clearing walk started while another runs (from a handler during a yield)
 * supersedes it: the older walk stops adding rows and returns without touching status or
 * progress.
 */
#include "DirectoryListing.h"
#include "EntryStats.h"

#include <QString>
#include <cstdint>

namespace filelist {

class ScanProgressSink;
class WildcardMask;

class FolderScan {
public:
    /** What the walk needs of the control that owns it. */
    class Host {
    public:
        virtual ~Host() = default;
        /** Announces a folder; the handler may redirect the walk by changing `directory`. */
        virtual void searchDirChange(QString &directory) = 0;
        /** Appends the row of one entry of `folder` (ending in "/") as `st` describes it. */
        virtual void addEntryRow(const QString &folder, const DirEntry &entry, const FileStat &st) = 0;
        /** Up to `rows` rows are about to be added (a folder's matching entries). */
        virtual void expectRows(size_t /*rows*/) {}
        virtual void clearRows() = 0;
        /** Shows the rows added so far at once. */
        virtual void repaintNow() = 0;
        virtual void yield() = 0;
        virtual int32_t updateFrequency() const = 0;
        virtual ScanProgressSink *progressSink() const = 0;
    };

    /** How a walk ended. */
    struct Result {
        /** Rows added since the last clearing walk. */
        int32_t count = 0;
        /** A later clearing walk took over. */
        bool superseded = false;
    };

    explicit FolderScan(Host &host) : m_host(host) {}

    /** Walks `path` with `fileSpec`, clearing the list, the counters and the stop flag first
     *  when `clear`. */
    Result ScanFolder(const QString &path, const QString &fileSpec, bool recursive, bool clear);

    void Stop() { m_stopFlag = true; }
    void ResetStop() { m_stopFlag = false; }
    bool Stopped() const { return m_stopFlag; }
    bool Running() const { return m_depth > 0; }
    int32_t TotalCount() const { return m_totalCount; }

private:
    void walk(QString directory, const WildcardMask &mask, bool recursive, quint64 generation);
    bool interrupted(quint64 generation) const { return m_stopFlag || generation != m_generation; }
    void stepProgress() const;

    Host &m_host;
    bool m_stopFlag = false;
    int32_t m_totalCount = 0;
    int32_t m_sinceRedraw = 0;
    quint64 m_generation = 0;
    int m_depth = 0;
    EntryStats m_stats;
};

} // namespace filelist

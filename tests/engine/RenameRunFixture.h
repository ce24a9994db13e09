#pragma once
// The rename run's fixture: a data folder, a home folder that receives the run's log, an engine
// on a host that also records the after-rename callbacks, and helpers that make items and rows.
#include "AppState.h"
#include "Clock.h"
#include "EngineHost.h"
#include "MetadataSource.h"
#include "PreviewTable.h"
#include "RandomSource.h"
#include "RecordingEngineHost.h"
#include "RenameEngine.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace renamerun {

using namespace engine;

inline const QString FileFolder = QStringLiteral("File Folder");
inline const QString TextFile = QStringLiteral("TXT File");

// One row of a rename case: the item's name, its new name, its kind and its folder below the
// data folder ("" or ending in "/").
struct ItemRow {
    const char *original;
    const char *preview;
    bool isFolder;
    const char *sub;
    const char *result = nullptr;  // the end of its log line when it is not renamed
};

// A host that also records the after-rename callbacks.
class ExecuteHost : public RecordingEngineHost {
public:
    using RecordingEngineHost::RecordingEngineHost;
    void refreshMainList(const std::vector<MainListFile> &files) override
    {
        QStringList paths;
        for (const MainListFile &file : files)
            paths.append(file.Path + file.Name);
        refreshed.append(paths.join(u'|'));
    }
    void showRenameLog(const QString &logFile) override
    {
        ++logsShown;
        logShown = logFile;
    }

    QStringList refreshed;  // one entry per refresh: the full paths joined by "|"
    int logsShown = 0;
    QString logShown;  // the file the last log viewer was opened on
};

class RenameRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && data.isValid());
        m_hadHome = qEnvironmentVariableIsSet("VEXLO_HOME");
        m_oldHome = qgetenv("VEXLO_HOME");
        qputenv("VEXLO_HOME", QFile::encodeName(home.path()));
        engine.Previewed = true;
    }
    void TearDown() override
    {
        if (m_hadHome)
            qputenv("VEXLO_HOME", m_oldHome);
        else
            qunsetenv("VEXLO_HOME");
    }

    QString dir() const { return data.path() + u'/'; }
    QString homeFile(const QString &name) const { return home.path() + u'/' + name; }

    void file(const QString &relative, const QByteArray &content = "x")
    {
        testfiles::writeFile(dir() + relative, content);
    }
    void folder(const QString &relative) { ASSERT_TRUE(QDir().mkpath(dir() + relative)); }
    bool exists(const QString &relative) const { return QFileInfo::exists(dir() + relative); }

    void addRow(const QString &original, const QString &preview, const QString &type = TextFile,
                const QString &sub = QString())
    {
        PreviewRow row;
        row.Original = original;
        row.Preview = preview;
        row.Path = dir() + sub;
        row.Type = type;
        grid.addRow(row);
    }
    void addRows(const std::vector<ItemRow> &rows)
    {
        for (const ItemRow &r : rows)
            addRow(r.original, r.preview, r.isFolder ? FileFolder : TextFile, r.sub);
    }

    QByteArray logBytes() const { return testfiles::readFile(homeFile("templog.log")); }
    QStringList logLines() const
    {
        QStringList lines = QString::fromUtf8(logBytes()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.constLast().isEmpty())
            lines.removeLast();
        return lines;
    }
    QStringList prompts() const
    {
        QStringList out;
        for (const auto &m : host.messages)
            out.append(m.prompt);
        return out;
    }
    QStringList originals() const
    {
        QStringList out;
        for (const PreviewRow &row : grid.rows())
            out.append(row.Original);
        return out;
    }
    QStringList previews() const
    {
        QStringList out;
        for (const PreviewRow &row : grid.rows())
            out.append(row.Preview);
        return out;
    }

    QTemporaryDir home;
    QTemporaryDir data;
    AppState app;
    ExecuteHost host{&app};
    NoMetadata metadata;
    FixedClock clock{QDateTime(QDate(2026, 12, 9), QTime(20, 49, 36))};
    FixedRandom random{{0.0f}};
    RenameEngine engine{app, host, metadata, clock, random};
    PreviewTable grid;

private:
    bool m_hadHome = false;
    QByteArray m_oldHome;
};

} // namespace renamerun

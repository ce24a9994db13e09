#pragma once
// A rename engine wired to test services: a recording host bound to the AppState's StopFlag, a
// picture/music source served from tables, a clock fixed at Tuesday 3 February 2026 21:05:09 and
// a random source that always draws 0 (so "A" gives "A", "a" gives "a", "#" gives "0").
#include "Actions.h"
#include "AppState.h"
#include "Clock.h"
#include "Counters.h"
#include "MetadataSource.h"
#include "Preview.h"
#include "PreviewTable.h"
#include "RandomSource.h"
#include "RecordingEngineHost.h"
#include "RenameEngine.h"
#include "RenameSettings.h"

#include <QHash>
#include <QStringList>
#include <map>

namespace enginetest {

/** Picture lines and music properties by full path. */
class FakeMetadata : public engine::MetadataSource {
public:
    void beginRun() override { ++runsBegun; }
    void endRun() override { ++runsEnded; }
    QStringList exifLines(const QString &fullPath) override
    {
        picturesRead.append(fullPath);
        return pictures.value(fullPath);
    }
    void setMusicFile(const QString &fullPath) override
    {
        musicFilesSet.append(fullPath);
        m_current = fullPath;
    }
    QString musicText(engine::Id3Field field) const override
    {
        auto it = texts.find({m_current, field});
        return it == texts.end() ? QString() : it->second;
    }
    double musicNumber(engine::Id3Field field) const override
    {
        auto it = numbers.find({m_current, field});
        return it == numbers.end() ? 0.0 : it->second;
    }

    QHash<QString, QStringList> pictures;
    std::map<std::pair<QString, engine::Id3Field>, QString> texts;
    std::map<std::pair<QString, engine::Id3Field>, double> numbers;
    QStringList picturesRead;
    QStringList musicFilesSet;
    int runsBegun = 0;
    int runsEnded = 0;

private:
    QString m_current;
};

inline QDateTime fixedNow() { return QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9)); }

struct EngineFixture {
    AppState app;
    engine::RecordingEngineHost host{&app};
    FakeMetadata metadata;
    FixedClock clock{fixedNow()};
    FixedRandom random{{0.0f}};
    engine::RenameEngine engine{app, host, metadata, clock, random};
    engine::RenameSettings settings;
    engine::PreviewTable grid;

    /** Adds a grid row; the Type defaults to a plain file's. */
    void addRow(const QString &original, const QString &type = QStringLiteral("TXT File"),
                int64_t size = 0, const QString &modified = {},
                const QString &path = QStringLiteral("/data/"),
                const QString &folder = QStringLiteral("data"))
    {
        engine::PreviewRow row;
        row.Original = original;
        row.Path = path;
        row.Size = size;
        row.Modified = modified;
        row.Folder = folder;
        row.Type = type;
        grid.addRow(row);
    }

    QStringList previews() const
    {
        QStringList out;
        for (const engine::PreviewRow &row : grid.rows())
            out.append(row.Preview);
        return out;
    }

    /** Checks exactly `actions` and runs a preview; returns the Preview column. */
    QStringList preview(const QStringList &actions)
    {
        settings.checkOnly(actions);
        engine::GeneratePreview(engine, settings, grid);
        return previews();
    }

    /** Resets every counter as a run's start does. */
    void resetCounters()
    {
        for (int i = 0; i < engine::TokenActionCount; ++i)
            engine::resetCounter(settings.counter(engine::TokenAction(i)),
                                 engine.run.Counters[size_t(i)]);
    }
};

} // namespace enginetest

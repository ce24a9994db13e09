#include "Preview.h"

#include "ActionMessages.h"
#include "Actions.h"
#include "AppState.h"
#include "CodePoints.h"
#include "Counters.h"
#include "EngineHost.h"
#include "MetadataSource.h"
#include "MessageService.h"
#include "RandomSource.h"
#include "ShellTypeName.h"
#include "Validation.h"
#include "VbError.h"
#include "VbString.h"

#include <algorithm>
#include <vector>

namespace engine {

namespace {

const QString JpegType = QStringLiteral("JPEG Image");
const QString DateTimePrefix = QStringLiteral("DateTime: ");

// The four Clean classes (in the order of `CleanClasses`) and the nine kept characters (Check3
// to Check11, in the order of `CleanKeepChars`).
const char16_t *const CleanClassTexts[4] = {u"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                            u"abcdefghijklmnopqrstuvwxyz", u"aeiouAEIOU",
                                            u"0123456789"};
constexpr char16_t CleanKeepCharacters[9] = {u'_', u'-', u'(', u')', u'$', u',', u'#', u' ', u'.'};

// In whole characters, as the Length action counts.
int baseNameLength(const PreviewTable &grid, size_t row, int column)
{
    const PreviewRow &cells = grid.row(row);
    const QString &name = column == ColOriginal ? cells.Original : cells.Preview;
    return chars::Len(QStringView(name).left(BaseNameLength(name, cells.Type)));
}

struct NameLengths {
    int longest;
    int shortest;
};

// The longest and shortest base-name length of a column, in one pass; throws on a table without
// rows or another column.
NameLengths nameLengths(const PreviewTable &grid, int column)
{
    if (column != ColOriginal && column != ColPreview)
        throw vb::Error(vb::SubscriptOutOfRange);
    if (grid.Rows() == 0)
        throw vb::Error(vb::SubscriptOutOfRange);
    NameLengths lengths{baseNameLength(grid, 1, column), 0};
    lengths.shortest = lengths.longest;
    for (size_t row = 2; row <= grid.Rows(); ++row) {
        const int length = baseNameLength(grid, row, column);
        lengths.longest = std::max(lengths.longest, length);
        lengths.shortest = std::min(lengths.shortest, length);
    }
    return lengths;
}

// The picture date of a row: the value of its "DateTime" line, or empty.
QString pictureDateOf(const QStringList &exifLines)
{
    for (const QString &line : exifLines) {
        if (line.startsWith(DateTimePrefix))
            return line.mid(DateTimePrefix.size());
    }
    return {};
}

// Takes the longest and shortest base-name length of a column; a table without rows leaves the
// old values.
void takeLengths(const PreviewTable &grid, int column, int &longest, int &shortest)
{
    if (grid.Rows() == 0)
        return;
    const NameLengths lengths = nameLengths(grid, column);
    longest = lengths.longest;
    shortest = lengths.shortest;
}

// One row: every active action in order on the row's Original name; returns the new name.
QString previewRow(RenameEngine &engine, const RenameSettings &settings, PreviewTable &grid,
                   size_t rowNumber, const std::vector<const ActionInfo *> &actions)
{
    RunState &run = engine.run;
    const PreviewRow &cells = grid.row(rowNumber);
    RowValues row{cells.Modified, float(cells.Size), cells.Folder, cells.Type, {}, cells.NoSize};
    QString name = cells.Original;

    run.CurrentExtension = GetFName(name, QString(), true);
    if (run.CurrentExtension.compare(QLatin1String(".MP3"), Qt::CaseInsensitive) == 0)
        engine.metadata.setMusicFile(cells.Path + cells.Original);

    run.PictureDate.clear();
    run.ExifLines.clear();
    if (row.Type == JpegType) {
        run.ExifLines = engine.metadata.exifLines(cells.Path + cells.Original);
        run.PictureDate = pictureDateOf(run.ExifLines);
    }
    row.PictureDate = run.PictureDate;

    ActionCall call{engine, settings, row};
    const qsizetype notedBefore = run.ActionFailures.size();
    QString failure;
    struct SinkScope {
        explicit SinkScope(QString *sink) : previous(ActionFailureSink) { ActionFailureSink = sink; }
        ~SinkScope() { ActionFailureSink = previous; }
        QString *previous;
    } sinkScope(&failure);
    for (const ActionInfo *action : actions) {
        if (action) {
            if (action->apply == &ApplyLength && !run.ModifiedLengthsTaken) {
                run.ModifiedLengthsTaken = true;
                takeLengths(grid, ColPreview, run.LongestModifiedLength,
                            run.ShortestModifiedLength);
                engine.host.yield();
            }
            try {
                name = action->apply(call, name);
            } catch (const vb::Error &e) {
                if (failure.isNull())
                    failure = e.description();
            }
            if (failure.isNull() && run.ActionFailures.size() > notedBefore)
                failure = run.ActionFailures.constLast().isEmpty() ? QStringLiteral("empty name")
                                                                    : run.ActionFailures.constLast();
        }
        engine.host.yield();
    }
    if (!failure.isNull())
        run.FailedRows.emplace_back(rowNumber, failure);
    return name;
}

} // namespace

qsizetype BaseNameLength(QStringView FileName, QStringView ftype)
{
    if (ftype == ShellFolderTypeName)
        return FileName.size();
    const qsizetype dot = FileName.lastIndexOf(u'.');
    return dot < 0 ? FileName.size() : dot;
}

QString GetFName(const QString &FileName, const QString &ftype, bool EXT)
{
    const qsizetype base = BaseNameLength(FileName, ftype);
    if (base == FileName.size())
        return EXT ? QString() : FileName;
    return EXT ? FileName.mid(base) : FileName.left(base);
}

int GetMaxNameLength(const PreviewTable &grid, int column)
{
    return nameLengths(grid, column).longest;
}

int GetMinNameLength(const PreviewTable &grid, int column)
{
    return nameLengths(grid, column).shortest;
}

void buildCleanSets(const RenameSettings &settings, RunState &run)
{
    run.CleanRemoveSet.clear();
    run.CleanKeepSet.clear();
    for (const char16_t *classText : CleanClassTexts)
        run.CleanKeepSet += QString::fromUtf16(classText);

    for (size_t i = 0; i < settings.CleanClasses.size(); ++i) {
        if (!settings.CleanClasses[i])
            continue;
        const QString classText = QString::fromUtf16(CleanClassTexts[i]);
        run.CleanRemoveSet += classText;
        run.CleanKeepSet.remove(classText);
    }
    for (size_t i = 0; i < settings.CleanKeepChars.size(); ++i) {
        if (settings.CleanKeepChars[i])
            run.CleanKeepSet += QChar(CleanKeepCharacters[i]);
    }

    // The other kept characters, piece by piece between commas; a text that begins with ","
    // is taken whole, commas included.
    const QString t = settings.CleanKeepOther + u',';
    qsizetype start = 0;
    qsizetype p = t.indexOf(u',');
    if (p <= 0)
        p = t.size() - 1;
    while (p >= 0 && p < t.size()) {
        run.CleanKeepSet += t.mid(start, p - start);
        start = p + 1;
        p = t.indexOf(u',', start);
    }
}

namespace {

// One run; false when it ended early (no action checked, or the stop request).
bool runPreview(RenameEngine &engine, const RenameSettings &settings, PreviewTable &grid)
{
    RunState &run = engine.run;
    EngineHost &host = engine.host;

    run.ActiveActions.clear();
    takeLengths(grid, ColOriginal, run.LongestOriginalLength, run.ShortestOriginalLength);
    for (int i = 0; i < TokenActionCount; ++i)
        resetCounter(settings.counter(TokenAction(i)), run.Counters[size_t(i)]);
    buildCleanSets(settings, run);
    run.ModifiedLengthsTaken = false;
    run.ActionFailures.clear();
    run.FailedRows.clear();

    for (const ActionListItem &item : settings.ActionList) {
        if (item.Checked)
            run.ActiveActions.append(item.Name);
    }
    if (run.ActiveActions.isEmpty()) {
        host.MsgBox(QStringLiteral("Please Select Actions"), msg::OKOnly | msg::Information,
                    QStringLiteral("Renamer"));
        return false;
    }

    std::vector<const ActionInfo *> actions;
    actions.reserve(size_t(run.ActiveActions.size()));
    for (const QString &name : run.ActiveActions)
        actions.push_back(findAction(name));

    host.setProgressValue(0);
    host.setProgressMax(float(grid.Rows()));
    host.setStatus(QStringLiteral("Generating Preview..."));
    engine.metadata.beginRun();
    // Seeded once per run: every random text of the run comes from one continuing sequence.
    engine.random.randomize();

    const size_t rows = grid.Rows();
    bool stopped = false;
    for (size_t row = 1; row <= rows && row <= grid.Rows(); ++row) {
        if (host.stopRequested()) {
            // The request is used up here: the next run starts normally.
            host.setStopRequested(false);
            stopped = true;
            break;
        }
        grid.setPreview(row, previewRow(engine, settings, grid, row, actions));
        // The colour of a failed rename belongs to the names that failed, not to these.
        if (grid.row(row).RenameFailed) {
            grid.row(row).RenameFailed = false;
            grid.setCellBackColor(row, ColPreview, cellcolor::White);
        }
        host.setProgressValue(host.progressValue() + 1);
    }

    engine.metadata.endRun();
    run.ExifLines.clear();
    run.PictureDate.clear();
    host.setStatus(QStringLiteral("Ready"));
    host.setProgressValue(0);
    ShowActionFailures(engine);
    return !stopped;
}

} // namespace

void GeneratePreview(RenameEngine &engine, const RenameSettings &settings, PreviewTable &grid)
{
    if (engine.Running)
        return;
    engine.Running = true;
    engine.Previewed = false;
    bool finished = false;
    try {
        finished = runPreview(engine, settings, grid);
    } catch (...) {
        engine.Running = false;
        throw;
    }
    engine.Running = false;
    engine.Previewed = finished;
}

void cmdPreview_Click(RenameEngine &engine, const RenameSettings &settings, PreviewTable &grid)
{
    if (engine.Running)
        return;
    engine.host.setStatus(QStringLiteral("Generating Preview..."));
    GeneratePreview(engine, settings, grid);
    const bool finished = engine.Previewed;
    if (engine.app.AutoValidateNames == 1) {
        engine.host.setStatus(QStringLiteral("Validating New Names..."));
        bool anyChecked = false;
        for (const ActionListItem &item : settings.ActionList)
            anyChecked = anyChecked || item.Checked;
        if (anyChecked) {
            try {
                ValidateNewNames(engine, grid);
            } catch (const vb::Error &) {
            }
        }
    }
    engine.host.setStatus(QStringLiteral("Ready"));
    engine.Previewed = finished;
}

} // namespace engine

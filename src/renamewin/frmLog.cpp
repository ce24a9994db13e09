#include "frmLog.h"

#include "Grid.h"
#include "LogLine.h"
#include "RenameLog.h"
#include "TextFile.h"
#include "VbConvert.h"

namespace renamewin {

namespace {
// The colour of a failed result: red.
constexpr int64_t FailedColor = 255;
} // namespace

frmLog::frmLog(QWidget *parent, QString logFile)
    : QWidget(parent, Qt::Window), m_layout(this, 10635, 6000),
      m_logFile(logFile.isEmpty() ? engine::RenameLog::fileName() : std::move(logFile))
{
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(QStringLiteral("Rename Log - Morvane"));
    GridLog = m_layout.place(new Grid, this, QStringLiteral("GridLog"), {0, 0, 10635, 6000});
    resize(m_layout.designSize());
    // Small enough for any screen, large enough to show the four columns' headers.
    setMinimumSize(m_layout.designSize() / 2);
    Form_Load();
}

void frmLog::Form_Load()
{
    GridLog->setRedraw(false);
    GridLog->AddColumn(QStringLiteral("1"), QStringLiteral("Path"), Grid::AlignCenter);
    GridLog->AddColumn(QStringLiteral("2"), QStringLiteral("Original Name"), Grid::AlignCenter);
    GridLog->AddColumn(QStringLiteral("3"), QStringLiteral("Modified Name"), Grid::AlignCenter);
    GridLog->AddColumn(QStringLiteral("4"), QStringLiteral("Result"), Grid::AlignCenter);
    setColumnWidths();
    GridLog->setGridLines(true);
    GridLog->setRedraw(true);
    readLog();
}

void frmLog::Reload(const QString &logFile)
{
    if (!logFile.isEmpty())
        m_logFile = logFile;
    GridLog->Clear();
    readLog();
}

void frmLog::setColumnWidths()
{
    // The grid's width inside its border, so the four columns fill it exactly.
    const int width = int(vb::roundHalfEven(double(GridLog->InnerWidth()) / 4.0));
    for (int column = 1; column <= 4; ++column)
        GridLog->setColumnWidth(column, width);
    GridLog->setStretchLastColumn(true);
}

void frmLog::readLog()
{
    // The lines hold names as their bytes: a name that is not UTF-8 is shown as the one it is.
    QStringList lines;
    if (!textfile::readLines(m_logFile, lines, textfile::MaxListFileBytes, [](qsizetype) { return true; }))
        return;
    for (const QString &text : lines) {
        const size_t row = GridLog->AddRow();
        const LogLine line = LogLine::parse(text);
        for (int field = 0; field < line.FieldCount; ++field)
            GridLog->setCellText(row, field + 1, line.Fields[size_t(field)]);
        if (line.failed())
            GridLog->setCellBackColor(row, 4, FailedColor);
    }
    GridLog->flush();
}

void frmLog::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_layout.ResizeForm();
    GridLog->setRedraw(false);
    setColumnWidths();
    GridLog->setRedraw(true);
}

} // namespace renamewin

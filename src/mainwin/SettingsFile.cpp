#include "SettingsFile.h"
#include "ProgramTitle.h"

#include "AppFolder.h"
#include "AppState.h"
#include "AtomicFile.h"
#include "Fso.h"
#include "LineSafeText.h"
#include "MessageService.h"
#include "PathCodec.h"
#include "TextFile.h"
#include "VbConvert.h"

#include <QFileInfo>
#include <cerrno>
#include <cstdint>
#include <sys/stat.h>

namespace mainwin {

namespace {

const QString kBlank = QStringLiteral("blank");

// Line 1 holds a folder: its bytes are kept, UTF-8 or not; the other lines are text.
bool isSettingsFolderLine(qsizetype index)
{
    return index == 0;
}

QString oneLine(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

QString number(int value)
{
    return QString::number(value);
}

// Conversions that leave the target as it was when the line does not convert.
void readInt(const QString &line, int16_t &target)
{
    if (auto v = vb::CInt(line); v.ok())
        target = v.value();
}

void readBool(const QString &line, bool &target)
{
    if (auto v = vb::CBool(line); v.ok())
        target = v.value();
}

} // namespace

QString SettingsFilePath()
{
    return AppFile(QStringLiteral("Trevalle.ini"));
}

QStringList SettingsFileLines(const AppState &s, const SettingsFileControls &c, const SettingsFileWindow &w)
{
    QStringList lines;
    lines.reserve(SettingsLineCount);
    // Ticked with no folder selected: the empty line, which reads back as ticked. A folder a
    // line cannot keep (a line break, or a name that lost its bytes on the way) is not written.
    const bool folderFits = LineRefusal(w.SelectedFolder, QString(), QStringLiteral("the settings file")).isEmpty();
    lines << (c.Check1 && folderFits ? w.SelectedFolder : kBlank);
    lines << (c.Check10 ? QStringLiteral("allselected") : kBlank);
    lines << (c.OptSortMagnitude ? QStringLiteral("magnitude") : kBlank);
    lines << (c.Check19 ? oneLine(w.FileTypeText) : kBlank);
    lines << oneLine(s.FileViewName);
    lines << QString();
    lines << number(s.SkipBookmarkName);
    lines << number(s.TopMostWindow);
    lines << vb::boolText(s.ClearOnFolderDrop);
    lines << vb::boolText(s.ReplaceAllExt);
    lines << oneLine(s.ReplaceAllExtTo);
    lines << oneLine(s.TimeFormatText);
    lines << oneLine(s.DateFormatText);
    lines << oneLine(s.RandomMaskText);
    lines << number(s.LastListIndex);
    lines << number(s.ShowHiddenFolders);
    lines << number(s.AutoRefreshRenamer);
    lines << number(s.AutoRefreshMainList);
    lines << number(s.AutoValidateNames);
    lines << number(s.AutoNormalizeAttributes);
    lines << number(s.ShowLogAfterRename);
    lines << number(s.SaveLogFile);
    lines << number(s.ShowRenameDropDialog);
    lines << number(s.ShowRenameConfirmation);
    return lines;
}

vb::Status WriteSettingsFile(const QString &path, const AppState &state, const SettingsFileControls &controls,
                             const SettingsFileWindow &window)
{
    return textfile::writeLines(path, SettingsFileLines(state, controls, window));
}

vb::Status SaveSettingsFileUnchanged(const QString &path, AppState &s)
{
    SettingsFileControls controls;
    ReadSettingsFile(path, s, true, controls);
    // The preferences dialog holds these as check boxes: a value it reads as on is saved as 1.
    for (int16_t AppState::*pref : {&AppState::AutoRefreshRenamer, &AppState::AutoRefreshMainList,
                                    &AppState::AutoValidateNames, &AppState::AutoNormalizeAttributes,
                                    &AppState::ShowHiddenFolders, &AppState::ShowLogAfterRename,
                                    &AppState::SaveLogFile, &AppState::ShowRenameDropDialog,
                                    &AppState::ShowRenameConfirmation})
        s.*pref = s.*pref != 0 ? 1 : 0;
    s.SkipBookmarkName = (s.SkipBookmarkName ^ 1) != 0 ? 0 : 1;
    const SettingsFileWindow window{controls.Check1 ? s.CurrentFolder : QString(), s.CurrentFileSpec};
    const QStringList lines = SettingsFileLines(s, controls, window);
    QStringList onDisk;
    if (textfile::readLines(path, onDisk, textfile::MaxProgramFileBytes, isSettingsFolderLine) && onDisk == lines)
        return vb::Status::ok();
    return textfile::writeLines(path, lines);
}

bool ReadSettingsFile(const QString &path, AppState &s, bool ToControls, SettingsFileControls &c)
{
    QStringList lines;
    if (!textfile::readLines(path, lines, textfile::MaxProgramFileBytes, isSettingsFolderLine))
        return false;
    ReadSettingsLines(lines, s, ToControls, c);
    return true;
}

void ReadSettingsLines(const QStringList &lines, AppState &s, bool ToControls, SettingsFileControls &c)
{
    const int count = int(std::min<qsizetype>(lines.size(), qsizetype(s.SettingsLines.size())));
    for (int i = 0; i < count; ++i)
        s.SettingsLines[size_t(i)] = lines[i];

    // Line k (1-based) when the file has it.
    auto has = [&](int k) { return k <= count; };
    auto line = [&](int k) -> const QString & { return s.SettingsLines[size_t(k - 1)]; };

    if (ToControls) {
        if (has(1))
            c.Check1 = line(1) != kBlank;
        if (has(2))
            c.Check10 = line(2) != kBlank;
        if (has(3))
            c.OptSortMagnitude = line(3) != kBlank;
        if (has(4))
            c.Check19 = line(4) != kBlank;
        return;
    }

    if (has(1) && line(1) != kBlank)
        s.CurrentFolder = line(1);
    if (has(2))
        s.CheckAllOnLoad = line(2) == kBlank ? 0 : 1;
    if (has(4))
        s.CurrentFileSpec = line(4) == kBlank ? QStringLiteral("*.*") : line(4);
    if (has(5))
        s.FileViewName = line(5);

    struct IntLine {
        int line;
        int16_t AppState::*field;
    };
    static constexpr IntLine intLines[] = {
        {7, &AppState::SkipBookmarkName},         {8, &AppState::TopMostWindow},
        {15, &AppState::LastListIndex},           {16, &AppState::ShowHiddenFolders},
        {17, &AppState::AutoRefreshRenamer},      {18, &AppState::AutoRefreshMainList},
        {19, &AppState::AutoValidateNames},       {20, &AppState::AutoNormalizeAttributes},
        {21, &AppState::ShowLogAfterRename},      {22, &AppState::SaveLogFile},
        {23, &AppState::ShowRenameDropDialog},    {24, &AppState::ShowRenameConfirmation},
    };
    for (const IntLine &l : intLines)
        if (has(l.line))
            readInt(line(l.line), s.*l.field);

    if (has(9))
        readBool(line(9), s.ClearOnFolderDrop);
    if (has(10))
        readBool(line(10), s.ReplaceAllExt);

    struct TextLine {
        int line;
        QString AppState::*field;
    };
    static const TextLine textLines[] = {
        {11, &AppState::ReplaceAllExtTo}, {12, &AppState::TimeFormatText},
        {13, &AppState::DateFormatText},  {14, &AppState::RandomMaskText},
    };
    for (const TextLine &l : textLines)
        if (has(l.line))
            s.*l.field = line(l.line);
}

namespace {

// Why the settings file cannot be read as one; empty when it can, or is not there (nor its
// folder: that is told on its own), or is not a regular file at all (a device, a FIFO, a
// folder: never read, never written, left as it is).
QString unreadableReason(const QString &path)
{
    struct stat st {};
    if (::stat(pathcodec::encode(path).constData(), &st) != 0 ? errno == ENOENT || errno == ENOTDIR
                                                              : !S_ISREG(st.st_mode))
        return {};
    QByteArray bytes;
    const vb::Status read = textfile::readBytes(path, bytes, textfile::MaxProgramFileBytes);
    if (!read)
        return read.number == vb::FileNotFound ? QString() : read.description;
    if (bytes.contains('\0'))
        return QStringLiteral("The file holds binary data, not lines of text.");
    return {};
}

void tell(const AppState &state, const QString &text)
{
    if (state.RenameDropRun == 1 || !state.services.messages)
        printToStandardError(text);
    else
        state.services.messages->MsgBox(text, msg::OKOnly | msg::Critical, kProgramTitle);
}

} // namespace

bool SetAsideUnreadableSettingsFile(const AppState &state, const QString &path)
{
    const QString reason = unreadableReason(path);
    if (reason.isEmpty())
        return true;
    const QString invalid = QStringLiteral("The settings file \"%1\" cannot be read: Invalid File (%2)")
                                .arg(pathcodec::printable(path), reason.endsWith(u'.') ? reason.chopped(1) : reason);
    // Moved as itself (a link stays a link), never over an earlier file kept aside.
    vb::Status moved = vb::Status::fail(vb::FileAlreadyExists);
    QString aside;
    for (int n = 1; moved.number == vb::FileAlreadyExists && n < 1000; ++n) {
        aside = path + QStringLiteral(".bad") + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        moved = fso::MoveFile(path, aside);
    }
    if (moved)
        tell(state, invalid + QStringLiteral(". It was kept as \"%1\"; the default settings are used.")
                                  .arg(pathcodec::printable(aside)));
    else
        tell(state, invalid + QStringLiteral(". It could not be moved aside (%1); the default settings are used.")
                                  .arg(moved.description));
    return false;
}

bool RenameDropShowsDialog(const QString &path)
{
    AppState state;
    SettingsFileControls unused;
    if (unreadableReason(path).isEmpty())
        ReadSettingsFile(path, state, false, unused);
    return state.ShowRenameDropDialog == 1;
}

void ReportSavedFile(const AppState &state, const QString &path, const vb::Status &result)
{
    // An unwritable program folder fails every file in it the same way: one report is enough.
    static QString told;
    if (result) {
        told.clear();
        return;
    }
    const QString key = QFileInfo(path).absolutePath() + u'\n' + result.description;
    if (told == key)
        return;
    // A program folder that cannot be one was told at start, with what follows from it.
    if (QFileInfo(path).absolutePath() == AppFolder() && !AppFolderProblem().isEmpty())
        return;
    told = key;
    const QString text = textfile::saveFailureText(QStringLiteral("settings file"), path, result);
    if (state.RenameDropRun == 1)
        printToStandardError(text);
    else if (state.services.messages)
        state.services.messages->MsgBox(text, msg::OKOnly | msg::Critical, kProgramTitle);
}

} // namespace mainwin

#include "FileItemBuilder.h"

#include "ExecutableType.h"
#include "ImageList.h"
#include "ShellTypeName.h"

#include <QLocale>
#include <ctime>
#include <iterator>

namespace filelist {

namespace {

const QString &folderTypeName()
{
    static const QString name = ShellFolderTypeName;
    return name;
}

// Type names that make an item a program or a shortcut: the English ones in lower case and the
// Korean ones as the shell wrote them in the CP949 code page, one byte per character.
struct ProgramTypeName {
    const char16_t *name;
    bool application;
    bool lowerCaseMatch;
};
constexpr ProgramTypeName kProgramTypeNames[] = {
    {u"application", true, true},
    {u"shortcut", false, true},
    {u"\u00C0\u00C0\u00BF\u00EB \u00C7\u00C1\u00B7\u00CE\u00B1\u00D7\u00B7\u00A5", true, false},
    {u"\u00B9\u00D9\u00B7\u00CE \u00B0\u00A1\u00B1\u00E2", false, false},
};

const ProgramTypeName *programType(const QString &typeName)
{
    for (const ProgramTypeName &t : kProgramTypeNames) {
        const QStringView name(t.name);
        if (typeName.compare(name, t.lowerCaseMatch ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0)
            return &t;
    }
    return nullptr;
}

// Texts are built in one buffer: a scan writes two of them per file.
class TextBuffer {
public:
    void putChar(char16_t c) { m_buffer[m_size++] = c; }
    void putText(const char *text)
    {
        while (*text)
            m_buffer[m_size++] = char16_t(*text++);
    }
    void putNumber(qint64 value, int minDigits = 1)
    {
        if (value < 0) {
            putChar(u'-');
            value = -value;
        }
        char digits[24];
        int n = 0;
        do {
            digits[n++] = char('0' + value % 10);
            value /= 10;
        } while (value > 0);
        while (n < minDigits)
            digits[n++] = '0';
        while (n > 0)
            m_buffer[m_size++] = char16_t(digits[--n]);
    }
    QString text() const { return QString(reinterpret_cast<const QChar *>(m_buffer), m_size); }

private:
    char16_t m_buffer[64];
    qsizetype m_size = 0;
};

QString dateText(int year, int month, int day, int hour, int minute, int second)
{
    TextBuffer b;
    b.putNumber(year);
    b.putChar(u'/');
    b.putNumber(month);
    b.putChar(u'/');
    b.putNumber(day);
    b.putChar(u' ');
    b.putNumber(hour % 12 == 0 ? 12 : hour % 12);
    b.putChar(u':');
    b.putNumber(minute, 2);
    b.putChar(u':');
    b.putNumber(second, 2);
    b.putText(hour < 12 ? " AM" : " PM");
    return b.text();
}

QString groupSeparatorOf(const QLocale &locale)
{
    return locale.numberOptions() & QLocale::OmitGroupSeparator ? QString() : locale.groupSeparator();
}

} // namespace

FileItemBuilder::FileItemBuilder()
{
    RefreshLocale();
}

void FileItemBuilder::RefreshLocale()
{
    m_groupSeparator = groupSeparatorOf(QLocale());
    m_hasLastDate = false;
}

QString FileItemBuilder::SizeText(qint64 bytes)
{
    return SizeText(bytes, groupSeparatorOf(QLocale()));
}

QString FileItemBuilder::SizeText(qint64 bytes, const QString &groupSeparator)
{
    const qint64 kb = bytes <= 0 ? 0 : (bytes - 1) / 1024 + 1;
    char digits[24];
    int n = 0;
    qint64 v = kb;
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v > 0);
    QString text;
    text.reserve(n + (n / 3) * groupSeparator.size() + 2);
    for (int i = n - 1; i >= 0; --i) {
        text += QChar(u'0' + (digits[i] - '0'));
        if (i > 0 && i % 3 == 0)
            text += groupSeparator;
    }
    text += QLatin1String("KB");
    return text;
}

QString FileItemBuilder::DateText(const QDate &date, const QTime &time)
{
    return dateText(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
}

QString FileItemBuilder::DateText(qint64 secsSinceEpoch)
{
    const time_t t = time_t(secsSinceEpoch);
    struct tm local {};
    if (!localtime_r(&t, &local))
        return QString();
    return dateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

QString FileItemBuilder::IconKeyFor(const QString &typeName, const QString &folder, const QString &name)
{
    const ProgramTypeName *program = programType(typeName);
    if (!program)
        return typeName;
    const QString fullPath = folder + name;
    if (!program->application || ExecutableWindowsVersion(fullPath) >= 1)
        return fullPath.mid(fullPath.lastIndexOf(u'/') + 1);
    return QStringLiteral("DOSExeIcon");
}

QString FileItemBuilder::TypeNameFor(const QString &fileName, bool isFolder)
{
    return knownType(fileName, isFolder).typeName;
}

FileItemBuilder::KnownType FileItemBuilder::knownType(const QString &fileName, bool isFolder)
{
    if (isFolder)
        return {folderTypeName(), false};
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot == fileName.size() - 1) {
        if (m_noExtension.typeName.isNull()) {
            const QString typeName = ShellTypeNameFor(fileName, false);
            m_noExtension = {typeName, programType(typeName) != nullptr};
        }
        return m_noExtension;
    }
    const QStringView extension = QStringView(fileName).mid(dot + 1);
    for (const RecentType &r : m_recent)
        if (r.extension == extension && !r.extension.isNull())
            return r.type;
    const QString key = extension.toString();
    auto it = m_typeNames.constFind(key);
    if (it == m_typeNames.constEnd()) {
        const QString typeName = ShellTypeNameFor(fileName, false);
        it = m_typeNames.insert(key, {typeName, programType(typeName) != nullptr});
    }
    m_recent[m_nextRecent] = {key, it.value()};
    m_nextRecent = (m_nextRecent + 1) % std::size(m_recent);
    return it.value();
}

QString FileItemBuilder::cachedSizeText(qint64 bytes)
{
    constexpr qint64 Small = 1000;
    const qint64 kb = bytes <= 0 ? 0 : (bytes - 1) / 1024 + 1;
    if (kb >= Small)
        return SizeText(bytes, m_groupSeparator);
    if (m_smallSizes.empty())
        m_smallSizes.resize(size_t(Small));
    QString &text = m_smallSizes[size_t(kb)];
    if (text.isNull())
        text = SizeText(bytes, m_groupSeparator);
    return text;
}

QString FileItemBuilder::cachedDateText(qint64 secsSinceEpoch)
{
    if (!m_hasLastDate || secsSinceEpoch != m_lastDateSecs) {
        m_lastDateText = DateText(secsSinceEpoch);
        m_lastDateSecs = secsSinceEpoch;
        m_hasLastDate = true;
    }
    return m_lastDateText;
}

void FileItemBuilder::FillFileItem(FileItemInfo &info)
{
    FillFileItem(info, FileStat::Read(info.FullPath()));
}

void FileItemBuilder::FillFileItem(FileItemInfo &info, const FileStat &st)
{
    if (!st.found)
        return;
    info.found = true;
    info.isFolder = st.isDir;
    const qsizetype slash = info.Name.lastIndexOf(u'/');
    const KnownType type = knownType(slash < 0 ? info.Name : info.Name.mid(slash + 1), st.isDir);
    info.TypeName = type.typeName;
    info.IconKey = type.program ? IconKeyFor(info.TypeName, info.Folder, info.Name) : info.TypeName;
    if (!st.isDir) {
        info.SizeBytes = st.size;
        info.SizeText = cachedSizeText(st.size);
    }
    info.LastWriteSecs = st.mtime;
    info.DateText = cachedDateText(st.mtime);
    if (info.DateText.isEmpty())
        info.LastWriteSecs = ListItem::NoTime;
}

QStringList FileItemBuilder::sharedSubItems(const QString &folder, const QString &size, const QString &type,
                                            const QString &date) const
{
    // The same texts, not equal ones: comparing where they live costs nothing per row.
    const auto same = [](const QString &a, const QString &b) {
        return a.constData() == b.constData() && a.size() == b.size();
    };
    for (const QStringList &recent : m_recentSubItems)
        if (recent.size() == 4 && same(recent[0], folder) && same(recent[1], size) && same(recent[2], type)
            && same(recent[3], date))
            return recent;
    QStringList made{folder, size, type, date};
    m_recentSubItems[m_nextSubItems++ % std::size(m_recentSubItems)] = made;
    return made;
}

ListItem FileItemBuilder::MakeRow(const FileItemInfo &info, ImageList &images) const
{
    ListItem row;
    row.Text = info.Name;
    if (!info.IconKey.isEmpty()) {
        row.SmallIcon = images.IndexOf(info.IconKey);
        if (row.SmallIcon < 0)
            row.SmallIcon = images.Add(info.IconKey, info.FullPath(), info.TypeName);
    }
    const bool folder = info.TypeName == folderTypeName();
    row.SubItemTexts = sharedSubItems(info.Folder, folder ? QString() : info.SizeText, info.TypeName, info.DateText);
    row.SizeBytes = folder ? -1 : info.SizeBytes;
    row.LastWriteSecs = info.LastWriteSecs;
    return row;
}

} // namespace filelist

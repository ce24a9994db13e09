#include "PropertyPageSupport.h"

#include "VbConvert.h"

#include <iterator>

namespace filelist {

namespace {

struct Named {
    int32_t value;
    const char *name;
};

constexpr Named MousePointers[] = {
    {0, "ccDefault"}, {1, "ccArrow"}, {2, "ccCross"}, {3, "ccIBeam"}, {4, "ccIcon"}, {5, "ccSize"},
    {6, "ccSizeNESW"}, {7, "ccSizeNS"}, {8, "ccSizeNWSE"}, {9, "ccSizeEW"}, {10, "ccUpArrow"},
    {11, "ccHourglass"}, {12, "ccNoDrop"}, {13, "ccArrowHourglass"}, {14, "ccArrowQuestion"},
    {15, "ccSizeAll"}, {99, "ccCustom"}};
constexpr Named Views[] = {{0, "lvwIcon"}, {1, "lvwSmallIcon"}, {2, "lvwList"}, {3, "lvwReport"}};
constexpr Named Arranges[] = {{0, "lvwNone"}, {1, "lvwAutoLeft"}, {2, "lvwAutoTop"}};
constexpr Named BorderStyles[] = {{0, "ccNone"}, {1, "ccFixedSingle"}};
constexpr Named Appearances[] = {{0, "ccFlat"}, {1, "cc3D"}};
constexpr Named SortOrders[] = {{0, "lvwAscending"}, {1, "lvwDescending"}};
constexpr Named SizingTypes[] = {{0, "sizeNone"}, {1, "sizeCheckBox"}, {2, "sizeIcon"}};
constexpr Named DataTypes[] = {{0, "ldtString"}, {1, "ldtNumber"}, {2, "ldtDateTime"}};
constexpr Named Alignments[] = {{0, "lvwColumnLeft"}, {1, "lvwColumnRight"}, {2, "lvwColumnCenter"}};
constexpr Named LedgerColors[] = {
    {0xF9FEFF, "vbLedgerWhite"}, {0xD0FFCC, "vbLedgerGreen"}, {0xE1FAFF, "vbLedgerYellow"},
    {0xE1E1FF, "vbLedgerRed"}, {0xE0E0E0, "vbLedgerGrey"}, {0xD9F2F7, "vbLedgerBeige"},
    {0xF7F7F7, "vbLedgerSoftWhite"}, {0xFFFFFF, "vbLedgerPureWhite"}};
constexpr const char *FileTypes[] = {
    "All Files and Folders (*.*)", "ASF Files (*.asf)", "Applications (*.exe)", "Bitmap Files (*.bmp)",
    "Dynamic Link Libraries (*.dll)", "Gif Files (*.gif)", "Htm Documents (*.htm)", "Html Documents (*.htm*)",
    "Html Documents (*.html)", "Icons (*.ico)", "Jpg Files (*.jpg)", "MP3 Files (*.mp3)", "MPEG Files (*.mpeg)",
    "MPG Files (*.mpg)", "Microsoft Word Documents (*.doc)", "Rich Text Format Documents (*.rtf)",
    "Text Files (*.txt)", "True Type Fonts (*.ttf)", "Visual Basic Forms (*.frm)", "Visual Basic Modules (*.bas)",
    "Visual Basic Projects (*.vbp)", "Windows Help Files (*.hlp)", "Windows Html Help Files (*.chm)",
    "Windows Shortcuts (*.lnk)"};

template <size_t N>
std::vector<ComboEntry> numbered(const Named (&list)[N])
{
    std::vector<ComboEntry> out;
    for (const Named &n : list)
        out.push_back({QStringLiteral("%1 - %2").arg(n.value).arg(QLatin1String(n.name)), n.value});
    return out;
}

const QString ChangedOff = QStringLiteral("|Changed=0|");
const QString ChangedOn = QStringLiteral("|Changed=1|");
const QString NewValueField = QStringLiteral("|NewValue=");

} // namespace

std::vector<ComboEntry> PropertyListEntries(PropertyList list)
{
    switch (list) {
    case PropertyList::MousePointer: return numbered(MousePointers);
    case PropertyList::View: return numbered(Views);
    case PropertyList::Arrange: return numbered(Arranges);
    case PropertyList::BorderStyle: return numbered(BorderStyles);
    case PropertyList::Appearance: return numbered(Appearances);
    case PropertyList::SortOrder: return numbered(SortOrders);
    case PropertyList::SizingType: return numbered(SizingTypes);
    case PropertyList::DataType: return numbered(DataTypes);
    case PropertyList::ColumnAlignment: return numbered(Alignments);
    case PropertyList::LedgerColor: {
        std::vector<ComboEntry> out;
        for (const Named &n : LedgerColors)
            out.push_back({QStringLiteral("&H%1 - %2").arg(QString::number(n.value, 16).toUpper(), QLatin1String(n.name)),
                           n.value});
        return out;
    }
    case PropertyList::FileSpec: {
        std::vector<ComboEntry> out;
        for (const char *text : FileTypes)
            out.push_back({QLatin1String(text), std::nullopt});
        return out;
    }
    }
    return {};
}

QString FileSpecPattern(const QString &entryText)
{
    const qsizetype open = entryText.indexOf(u'(');
    const qsizetype close = entryText.indexOf(u')');
    if (open < 0 || close < open)
        return {};
    return entryText.mid(open + 1, close - open - 1);
}

QString FreshChangeTag(const QString &initialValue)
{
    return QStringLiteral("|InitialValue=") + initialValue + ChangedOff + QStringLiteral("NewValue=|");
}

QString ChangeTagField(const QString &tag, const QString &name)
{
    const QString marker = u'|' + name + u'=';
    const qsizetype at = tag.indexOf(marker);
    if (at < 0)
        return {};
    const qsizetype start = at + marker.size();
    const qsizetype end = tag.indexOf(u'|', start);
    return tag.mid(start, end < 0 ? -1 : end - start);
}

bool RecordChangeTagValue(QString &tag, const QString &value)
{
    if (tag.isEmpty()) {
        tag = FreshChangeTag(value);
        return false;
    }
    if (value != ChangeTagField(tag, QStringLiteral("InitialValue")))
        tag.replace(ChangedOff, ChangedOn);
    else
        tag.replace(ChangedOn, ChangedOff);
    const qsizetype at = tag.indexOf(NewValueField);
    if (at >= 0)
        tag = tag.left(at + NewValueField.size()) + value + u'|';
    return true;
}

bool ChangeTagChanged(const QString &tag)
{
    return vb::Val(ChangeTagField(tag, QStringLiteral("Changed"))) != 0;
}

} // namespace filelist

#pragma once
/**
 * What the list control's property pages share: the entries of the combo boxes that edit its
 * enumerated properties (and the colour and file-type lists), and the change record each
 * editing control keeps in its tag:
 * "|InitialValue=" + value + "|Changed=" + 0/1 + "|NewValue=" + value + "|".
 */
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace filelist {

/** One combo entry: its text and, except for file types, its value. */
struct ComboEntry {
    QString text;
    std::optional<int32_t> data;
};

enum class PropertyList {
    MousePointer,
    View,
    Arrange,
    BorderStyle,
    Appearance,
    SortOrder,
    SizingType,
    DataType,
    ColumnAlignment,
    LedgerColor,
    FileSpec,
};

/** The entries of a list, in list order ("3 - lvwReport", "&HE1E1FF - vbLedgerRed",
 *  "Jpg Files (*.jpg)"). */
std::vector<ComboEntry> PropertyListEntries(PropertyList list);

/** The pattern of a file-type entry: the text between its first "(" and first ")". */
QString FileSpecPattern(const QString &entryText);

/** A fresh change record for a loaded value. */
QString FreshChangeTag(const QString &initialValue);
/** A field of a change record: the text after the first "|" + name + "=" up to the next "|". */
QString ChangeTagField(const QString &tag, const QString &name);
/** Records `value` in `tag`: an empty tag becomes a fresh record of the value (false is
 *  returned); otherwise Changed says whether the value differs from InitialValue, NewValue
 *  becomes the value, and true is returned. */
bool RecordChangeTagValue(QString &tag, const QString &value);
/** Whether the record's Changed field is not 0. */
bool ChangeTagChanged(const QString &tag);

} // namespace filelist

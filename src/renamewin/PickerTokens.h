#pragma once
/**
 * What the token pickers offer and the token text they write: the item lists of the date, time,
 * picture-date, EXIF and MP3 pickers, which generic item of a token field opens which picker, and
 * the grammar that turns a chosen item into a token of the token language.
 */
#include <QString>
#include <QStringList>
#include <optional>

namespace renamewin {

/** The six picker windows. */
enum class PickerKind { Time, Date, PictureDate, Random, Exif, Mp3 };
inline constexpr int PickerKindCount = 6;

/** The time formats of the time picker, in list order. */
const QStringList &timeFormatItems();
/** The date formats of the date picker, in list order. */
const QStringList &dateFormatItems();
/** The picture-date picker's list: the date formats, then the time formats. */
const QStringList &pictureDateItems();
/** The EXIF tag names of the EXIF picker, in list order. */
const QStringList &exifTagItems();
/** The MP3 field names of the MP3 picker, in list order. */
const QStringList &mp3FieldItems();
/** The EXIF list's "DateTime", which leads on to the picture-date picker. */
inline constexpr int ExifDateTimeIndex = 6;

/** The legend of the random-mask letters, one line each. */
const QString &maskLegend();

/**
 * The picker that the generic item `item`, chosen in a token field, opens; none for any other
 * text. "$Random String$" opens the random picker only for a field that asks for it
 * (`randomPicker`): the rename window's fields show their own mask panel instead.
 */
std::optional<PickerKind> pickerForItem(const QString &item, bool randomPicker);

/**
 * The token a date, time or picture-date picker writes for `item` (a list item or a typed text),
 * by the generic item `targetText` that was chosen in the field: a current date or time keeps
 * the item ("$hour$"), "$Exif Data$" puts the picture-date prefix before it ("$Exif_date_$hour$"),
 * any other text makes it a modified-date word ("$mod_hour$").
 */
QString formatPickerToken(const QString &item, const QString &targetText);

/** "$Exif_" followed by the tag name, with no closing "$". */
QString exifTagToken(const QString &tag);
/** The token the EXIF picker writes for "DateTime" before a format is chosen. */
QString exifDateTimeToken();
/** "$MP3_ID3_" followed by the field name. */
QString mp3FieldToken(const QString &field);
/** "$Rand$_" followed by the mask. */
QString randomMaskToken(const QString &mask);

} // namespace renamewin

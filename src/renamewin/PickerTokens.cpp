#include "PickerTokens.h"

namespace renamewin {

namespace {

const QString ExifDataItem = QStringLiteral("$Exif Data$");
const QString ExifDatePrefix = QStringLiteral("$Exif_date_");

} // namespace

const QStringList &timeFormatItems()
{
    static const QStringList items = {
        QStringLiteral("$time_12hrs$"), QStringLiteral("$time_24hrs$"), QStringLiteral("$hour$"),
        QStringLiteral("$min$"),        QStringLiteral("$sec$"),        QStringLiteral("$hhmmss$"),
        QStringLiteral("$hh_mm_ss$")};
    return items;
}

const QStringList &dateFormatItems()
{
    static const QStringList items = {
        QStringLiteral("$date_long$"),  QStringLiteral("$yyyy$"),         QStringLiteral("$yy$"),
        QStringLiteral("$mm$"),         QStringLiteral("$month$"),        QStringLiteral("$dd$"),
        QStringLiteral("$weekday$"),    QStringLiteral("$weekday_name$"), QStringLiteral("$mmddyy$"),
        QStringLiteral("$mmddyyyy$"),   QStringLiteral("$ddmmyy$"),       QStringLiteral("$ddmmyyyy$"),
        QStringLiteral("$yymmdd$"),     QStringLiteral("$yyyymmdd$"),     QStringLiteral("$mm_dd_yy$"),
        QStringLiteral("$mm_dd_yyyy$"), QStringLiteral("$dd_mm_yy$"),     QStringLiteral("$dd_mm_yyyy$"),
        QStringLiteral("$yy_mm_dd$"),   QStringLiteral("$yyyy_mm_dd$")};
    return items;
}

const QStringList &pictureDateItems()
{
    static const QStringList items = dateFormatItems() + timeFormatItems();
    return items;
}

const QStringList &exifTagItems()
{
    static const QStringList items = {
        QStringLiteral("Make"), QStringLiteral("Model"), QStringLiteral("Orientation"),
        QStringLiteral("XResolution"), QStringLiteral("YResolution"),
        QStringLiteral("ResolutionUnit"), QStringLiteral("DateTime"),
        QStringLiteral("YCbCrPositioning"), QStringLiteral("ExifOffset"),
        QStringLiteral("ExposureTime"), QStringLiteral("FNumber"), QStringLiteral("ExifVersion"),
        QStringLiteral("DateTimeOriginal"), QStringLiteral("DateTimeDigitized"),
        QStringLiteral("ComponentsConfiguration"), QStringLiteral("CompressedBitsPerPixel"),
        QStringLiteral("ShutterSpeedValue"), QStringLiteral("ApertureValue"),
        QStringLiteral("ExposureBiasValue"), QStringLiteral("MaxApertureValue"),
        QStringLiteral("MeteringMode"), QStringLiteral("Flash"), QStringLiteral("FocalLength"),
        QStringLiteral("MakerNote"), QStringLiteral("UserComment"),
        QStringLiteral("FlashPixVersion"), QStringLiteral("ColorSpace"),
        QStringLiteral("ExifImageWidth"), QStringLiteral("ExifImageHeight"),
        QStringLiteral("ExifInteroperabilityOffset"), QStringLiteral("FocalPlaneXResolution"),
        QStringLiteral("FocalPlaneYResolution"), QStringLiteral("FocalPlaneResolutionUnit"),
        QStringLiteral("SensingMethod"), QStringLiteral("FileSource"),
        QStringLiteral("Tag #41985"), QStringLiteral("Tag #41986"), QStringLiteral("Tag #41987"),
        QStringLiteral("Tag #41988"), QStringLiteral("Tag #41990")};
    return items;
}

const QStringList &mp3FieldItems()
{
    static const QStringList items = {
        QStringLiteral("Album"), QStringLiteral("Artist"), QStringLiteral("Band"),
        QStringLiteral("Bitrate"), QStringLiteral("Composer"), QStringLiteral("Conductor"),
        QStringLiteral("Copyright"), QStringLiteral("Genre"), QStringLiteral("Length"),
        QStringLiteral("OriginalAlbum"), QStringLiteral("OriginalArtist"),
        QStringLiteral("OriginalFilename"), QStringLiteral("OriginalLyricist"),
        QStringLiteral("OriginalReleaseYear"), QStringLiteral("Publisher"),
        QStringLiteral("SamplingRateFrequency"), QStringLiteral("Title"),
        QStringLiteral("TrackNumber"), QStringLiteral("TracksTotal"), QStringLiteral("Year")};
    return items;
}

const QString &maskLegend()
{
    static const QString legend = QStringLiteral(
        "A : Capital Alphabet.\na : Small Alphabet.\n# : A Digit.\nN : Alphanumeric Character.\n"
        "H : Hexadecimal Character.\n");
    return legend;
}

std::optional<PickerKind> pickerForItem(const QString &item, bool randomPicker)
{
    struct Opener {
        const char16_t *item;
        PickerKind picker;
    };
    static constexpr Opener openers[] = {
        {u"$current_time$", PickerKind::Time}, {u"$modified_time$", PickerKind::Time},
        {u"$current_date$", PickerKind::Date}, {u"$modified_date$", PickerKind::Date},
        {u"$Exif Data$", PickerKind::Exif},    {u"$MP3 Data$", PickerKind::Mp3},
    };
    for (const Opener &o : openers) {
        if (item == QStringView(o.item))
            return o.picker;
    }
    if (randomPicker && item == QLatin1String("$Random String$"))
        return PickerKind::Random;
    return std::nullopt;
}

QString formatPickerToken(const QString &item, const QString &targetText)
{
    // Both current items count as current: a date chosen while the field asked for the current
    // time is still a current date.
    if (targetText == QLatin1String("$current_time$") || targetText == QLatin1String("$current_date$"))
        return item;
    // The token language formats a picture's date and time alike under "$Exif_date_"; it has
    // no "$Exif_time_".
    if (targetText == ExifDataItem)
        return ExifDatePrefix + item;
    return QStringLiteral("$mod_") + item.mid(1);
}

QString exifTagToken(const QString &tag)
{
    return QStringLiteral("$Exif_") + tag;
}

QString exifDateTimeToken()
{
    return ExifDatePrefix + QStringLiteral("$mmddyyyy$");
}

QString mp3FieldToken(const QString &field)
{
    return QStringLiteral("$MP3_ID3_") + field;
}

QString randomMaskToken(const QString &mask)
{
    return QStringLiteral("$Rand$_") + mask;
}

} // namespace renamewin

#include "ExpandToken.h"

#include "Clock.h"
#include "Counters.h"
#include "Functions.h"
#include "MetadataSource.h"
#include "RenameEngine.h"
#include "VbConvert.h"
#include "VbFormat.h"
#include "VbString.h"

#include <QHash>
#include <QLocale>
#include <cmath>
#include <string_view>

namespace engine {

namespace {

// What a date and time word takes from a moment: a number or name, or a Format mask.
enum class DatePart { Hour, Minute, Second, Year, Year2, Month, MonthName, Day, Weekday,
                      WeekdayName, Mask };

struct DateWord {
    std::u16string_view word;  // without the leading "$"
    DatePart part;
    std::u16string_view mask;  // for DatePart::Mask
};

// The date and time words; "$" + word reads the clock, "$mod_" + word the row's Modified text.
constexpr DateWord DateWords[] = {
    {u"hour$", DatePart::Hour, {}},
    {u"min$", DatePart::Minute, {}},
    {u"sec$", DatePart::Second, {}},
    {u"yyyy$", DatePart::Year, {}},
    {u"yy$", DatePart::Year2, {}},
    {u"mm$", DatePart::Month, {}},
    {u"month$", DatePart::MonthName, {}},
    {u"dd$", DatePart::Day, {}},
    {u"weekday$", DatePart::Weekday, {}},
    {u"weekday_name$", DatePart::WeekdayName, {}},
    {u"hhmmss$", DatePart::Mask, u"hhmmss"},
    {u"hh_mm_ss$", DatePart::Mask, u"hh_mm_ss"},
    {u"time_12hrs$", DatePart::Mask, u"hhmmss_AM/PM"},
    {u"time_24hrs$", DatePart::Mask, u"hhmm"},
    {u"date$", DatePart::Mask, u"dd.mm.yyyy"},
    {u"date_long$", DatePart::Mask, u"long date"},
    {u"mmddyy$", DatePart::Mask, u"mmddyy"},
    {u"ddmmyy$", DatePart::Mask, u"ddmmyy"},
    {u"yymmdd$", DatePart::Mask, u"yymmdd"},
    {u"mmddyyyy$", DatePart::Mask, u"mmddyyyy"},
    {u"ddmmyyyy$", DatePart::Mask, u"ddmmyyyy"},
    {u"yyyymmdd$", DatePart::Mask, u"yyyymmdd"},
    {u"mm_dd_yy$", DatePart::Mask, u"mm_dd_yy"},
    {u"dd_mm_yy$", DatePart::Mask, u"dd_mm_yy"},
    {u"yy_mm_dd$", DatePart::Mask, u"yy_mm_dd"},
    {u"mm_dd_yyyy$", DatePart::Mask, u"mm_dd_yyyy"},
    {u"dd_mm_yyyy$", DatePart::Mask, u"dd_mm_yyyy"},
    {u"yyyy_mm_dd$", DatePart::Mask, u"yyyy_mm_dd"},
};

// The picture-date words of "$Exif_date_<word>", in the order they are tried. Unlike the clock
// words, hour, second and month have two digits here while the day has none.
struct PictureDateWord {
    std::u16string_view word;
    DatePart part;
    std::u16string_view mask;
};

constexpr PictureDateWord PictureDateWords[] = {
    {u"$time_12hrs$", DatePart::Mask, u"hhmmss_AM/PM"},
    {u"$time_24hrs$", DatePart::Mask, u"hhmm"},
    {u"$hh_mm_ss$", DatePart::Mask, u"hh_mm_ss"},
    {u"$hour$", DatePart::Mask, u"hh"},
    {u"$hhmmss$", DatePart::Mask, u"hhmmss"},
    {u"$min$", DatePart::Mask, u"nn"},
    {u"$sec$", DatePart::Mask, u"ss"},
    {u"$yyyy$", DatePart::Mask, u"yyyy"},
    {u"$yy$", DatePart::Mask, u"yy"},
    {u"$mm$", DatePart::Mask, u"mm"},
    {u"$month$", DatePart::MonthName, {}},
    {u"$dd$", DatePart::Day, {}},
    {u"$weekday$", DatePart::Weekday, {}},
    {u"$weekday_name$", DatePart::WeekdayName, {}},
    {u"$mmddyy$", DatePart::Mask, u"mmddyy"},
    {u"$date$", DatePart::Mask, u"dd.mm.yyyy"},
    {u"$ddmmyy$", DatePart::Mask, u"ddmmyy"},
    {u"$yymmdd$", DatePart::Mask, u"yymmdd"},
    {u"$mmddyyyy$", DatePart::Mask, u"mmddyyyy"},
    {u"$ddmmyyyy$", DatePart::Mask, u"ddmmyyyy"},
    {u"$yyyymmdd$", DatePart::Mask, u"yyyymmdd"},
    {u"$mm_dd_yy$", DatePart::Mask, u"mm_dd_yy"},
    {u"$dd_mm_yy$", DatePart::Mask, u"dd_mm_yy"},
    {u"$yy_mm_dd$", DatePart::Mask, u"yy_mm_dd"},
    {u"$date_long$", DatePart::Mask, u"long date"},
    {u"$mm_dd_yyyy$", DatePart::Mask, u"mm_dd_yyyy"},
    {u"$dd_mm_yyyy$", DatePart::Mask, u"dd_mm_yyyy"},
    {u"$yyyy_mm_dd$", DatePart::Mask, u"yyyy_mm_dd"},
};

// The "$MP3_ID3_" words and the music properties they name.
enum class Id3Kind { Text, Number, WholeNumber };

struct Id3Word {
    std::u16string_view word;
    Id3Field field;
    Id3Kind kind;
};

constexpr Id3Word Id3Words[] = {
    {u"Album", Id3Field::Album, Id3Kind::Text},
    {u"Artist", Id3Field::Artist, Id3Kind::Text},
    {u"Band", Id3Field::Band, Id3Kind::Text},
    {u"Bitrate", Id3Field::BitRate, Id3Kind::Number},
    {u"Composer", Id3Field::Composer, Id3Kind::Text},
    {u"Conductor", Id3Field::Conductor, Id3Kind::Text},
    {u"Copyright", Id3Field::Copyright, Id3Kind::Text},
    {u"Genre", Id3Field::Genre, Id3Kind::Text},
    {u"length", Id3Field::Length, Id3Kind::Number},
    {u"Length", Id3Field::Length, Id3Kind::Number},
    {u"OriginalAlbum", Id3Field::OriginalAlbum, Id3Kind::Text},
    {u"OriginalArtist", Id3Field::OriginalArtist, Id3Kind::Text},
    {u"OriginalFileName", Id3Field::OriginalFileName, Id3Kind::Text},
    {u"OriginalFilename", Id3Field::OriginalFileName, Id3Kind::Text},
    {u"OriginalLyricist", Id3Field::OriginalLyricist, Id3Kind::Text},
    {u"OriginalReleaseYear", Id3Field::OriginalReleaseYear, Id3Kind::Text},
    {u"Publisher", Id3Field::Publisher, Id3Kind::Text},
    {u"SamplingRateFrequency", Id3Field::SamplingRateFrequency, Id3Kind::WholeNumber},
    {u"Title", Id3Field::Title, Id3Kind::Text},
    {u"TrackNumber", Id3Field::TrackNumber, Id3Kind::Text},
    {u"TracksTotal", Id3Field::TracksTotal, Id3Kind::Text},
    {u"Year", Id3Field::Year, Id3Kind::Text},
};

// The whole-field token words.
enum class Word { Counter, AlphaCounter, RandomString, UpperCase, LowerCase, InvertCase,
                  CurrentDate, ModifiedDate, SizeB, SizeKB, SizeMB, FolderName, DateModified,
                  TimeModified };

struct WordEntry {
    Word word;
    TokenGroup group;
    int dateIndex = -1;  // into DateWords
};

struct FixedWord {
    std::u16string_view text;
    Word word;
    TokenGroup group;
};

constexpr FixedWord FixedWords[] = {
    {u"$Counter$", Word::Counter, CounterTokens},
    {u"$AlphaCounter$", Word::AlphaCounter, CounterTokens},
    {u"$Random String$", Word::RandomString, RandomStringToken},
    {u"$Upper_Case$", Word::UpperCase, CaseTokens},
    {u"$Lower_Case$", Word::LowerCase, CaseTokens},
    {u"$Invert_Case$", Word::InvertCase, CaseTokens},
    {u"$filesizeB$", Word::SizeB, SizeFolderTokens},
    {u"$filesizeKB$", Word::SizeKB, SizeFolderTokens},
    {u"$filesizeMB$", Word::SizeMB, SizeFolderTokens},
    {u"$foldername$", Word::FolderName, SizeFolderTokens},
    {u"$date_modified$", Word::DateModified, ModifiedWords},
    {u"$time_modified$", Word::TimeModified, ModifiedWords},
};

QString text(std::u16string_view s) { return QString::fromUtf16(s.data(), qsizetype(s.size())); }

const QHash<QString, WordEntry> &wordTable()
{
    static const QHash<QString, WordEntry> table = [] {
        QHash<QString, WordEntry> t;
        for (const FixedWord &w : FixedWords)
            t.insert(text(w.text), {w.word, w.group});
        for (int i = 0; i < int(std::size(DateWords)); ++i) {
            t.insert(u'$' + text(DateWords[i].word), {Word::CurrentDate, CurrentDateTokens, i});
            t.insert(QStringLiteral("$mod_") + text(DateWords[i].word),
                     {Word::ModifiedDate, ModifiedDateTokens, i});
        }
        return t;
    }();
    return table;
}

QString localized(QString s)
{
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        s.replace(u'.', point);
    s.replace(QLatin1String("e+"), QLatin1String("E+"));
    s.replace(QLatin1String("e-"), QLatin1String("E-"));
    return s;
}

// Tag text on its way into a name: without control characters (U+0000 to U+001F, U+007F and
// U+0080 to U+009F), so a line break or tab inside a picture's or song's tag, or a Latin-1 tag's
// "next line" byte 0x85, never reaches a file name.
QString withoutControlCharacters(QString s)
{
    s.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || (u >= 0x7F && u < 0xA0);
    });
    return s;
}

// Rounds to one decimal place, a value exactly half-way to the even digit.
double roundOnePlace(double v) { return vb::roundHalfEven(v * 10.0) / 10.0; }

QString dateValue(const QDateTime &at, DatePart part, std::u16string_view mask)
{
    const QDate d = at.date();
    const QTime t = at.time();
    switch (part) {
    case DatePart::Hour: return QString::number(t.hour());
    case DatePart::Minute: return QString::number(t.minute());
    case DatePart::Second: return QString::number(t.second());
    case DatePart::Year: return QString::number(d.year());
    case DatePart::Year2: return QString::number(d.year()).right(2);
    case DatePart::Month: return QString::number(d.month());
    case DatePart::MonthName: return QLocale().monthName(d.month(), QLocale::LongFormat);
    case DatePart::Day: return QString::number(d.day());
    case DatePart::Weekday: return QString::number(vb::Weekday(d));
    case DatePart::WeekdayName: return QLocale().dayName(d.dayOfWeek(), QLocale::LongFormat);
    case DatePart::Mask: return vb::Format(at, text(mask));
    }
    return {};
}

TokenValue musicValue(const ActionCall &call, const QString &field)
{
    if (vb::UCase(call.engine.run.CurrentExtension) != QLatin1String(".MP3"))
        return KeepName;
    QString word = field;
    word.remove(QStringLiteral("$MP3_ID3_"));
    for (const Id3Word &w : Id3Words) {
        if (word != text(w.word))
            continue;
        const MetadataSource &source = call.engine.metadata;
        QString value;
        switch (w.kind) {
        case Id3Kind::Text: value = withoutControlCharacters(source.musicText(w.field)); break;
        case Id3Kind::Number: value = doubleText(source.musicNumber(w.field)); break;
        case Id3Kind::WholeNumber:
            value = QString::number(vb::CLng(source.musicNumber(w.field)).value());
            break;
        }
        if (value.isEmpty())
            return KeepName;
        return value;
    }
    return KeepName;
}

QString randomFromMarked(ActionCall &call, const QString &field, const QString &marker)
{
    QString mask = field;
    mask.remove(marker);
    return common::RandomStringFromMask(mask, call.engine.random);
}

TokenValue wordValue(ActionCall &call, const TokenContext &context, const WordEntry &entry)
{
    const RowValues &row = call.row;
    switch (entry.word) {
    case Word::Counter:
        return nextCounterValue(call.settings.counter(context.action),
                                call.engine.run.counter(context.action));
    case Word::AlphaCounter:
        return nextAlphaCounterValue(call.settings.counter(context.action),
                                     call.engine.run.counter(context.action));
    case Word::RandomString: return common::RandomStringFromMask(context.mask, call.engine.random);
    case Word::UpperCase: return vb::UCase(context.target);
    case Word::LowerCase: return vb::LCase(context.target);
    case Word::InvertCase: return InvertCase(context.target);
    case Word::CurrentDate: {
        const DateWord &w = DateWords[entry.dateIndex];
        return dateValue(call.engine.clock.now(), w.part, w.mask);
    }
    case Word::ModifiedDate: {
        const DateWord &w = DateWords[entry.dateIndex];
        return dateValue(vb::CDate(row.Modified).value(), w.part, w.mask);
    }
    case Word::SizeB:
    case Word::SizeKB:
    case Word::SizeMB:
        // An empty Size cell is no number, as an empty Modified is no date.
        if (row.NoSize)
            throw vb::Error(vb::TypeMismatch);
        if (entry.word == Word::SizeB)
            return singleText(row.Size) + u'B';
        if (entry.word == Word::SizeKB)
            return singleText(float(roundOnePlace(row.Size / 1024.0f))) + QLatin1String("KB");
        return doubleText(roundOnePlace(double(row.Size) / 1048576.0)) + QLatin1String("MB");
    case Word::FolderName: return row.Folder;
    case Word::DateModified:
        return vb::Format(vb::CDate(row.Modified).value(), QStringLiteral("mmddyyyy"));
    case Word::TimeModified:
        return vb::Format(vb::CDate(row.Modified).value(), QStringLiteral("hhmmss"));
    }
    return context.field;
}

} // namespace

QString singleText(float value)
{
    return localized(QString::number(double(value), 'g', 7));
}

QString doubleText(double value)
{
    return localized(QString::number(value, 'g', 15));
}

QString InvertCase(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            c = QChar(char16_t(u + 32));
        else if (u >= u'a' && u <= u'z')
            c = QChar(char16_t(u - 32));
    }
    return out;
}

bool exifApplies(const ActionCall &call)
{
    return call.row.Type == QLatin1String("JPEG Image") && call.engine.run.ExifLines.size() > 1;
}

QString GetExifTokenValue(const QStringList &exifLines, const QString &field,
                          const QString &pictureDate)
{
    if (!field.contains(QLatin1String("$Exif_date_"))) {
        const QString prefix = field.mid(6) + QLatin1String(": ");
        for (const QString &line : exifLines) {
            if (line.startsWith(prefix))
                return withoutControlCharacters(line.mid(prefix.size()));
        }
        return {};
    }

    const QString word = field.mid(11);
    for (const PictureDateWord &w : PictureDateWords) {
        if (word != text(w.word))
            continue;
        QString date = pictureDate;
        for (int n = 0; n < 2; ++n) {
            const qsizetype colon = date.indexOf(u':');
            if (colon >= 0)
                date[colon] = u'/';
        }
        return dateValue(vb::CDate(date).value(), w.part, w.mask);
    }
    return field;
}

TokenValue ExpandToken(ActionCall &call, const TokenContext &context)
{
    const QString &field = context.field;
    const TokenGroups groups = context.groups;

    if ((groups & ExifTokens) && field.contains(QLatin1String("$Exif_"))) {
        if (!exifApplies(call))
            return context.target;
        return GetExifTokenValue(call.engine.run.ExifLines, field, call.row.PictureDate);
    }
    if ((groups & RandomMarker) && field.contains(QLatin1String("$Random$_")))
        return randomFromMarked(call, field, QStringLiteral("$Random$_"));
    if ((groups & Mp3Tokens) && field.contains(QLatin1String("$MP3_ID3_")))
        return musicValue(call, field);
    if ((groups & RandMarker) && field.contains(QLatin1String("$Rand$_")))
        return randomFromMarked(call, field, QStringLiteral("$Rand$_"));

    if (field.size() < 4 || field.front() != u'$')
        return field;
    const QHash<QString, WordEntry> &table = wordTable();
    const auto it = table.constFind(field);
    if (it == table.constEnd() || !(groups & it->group))
        return field;
    return wordValue(call, context, *it);
}

} // namespace engine

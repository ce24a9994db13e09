#include "EngineFixture.h"
#include "ExpandToken.h"
#include "VbError.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <ctime>

using namespace engine;
using enginetest::EngineFixture;

namespace {

// Evaluates one field as `action` would on a row with these values.
class Tokens : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.resetCounters();
        row.Modified = QStringLiteral("7/4/2025 8:03:07 AM");
        row.Size = 1536;
        row.Folder = QStringLiteral("Holiday");
        row.Type = QStringLiteral("TXT File");
        f.engine.run.CurrentExtension = QStringLiteral(".txt");
    }

    TokenValue expand(const QString &field, TokenAction action = TokenAction::ReplaceAll,
                      const QString &target = QStringLiteral("target"),
                      const QString &mask = QStringLiteral("AAaa##"))
    {
        ActionCall call{f.engine, f.settings, row};
        return ExpandToken(call, {field, target, action, tokenGroupsOf(action), mask});
    }

    QString value(const QString &field, TokenAction action = TokenAction::ReplaceAll)
    {
        const TokenValue v = expand(field, action);
        return v ? *v : QStringLiteral("<KeepName>");
    }

    EngineFixture f;
    RowValues row;
};

} // namespace

// Clock: Tuesday 3 February 2026, 21:05:09. Modified: Friday 4 July 2025, 08:03:07.
TEST_F(Tokens, DateAndTimeWordsFromTheClockAndFromModified)
{
    struct Case {
        const char *word;  // without the leading "$"
        const char *now;
        const char *modified;
    } cases[] = {
        {"hour$", "21", "8"},
        {"min$", "5", "3"},
        {"sec$", "9", "7"},
        {"yyyy$", "2026", "2025"},
        {"yy$", "26", "25"},
        {"mm$", "2", "7"},
        {"month$", "February", "July"},
        {"dd$", "3", "4"},
        {"weekday$", "3", "6"},
        {"weekday_name$", "Tuesday", "Friday"},
        {"hhmmss$", "210509", "080307"},
        {"hh_mm_ss$", "21_05_09", "08_03_07"},
        {"time_12hrs$", "090509_PM", "080307_AM"},
        {"time_24hrs$", "2105", "0803"},
        {"date$", "03.02.2026", "04.07.2025"},
        {"date_long$", "Tuesday, February 3, 2026", "Friday, July 4, 2025"},
        {"mmddyy$", "020326", "070425"},
        {"ddmmyy$", "030226", "040725"},
        {"yymmdd$", "260203", "250704"},
        {"mmddyyyy$", "02032026", "07042025"},
        {"ddmmyyyy$", "03022026", "04072025"},
        {"yyyymmdd$", "20260203", "20250704"},
        {"mm_dd_yy$", "02_03_26", "07_04_25"},
        {"dd_mm_yy$", "03_02_26", "04_07_25"},
        {"yy_mm_dd$", "26_02_03", "25_07_04"},
        {"mm_dd_yyyy$", "02_03_2026", "07_04_2025"},
        {"dd_mm_yyyy$", "03_02_2026", "04_07_2025"},
        {"yyyy_mm_dd$", "2026_02_03", "2025_07_04"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.word);
        const QString word = QString::fromLatin1(c.word);
        EXPECT_EQ(value(u'$' + word), QString::fromLatin1(c.now));
        EXPECT_EQ(value(QStringLiteral("$mod_") + word), QString::fromLatin1(c.modified));
    }
}

TEST_F(Tokens, TwelveHourClockAroundNoonAndMidnight)
{
    struct Case {
        QTime time;
        const char *expected;
    } cases[] = {
        {QTime(0, 30, 0), "123000_AM"},
        {QTime(11, 59, 59), "115959_AM"},
        {QTime(12, 0, 0), "120000_PM"},
        {QTime(13, 1, 2), "010102_PM"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        f.clock.set(QDateTime(QDate(2026, 2, 3), c.time));
        EXPECT_EQ(value(QStringLiteral("$time_12hrs$")), QString::fromLatin1(c.expected));
    }
}

TEST_F(Tokens, ModifiedTextThatIsNoDateFails)
{
    for (const char *modified : {"", "yesterday", "13/45/2025"}) {
        SCOPED_TRACE(modified);
        row.Modified = QString::fromLatin1(modified);
        EXPECT_THROW(expand(QStringLiteral("$mod_yyyy$")), vb::Error);
        EXPECT_THROW(expand(QStringLiteral("$date_modified$"), TokenAction::Replace), vb::Error);
    }
}

TEST_F(Tokens, SizesAndFolder)
{
    struct Case {
        int64_t size;
        const char *b;
        const char *kb;
        const char *mb;
    } cases[] = {
        {0, "0B", "0KB", "0MB"},
        {1536, "1536B", "1.5KB", "0MB"},
        {1075, "1075B", "1KB", "0MB"},
        {1126, "1126B", "1.1KB", "0MB"},
        {1280, "1280B", "1.2KB", "0MB"},      // 1.25 rounds to the even digit
        {262144, "262144B", "256KB", "0.2MB"}, // 0.25 MB rounds to the even digit
        {3145728, "3145728B", "3072KB", "3MB"},
        {12345678, "1.234568E+07B", "12056.3KB", "11.8MB"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.size);
        row.Size = float(c.size);
        EXPECT_EQ(value(QStringLiteral("$filesizeB$")), QString::fromLatin1(c.b));
        EXPECT_EQ(value(QStringLiteral("$filesizeKB$")), QString::fromLatin1(c.kb));
        EXPECT_EQ(value(QStringLiteral("$filesizeMB$")), QString::fromLatin1(c.mb));
    }
    EXPECT_EQ(value(QStringLiteral("$foldername$")), QStringLiteral("Holiday"));
}

TEST_F(Tokens, AnEmptySizeCellFailsAsAnEmptyModifiedDoes)
{
    // A row whose item was gone at the fill: no size, no date; its size tokens fail as its
    // date tokens do, and the other tokens still read the row.
    row.NoSize = true;
    row.Modified.clear();
    for (const char *token : {"$filesizeB$", "$filesizeKB$", "$filesizeMB$", "$mod_yyyy$"}) {
        SCOPED_TRACE(token);
        try {
            (void)expand(QString::fromLatin1(token));
            ADD_FAILURE() << "no failure";
        } catch (const vb::Error &e) {
            EXPECT_EQ(e.number(), vb::TypeMismatch);
        }
    }
    EXPECT_EQ(value(QStringLiteral("$foldername$")), QStringLiteral("Holiday"));
}

TEST_F(Tokens, NumbersUseTheLocaleDecimalSeparator)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    row.Size = 1536;
    const QString kb = value(QStringLiteral("$filesizeKB$"));
    QLocale::setDefault(saved);
    EXPECT_EQ(kb, QStringLiteral("1,5KB"));
}

TEST_F(Tokens, OnlyTheExactWordIsAToken)
{
    struct Case {
        const char *field;
        const char *expected;
    } cases[] = {
        {"$hour$ ", "$hour$ "},
        {" $hour$", " $hour$"},
        {"$HOUR$", "$HOUR$"},
        {"", ""},
        {"abc", "abc"},
        {"$", "$"},
        {"$current_date$", "$current_date$"},
        {"$Exif Data$", "$Exif Data$"},
        {"$mod_weekday_name$x", "$mod_weekday_name$x"},
        {"$Rand$_##", "$Rand$_##"},     // a mask form Replace First does not know
        {"$Random$_##", "$Random$_##"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(value(QString::fromLatin1(c.field)), QString::fromLatin1(c.expected));
    }
}

TEST_F(Tokens, CaseWordsTransformTheTarget)
{
    const QString target = QStringLiteral("abC1-\u00e9");
    EXPECT_EQ(*expand(QStringLiteral("$Upper_Case$"), TokenAction::ReplaceFirst, target),
              QStringLiteral("ABC1-\u00c9"));
    EXPECT_EQ(*expand(QStringLiteral("$Lower_Case$"), TokenAction::ReplaceFirst, target),
              QStringLiteral("abc1-\u00e9"));
    EXPECT_EQ(*expand(QStringLiteral("$Invert_Case$"), TokenAction::ReplaceFirst, target),
              QStringLiteral("ABc1-\u00e9"));
}

TEST_F(Tokens, WordsAnActionDoesNotKnowAreLiteral)
{
    struct Case {
        TokenAction action;
        const char *field;
    } cases[] = {
        {TokenAction::Insert, "$Upper_Case$"},
        {TokenAction::Suffix, "$Invert_Case$"},
        {TokenAction::Compose, "$Random String$"},
        {TokenAction::Compose, "$Lower_Case$"},
        {TokenAction::Replace, "$Random String$"},
        {TokenAction::Extension, "$hour$"},
        {TokenAction::Extension, "$filesizeB$"},
        {TokenAction::Extension, "$MP3_ID3_Title"},
        {TokenAction::ReplaceAll, "$date_modified$"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(value(QString::fromLatin1(c.field), c.action), QString::fromLatin1(c.field));
    }
}

TEST_F(Tokens, RandomTextFromTheMaskBoxAndTheMaskForms)
{
    // The random source always draws 0: "A" -> "A", "a" -> "a", "#" -> "0", others copied.
    EXPECT_EQ(*expand(QStringLiteral("$Random String$"), TokenAction::ReplaceFirst, {},
                      QStringLiteral("AAaa##")),
              QStringLiteral("AAaa00"));
    EXPECT_EQ(value(QStringLiteral("x$Rand$_##-$Rand$_#"), TokenAction::Replace),
              QStringLiteral("x00-0"));
    EXPECT_EQ(value(QStringLiteral("$Rand$_##"), TokenAction::Extension), QStringLiteral("00"));
    EXPECT_EQ(value(QStringLiteral("x$Random$_###"), TokenAction::Compose),
              QStringLiteral("x000"));
    EXPECT_EQ(value(QStringLiteral("$date_modified$"), TokenAction::Replace),
              QStringLiteral("07042025"));
    EXPECT_EQ(value(QStringLiteral("$time_modified$"), TokenAction::Replace),
              QStringLiteral("080307"));
}

TEST_F(Tokens, EachActionCountsOnItsOwn)
{
    EXPECT_EQ(value(QStringLiteral("$Counter$"), TokenAction::Prefix), QStringLiteral("001"));
    EXPECT_EQ(value(QStringLiteral("$Counter$"), TokenAction::Prefix), QStringLiteral("002"));
    EXPECT_EQ(value(QStringLiteral("$Counter$"), TokenAction::Suffix), QStringLiteral("001"));
    EXPECT_EQ(value(QStringLiteral("$AlphaCounter$"), TokenAction::Suffix), QStringLiteral("00A"));
    f.settings.SuffixCounter.CounterPrefix = QStringLiteral("n");
    EXPECT_EQ(value(QStringLiteral("$Counter$"), TokenAction::Suffix), QStringLiteral("n002"));
}

TEST_F(Tokens, ExifTagsAndPictureDates)
{
    row.Type = QStringLiteral("JPEG Image");
    f.engine.run.ExifLines = QStringList{QStringLiteral("Make: Canon"),
                                         QStringLiteral("Model: Canon EOS 5D"),
                                         QStringLiteral("XModelName: other"),
                                         QStringLiteral("DateTime: 2024:05:06 09:07:08")};
    row.PictureDate = QStringLiteral("2024:05:06 09:07:08");
    struct Case {
        const char *field;
        const char *expected;
    } cases[] = {
        {"$Exif_Model", "Canon EOS 5D"},
        {"$Exif_Make", "Canon"},
        {"$Exif_ModelName", ""},   // the line must begin with the tag and ": "
        {"$Exif_Mode", ""},
        {"$Exif_", ""},
        {"$Exif_Lens", ""},
        {"$Exif_date_$time_12hrs$", "090708_AM"},
        {"$Exif_date_$time_24hrs$", "0907"},
        {"$Exif_date_$hh_mm_ss$", "09_07_08"},
        {"$Exif_date_$hour$", "09"},
        {"$Exif_date_$hhmmss$", "090708"},
        {"$Exif_date_$min$", "07"},
        {"$Exif_date_$sec$", "08"},
        {"$Exif_date_$yyyy$", "2024"},
        {"$Exif_date_$yy$", "24"},
        {"$Exif_date_$mm$", "05"},
        {"$Exif_date_$month$", "May"},
        {"$Exif_date_$dd$", "6"},
        {"$Exif_date_$weekday$", "2"},
        {"$Exif_date_$weekday_name$", "Monday"},
        {"$Exif_date_$mmddyy$", "050624"},
        {"$Exif_date_$date$", "06.05.2024"},
        {"$Exif_date_$ddmmyy$", "060524"},
        {"$Exif_date_$yymmdd$", "240506"},
        {"$Exif_date_$mmddyyyy$", "05062024"},
        {"$Exif_date_$ddmmyyyy$", "06052024"},
        {"$Exif_date_$yyyymmdd$", "20240506"},
        {"$Exif_date_$mm_dd_yy$", "05_06_24"},
        {"$Exif_date_$dd_mm_yy$", "06_05_24"},
        {"$Exif_date_$yy_mm_dd$", "24_05_06"},
        {"$Exif_date_$date_long$", "Monday, May 6, 2024"},
        {"$Exif_date_$mm_dd_yyyy$", "05_06_2024"},
        {"$Exif_date_$dd_mm_yyyy$", "06_05_2024"},
        {"$Exif_date_$yyyy_mm_dd$", "2024_05_06"},
        {"$Exif_date_$bogus$", "$Exif_date_$bogus$"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(value(QString::fromLatin1(c.field)), QString::fromLatin1(c.expected));
    }
}

TEST_F(Tokens, ExifTokenOnARowWithoutPictureDataYieldsTheTarget)
{
    struct Case {
        const char *name;
        const char *type;
        QStringList lines;
    } cases[] = {
        {"other type", "JPEG file", {"Make: Canon", "Model: X"}},
        {"type in other case", "jpeg image", {"Make: Canon", "Model: X"}},
        {"a single line", "JPEG Image", {"Model: X"}},
        {"no lines", "JPEG Image", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        row.Type = QString::fromLatin1(c.type);
        f.engine.run.ExifLines = c.lines;
        EXPECT_EQ(*expand(QStringLiteral("$Exif_Model"), TokenAction::ReplaceFirst,
                          QStringLiteral("abc")),
                  QStringLiteral("abc"));
        EXPECT_EQ(*expand(QStringLiteral("$Exif_Model"), TokenAction::Suffix, QString()), QString());
    }
}

namespace {

// Runs the test in another time zone and brings the old one back afterwards.
class TimeZoneScope {
public:
    explicit TimeZoneScope(const char *zone) : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZoneScope()
    {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }
    TimeZoneScope(const TimeZoneScope &) = delete;
    TimeZoneScope &operator=(const TimeZoneScope &) = delete;

private:
    bool m_had;
    QByteArray m_old;
};

} // namespace

TEST_F(Tokens, DatesAreWallClockTimesAlsoWhereTheLocalClockSkipsOrRepeatsThem)
{
    // In Berlin, 02:00 to 03:00 does not exist on 31 March 2024 and comes twice on 27 October.
    const TimeZoneScope berlin("Europe/Berlin");
    row.Type = QStringLiteral("JPEG Image");
    struct Case {
        const char *pictureDate;
        const char *modified;
        const char *field;
        const char *expected;
    } cases[] = {
        {"2024:03:31 02:30:00", "", "$Exif_date_$hh_mm_ss$", "02_30_00"},
        {"2024:03:31 02:30:00", "", "$Exif_date_$yyyy_mm_dd$", "2024_03_31"},
        {"2024:03:31 02:30:00", "", "$Exif_date_$time_12hrs$", "023000_AM"},
        {"2024:10:27 02:30:00", "", "$Exif_date_$hhmmss$", "023000"},
        {"", "3/31/2024 2:30:00 AM", "$mod_hh_mm_ss$", "02_30_00"},
        {"", "3/31/2024 2:30:00 AM", "$mod_hour$", "2"},
        {"", "2024-03-31 02:59:59", "$mod_yyyymmdd$", "20240331"},
        {"", "2024-03-31 02:59:59", "$mod_time_24hrs$", "0259"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.pictureDate + c.modified);
        row.PictureDate = QString::fromLatin1(c.pictureDate);
        row.Modified = QString::fromLatin1(c.modified);
        f.engine.run.ExifLines = QStringList{QStringLiteral("Make: A"),
                                             QStringLiteral("DateTime: ") + row.PictureDate};
        EXPECT_EQ(value(QString::fromLatin1(c.field)), QString::fromLatin1(c.expected));
    }
}

TEST_F(Tokens, TagTextLosesItsControlCharacters)
{
    row.Type = QStringLiteral("JPEG Image");
    f.engine.run.ExifLines = QStringList{QStringLiteral("Make: Can\non"),
                                         QStringLiteral("Model: \tEOS\r\n5D\x7f\x1f"),
                                         QStringLiteral("Software: \x01\x02"),
                                         QStringLiteral("Artist: Ann\u0085 Lee\u0080\u009F")};
    EXPECT_EQ(value(QStringLiteral("$Exif_Make")), QStringLiteral("Canon"));
    EXPECT_EQ(value(QStringLiteral("$Exif_Artist")), QStringLiteral("Ann Lee"));
    EXPECT_EQ(value(QStringLiteral("$Exif_Model")), QStringLiteral("EOS5D"));
    EXPECT_EQ(value(QStringLiteral("$Exif_Software")), QString());

    const QString file = QStringLiteral("/data/song.mp3");
    f.metadata.setMusicFile(file);
    f.engine.run.CurrentExtension = QStringLiteral(".mp3");
    f.metadata.texts[{file, Id3Field::Title}] = QStringLiteral("Blue\r\nTrain\t");
    f.metadata.texts[{file, Id3Field::Album}] = QStringLiteral("\n");
    f.metadata.texts[{file, Id3Field::Artist}] = QString::fromUtf8("Bj\xC3\xB6rk \xC2\x85\xC2\x80\xC2\x9F\xC2\xA0!");
    EXPECT_EQ(value(QStringLiteral("$MP3_ID3_Title")), QStringLiteral("BlueTrain"));
    // Nothing left: the name is kept, as for an empty tag.
    EXPECT_EQ(value(QStringLiteral("$MP3_ID3_Album")), QStringLiteral("<KeepName>"));
    // U+0080 to U+009F go as well; the characters around them, U+00A0 (no-break space) and
    // letters with accents, stay.
    EXPECT_EQ(value(QStringLiteral("$MP3_ID3_Artist")), QString::fromUtf8("Bj\xC3\xB6rk \xC2\xA0!"));
}

TEST_F(Tokens, PictureDateThatIsNoDateFails)
{
    row.Type = QStringLiteral("JPEG Image");
    f.engine.run.ExifLines = QStringList{QStringLiteral("Make: A"), QStringLiteral("Model: B")};
    for (const char *date : {"", "0000:00:00 00:00:00", "garbage"}) {
        SCOPED_TRACE(date);
        row.PictureDate = QString::fromLatin1(date);
        EXPECT_THROW(expand(QStringLiteral("$Exif_date_$yyyy$")), vb::Error);
    }
    row.PictureDate.clear();
    EXPECT_EQ(value(QStringLiteral("$Exif_date_$nope$")), QStringLiteral("$Exif_date_$nope$"));
}

TEST_F(Tokens, MusicWords)
{
    const QString file = QStringLiteral("/data/song.mp3");
    f.metadata.setMusicFile(file);
    f.metadata.texts[{file, Id3Field::Title}] = QStringLiteral("Blue Train");
    f.metadata.texts[{file, Id3Field::OriginalFileName}] = QStringLiteral("orig.wav");
    f.metadata.numbers[{file, Id3Field::BitRate}] = 128;
    f.metadata.numbers[{file, Id3Field::Length}] = 215.5;
    f.metadata.numbers[{file, Id3Field::SamplingRateFrequency}] = 44100;
    struct Case {
        const char *extension;
        const char *field;
        const char *expected;
    } cases[] = {
        {".mp3", "$MP3_ID3_Title", "Blue Train"},
        {".Mp3", "$MP3_ID3_Title", "Blue Train"},
        {".MP3", "$MP3_ID3_Title$MP3_ID3_", "Blue Train"},
        {".mp3", "x$MP3_ID3_Title", "<KeepName>"},
        {".mp3", "$MP3_ID3_title", "<KeepName>"},
        {".mp3", "$MP3_ID3_Album", "<KeepName>"},   // empty tag
        {".mp3", "$MP3_ID3_Bitrate", "128"},
        {".mp3", "$MP3_ID3_Length", "215.5"},
        {".mp3", "$MP3_ID3_length", "215.5"},
        {".mp3", "$MP3_ID3_SamplingRateFrequency", "44100"},
        {".mp3", "$MP3_ID3_OriginalFilename", "orig.wav"},
        {".mp3", "$MP3_ID3_OriginalFileName", "orig.wav"},
        {".mp4", "$MP3_ID3_Title", "<KeepName>"},
        {"", "$MP3_ID3_Title", "<KeepName>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.extension, c.field).toStdString());
        f.engine.run.CurrentExtension = QString::fromLatin1(c.extension);
        EXPECT_EQ(value(QString::fromLatin1(c.field)), QString::fromLatin1(c.expected));
    }
}

TEST(InvertCase, SwapsOnlyAsciiLetters)
{
    EXPECT_EQ(InvertCase(QStringLiteral("aBz-Z09_\u00e9\u00c9 ")),
              QStringLiteral("AbZ-z09_\u00e9\u00c9 "));
    EXPECT_EQ(InvertCase(QString()), QString());
}

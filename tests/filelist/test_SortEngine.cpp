#include "FileListFixtures.h"
#include "ListViewEditable.h"
#include "SortEngine.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace filelist;

namespace {

constexpr int32_t NameColumn = 1;
constexpr int32_t SizeColumn = 3;
constexpr int32_t DateColumn = 5;

// Rows named r1, r2, ... with `texts` in grid column `column` (1 is the name itself).
void fill(ListViewEditable &list, int32_t column, const QStringList &texts)
{
    list.ClearItems();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const int32_t row = list.ListItems().Add(column == 1 ? texts[i] : QStringLiteral("r%1").arg(i + 1));
        if (column > 1)
            list.ListItems().SetSubItem(row, column - 1, texts[i]);
        list.ListItems().SetTag(row, QStringLiteral("tag%1").arg(i + 1));
    }
}

QStringList column(const ListViewEditable &list, int32_t c)
{
    QStringList out;
    for (int32_t i = 1; i <= list.FileItemCount(); ++i)
        out << list.Cell(i, c);
    return out;
}

QStringList reversed(QStringList l)
{
    std::reverse(l.begin(), l.end());
    return l;
}

// Positions of `texts` in the order a stable sort comparing every pair without case gives.
std::vector<int> stableCaselessOrder(const QStringList &texts, bool ascending)
{
    std::vector<int> order(size_t(texts.size()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return ascending ? texts[a].compare(texts[b], Qt::CaseInsensitive) < 0
                         : texts[b].compare(texts[a], Qt::CaseInsensitive) < 0;
    });
    return order;
}

} // namespace

TEST(SortEngine, TypedColumnsSortBothWays)
{
    struct Case {
        const char *name;
        int32_t column;
        int32_t dataType;
        QStringList cells;
        QStringList ascending;
    };
    const Case cases[] = {
        {"numbers", SizeColumn, ldtNumber, {"2", "-5", "10", "0", "-10", "-0.5"}, {"-10", "-5", "-0.5", "0", "2", "10"}},
        {"size texts", SizeColumn, ldtNumber, {"1,024KB", "12KB", "", "3 KB", "-5 KB"}, {"-5 KB", "", "3 KB", "12KB", "1,024KB"}},
        {"huge numbers", SizeColumn, ldtNumber, {"1e25", "2e21", "99"}, {"99", "2e21", "1e25"}},
        {"nan is no number", SizeColumn, ldtNumber, {"5", "nan", "1", "-2"}, {"-2", "nan", "1", "5"}},
        {"dates", DateColumn, ldtDateTime,
         {"2024/5/9 12:30:00 AM", "2024/5/9 12:00:00 PM", "2024/5/8 11:59:59 PM", "2023/12/31 1:00:00 PM", "",
          "2024-05-09 06:00:00", "2024/5/9 1:00:00 AM"},
         {"", "2023/12/31 1:00:00 PM", "2024/5/8 11:59:59 PM", "2024/5/9 12:30:00 AM", "2024/5/9 1:00:00 AM",
          "2024-05-09 06:00:00", "2024/5/9 12:00:00 PM"}},
        {"text", NameColumn, ldtString, {"file2.txt", "File10.txt", "a.txt"}, {"a.txt", "File10.txt", "file2.txt"}},
        {"other type", 2, 7, {"b", "C", "a"}, {"a", "b", "C"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ListViewEditable list;
        fill(list, c.column, c.cells);
        list.SortCustom(int16_t(c.column), true, c.dataType);
        EXPECT_EQ(column(list, c.column), c.ascending);
        EXPECT_EQ(list.SortOrder(), lvwAscending);
        EXPECT_EQ(list.SortKey(), c.column - 1);
        EXPECT_TRUE(list.Sorted());
        list.SortCustom(int16_t(c.column), false, c.dataType);
        EXPECT_EQ(column(list, c.column), reversed(c.ascending));
        EXPECT_EQ(list.SortOrder(), lvwDescending);
    }
}

TEST(SortEngine, CellsAndTagsStayTheirOwn)
{
    ListViewEditable list;
    fill(list, SizeColumn, {"2", "-5", "10"});
    list.SortCustom(SizeColumn, true, ldtNumber);
    for (int32_t i = 1; i <= 3; ++i) {
        const ListItem &item = list.ListItems().Item(i);
        const int original = item.Text.mid(1).toInt();
        EXPECT_EQ(item.Tag, QStringLiteral("tag%1").arg(original));
        EXPECT_EQ(item.SubItems(2), QStringList({"2", "-5", "10"})[original - 1]);
    }
}

TEST(SortEngine, FileRowsSortByTheirOwnSizeAndTime)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ListViewEditable list;
    const std::pair<const char *, qint64> files[] = {{"big", 1048577}, {"small", 12 * 1024}, {"mid", 2000}};
    int day = 1;
    for (const auto &[name, size] : files) {
        fixtures::setModified(fixtures::makeFile(root, name, size), QDateTime(QDate(2024, 1, day++), QTime(12, 0, 30)));
        list.AddFile(root + u'/', name);
    }
    fixtures::makeFolder(root, "folder");
    fixtures::setModified(root + "/folder", QDateTime(QDate(2023, 6, 1), QTime(0, 15)));
    list.AddFile(root + u'/', "folder");
    QLocale::setDefault(saved);
    EXPECT_EQ(list.Cell(1, SizeColumn), "1.025KB") << "sizes are written with the locale's grouping";

    list.SortCustom(SizeColumn, true, ldtNumber);
    EXPECT_EQ(column(list, NameColumn), QStringList({"folder", "mid", "small", "big"}));
    list.SortCustom(DateColumn, false, ldtDateTime);
    EXPECT_EQ(column(list, NameColumn), QStringList({"mid", "small", "big", "folder"}));

    list.ListItems().SetSubItem(1, 4, "1999/1/1 1:00:00 AM");
    list.SortCustom(DateColumn, true, ldtDateTime);
    EXPECT_EQ(column(list, NameColumn).first(), "mid") << "an edited date cell sorts by its new text";
}

TEST(SortEngine, MagnitudeOrderOfNames)
{
    struct Case {
        const char *name;
        QStringList cells;
        QStringList ascending;
    };
    const Case cases[] = {
        {"trailing numbers", {"file10.txt", "file2.txt", "file1.txt"}, {"file1.txt", "file2.txt", "file10.txt"}},
        {"prefix first", {"ab1.txt", "a10.txt"}, {"a10.txt", "ab1.txt"}},
        {"leading zeros tie", {"file007.txt", "file7.txt"}, {"file007.txt", "file7.txt"}},
        {"blank before number", {"file 10.txt", "file 2.txt"}, {"file 2.txt", "file 10.txt"}},
        {"longest tail first", {"file100.txt", "file2.txt", "file3.txt"}, {"file2.txt", "file3.txt", "file100.txt"}},
        {"short cells", {"b2", "a", "b10"}, {"a", "b2", "b10"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ListViewEditable list;
        list.setMagnitudeSortSource([] { return true; });
        fill(list, NameColumn, c.cells);
        list.SortCustom(NameColumn, true, ldtString);
        EXPECT_EQ(column(list, NameColumn), c.ascending);
    }

    ListViewEditable plain;
    bool asked = false;
    plain.setMagnitudeSortSource([&] {
        asked = true;
        return false;
    });
    fill(plain, NameColumn, {"file2.txt", "file10.txt"});
    plain.SortCustom(NameColumn, true, ldtString);
    EXPECT_TRUE(asked);
    EXPECT_EQ(column(plain, NameColumn), QStringList({"file10.txt", "file2.txt"}));
}

TEST(SortEngine, MagnitudeKeys)
{
    EXPECT_EQ(SortEngine::MagnitudeKeys({"file2.txt", "file10.txt", "photo12.jpeg"}),
              std::vector<QString>({"file02", "file10", "photo12.00"}));
    EXPECT_EQ(SortEngine::MagnitudeKeys({"Track-10.mp3", "ver1.5.txt", "x.txt"}),
              std::vector<QString>({"Track-010", "ver002", "x000"}));
    EXPECT_EQ(SortEngine::MagnitudeKeys({"none.txt", "x.txt"}), std::vector<QString>({"none0", "x0"}));
    EXPECT_TRUE(SortEngine::MagnitudeKeys({}).empty());
}

TEST(SortEngine, CellValues)
{
    const std::pair<const char *, double> numbers[] = {
        {"1234", 1234}, {"1,234", 1234}, {"1,234 KB", 1234}, {"", 0}, {"abc", 0}, {" -7.5", -7.5}, {"12KB", 12},
        {"nan", 0}, {"NaN", 0}, {"inf", 0}, {"-inf", 0},
    };
    for (const auto &[text, value] : numbers) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(SortEngine::NumberValue(QString::fromUtf8(text)), value);
    }
    // Dates in cells are wall-clock times: the same value whatever the time zone.
    const auto local = [](int y, int m, int d, int h, int mi, int s) {
        return QDateTime(QDate(y, m, d), QTime(h, mi, s), Qt::UTC).toSecsSinceEpoch();
    };
    EXPECT_EQ(SortEngine::DateValue("2024/5/9 3:07:05 PM"), local(2024, 5, 9, 15, 7, 5));
    EXPECT_EQ(SortEngine::DateValue("2024/5/9 12:00:00 PM"), local(2024, 5, 9, 12, 0, 0));
    EXPECT_EQ(SortEngine::DateValue("2024/5/9 12:30:00 AM"), local(2024, 5, 9, 0, 30, 0));
    EXPECT_EQ(SortEngine::DateValue("2024/5/9 0:30:00 AM"), local(2024, 5, 9, 0, 30, 0));
    EXPECT_EQ(SortEngine::DateValue("2024/5/9"), local(2024, 5, 9, 0, 0, 0));
    EXPECT_FALSE(SortEngine::DateValue("not a date").has_value());
    EXPECT_FALSE(SortEngine::DateValue("").has_value());
}

TEST(SortEngine, SortedSortsByPlainTextOfSortKey)
{
    ListViewEditable list;
    fill(list, 2, {"/b/", "/A/", "/c/"});
    list.setSortKey(1);
    EXPECT_EQ(column(list, 2), QStringList({"/b/", "/A/", "/c/"})) << "no sort before Sorted is set";
    list.setSorted(true);
    EXPECT_EQ(column(list, 2), QStringList({"/A/", "/b/", "/c/"}));
    list.setSortOrder(lvwDescending);
    EXPECT_EQ(column(list, 2), QStringList({"/c/", "/b/", "/A/"}));
    list.ListItems().Add("late");
    EXPECT_EQ(list.Cell(4, 1), "late") << "rows added afterwards are appended";
    list.setSortKey(0);
    EXPECT_EQ(column(list, 1), QStringList({"r3", "r2", "r1", "late"}));
    list.SortCustom(0, true, ldtString);
    EXPECT_EQ(column(list, 1), QStringList({"r3", "r2", "r1", "late"})) << "column 0 names no column";

    ListViewEditable empty;
    empty.SortCustom(SizeColumn, false, ldtNumber);
    EXPECT_EQ(empty.SortKey(), 2);
    EXPECT_EQ(empty.SortOrder(), lvwDescending);
}

TEST(SortEngine, NameOrderIsTheCaseInsensitiveComparisonsOrder)
{
    // Names sorted through their folded forms land exactly where a case-insensitive comparison
    // of every pair puts them, both ways: letters with and without case, characters that fold to
    // several, characters beyond the first plane (which that comparison puts before U+E000),
    // halves of pairs standing alone (as undecodable bytes may come), equal names (whose order
    // stays).
    const QString lone1 = QString(QChar(0xDC80)), lone2 = QString(QChar(0xDC81)), high = QString(QChar(0xD800));
    const QString beyond = QString::fromUcs4(U"\U0001F600"), beyondUpper = QString::fromUcs4(U"\U00010400");
    const QString beyondLower = QString::fromUcs4(U"\U00010428");
    const QStringList names = {
        "b.txt", "B.TXT", "a.txt", "Ä.txt", "ä.txt", "straße", "STRASSE", "strasse", "ẞ", "ß", "İstanbul", "istanbul",
        "ı", "I", "Σίσυφος", "ΣΊΣΥΦΟΣ", "ς", "σ", "ﬁle", "FILE", "\uFFFD", "a" + lone1, "a" + lone2, "a" + high + "b",
        "a\uFFFD", beyond, "\uE000", "\uFFFF", beyondUpper, beyondLower, "", " ", "_", "0", "9", "z", "Z", "é", "É",
        "e\u0301", "b.txt", "A.txt", "a.TXT",
    };
    // The order a stable sort with the full comparison gives.
    const auto reference = [&](bool ascending) {
        QStringList out;
        for (int i : stableCaselessOrder(names, ascending))
            out << names[i] + QStringLiteral(" #%1").arg(i);
        return out;
    };
    for (const bool ascending : {true, false}) {
        SCOPED_TRACE(ascending ? "ascending" : "descending");
        ListViewEditable list;
        QStringList tagged;
        for (qsizetype i = 0; i < names.size(); ++i)
            tagged << names[i];
        fill(list, NameColumn, tagged);
        for (int32_t r = 1; r <= list.FileItemCount(); ++r)
            list.ListItems().SetTag(r, QStringLiteral(" #%1").arg(r - 1));
        list.SortByColumn(NameColumn, ldtString, ascending);
        QStringList got;
        for (int32_t r = 1; r <= list.FileItemCount(); ++r)
            got << list.ListItems().Item(r).Text + list.ListItems().Item(r).Tag;
        EXPECT_EQ(got, reference(ascending));
        // Sorting again leaves every row where it is.
        list.SortByColumn(NameColumn, ldtString, ascending);
        QStringList again;
        for (int32_t r = 1; r <= list.FileItemCount(); ++r)
            again << list.ListItems().Item(r).Text + list.ListItems().Item(r).Tag;
        EXPECT_EQ(again, got);
    }
}

TEST(SortEngine, RowsSharingAFolderKeepTheirOrderAmongEqualFolders)
{
    // Neighbouring rows of one folder, a folder met again further down, folders equal but for
    // case side by side and apart: each lands where a stable sort of every row puts it.
    const QStringList folders = {
        "/d/", "/d/", "/d/", "/a/", "/a/", "/B/", "/b/", "/b/", "/c/", "/a/", "/A/", "/A/", "/d/", "/é/", "/É/", "/b/",
    };
    for (const bool ascending : {true, false}) {
        SCOPED_TRACE(ascending ? "ascending" : "descending");
        QStringList expected;
        for (int i : stableCaselessOrder(folders, ascending))
            expected << folders[i] + QStringLiteral("tag%1").arg(i + 1);

        ListViewEditable list;
        fill(list, 2, folders);
        list.SortByColumn(2, ldtString, ascending);
        QStringList got;
        for (int32_t r = 1; r <= list.FileItemCount(); ++r)
            got << list.Cell(r, 2) + list.ListItems().Item(r).Tag;
        EXPECT_EQ(got, expected);
    }
}

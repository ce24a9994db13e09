#include "ColHeaders.h"
#include "VbError.h"

#include <gtest/gtest.h>

using namespace filelist;

namespace filelist {
void PrintTo(const ColHeader &h, std::ostream *os)
{
    *os << h.GetTagText("|").toStdString();
}
} // namespace filelist

namespace {

ColHeader header(const QString &text, const QString &key, float width, int32_t alignment, int32_t dataType)
{
    ColHeader h;
    h.Text = text;
    h.Key = key;
    h.Width = width;
    h.Alignment = alignment;
    h.DataType = dataType;
    return h;
}

std::vector<ColHeader> itemsOf(const ColHeaders &c)
{
    std::vector<ColHeader> out;
    for (const ColHeaders::Entry &e : c)
        out.push_back(e.item);
    return out;
}

ColHeaders fromText(const QString &text)
{
    ColHeaders c;
    c.CreateItemsFromTagText(text, QStringLiteral("\r\n"), QStringLiteral("|"));
    return c;
}

} // namespace

TEST(ColHeaders, DefaultTextGivesTheFiveColumns)
{
    EXPECT_EQ(DefaultColumnHeadersText().size(), 352);
    const std::vector<ColHeader> expected = {
        header(QString(14, u' ') + "Name", "", 2100, 0, 0),
        header(QString(20, u' ') + "Path", "", 2400.063f, 0, 0),
        header("Size", "", 799.9371f, 0, ldtNumber),
        header("Type", "", 1000.063f, 0, 0),
        header("Created Date", "", 2100, lvwColumnCenter, ldtDateTime),
    };
    EXPECT_EQ(itemsOf(fromText(DefaultColumnHeadersText())), expected);
}

TEST(ColHeaders, WritingAndReadingBackKeepsTheDefinitions)
{
    const ColHeaders defaults = fromText(DefaultColumnHeadersText());
    const QString written = defaults.GetTagText(QStringLiteral("\r\n"));
    EXPECT_TRUE(written.startsWith(QLatin1String("\r\n|Text=              Name|Key=|Width=2100|Alignment=0|DataType=0|\r\n")));
    EXPECT_TRUE(written.endsWith(QLatin1String("|Text=Created Date|Key=|Width=2100|Alignment=2|DataType=2|\r\n")));
    EXPECT_FALSE(written.contains(QLatin1String("Level")));
    EXPECT_EQ(itemsOf(fromText(written)), itemsOf(defaults));

    ColHeaders odd;
    odd.Add("k1", "  Caption", 1234.5f, 1, 1);
    odd.Add("", "Empty width", 0, 2, 7);
    EXPECT_EQ(itemsOf(fromText(odd.GetTagText(QStringLiteral("\r\n")))), itemsOf(odd));
    EXPECT_EQ(ColHeaders().GetTagText(QStringLiteral("\r\n")), QString());
}

TEST(ColHeaders, LinesAreReadForgivingly)
{
    struct Case {
        const char *line;
        ColHeader expected;
    };
    const Case cases[] = {
        {"|Text=Size|", header("Size", "", 0, 0, 0)},
        {"|Text=Size|DataType=1", header("Size", "", 0, 0, 0)},
        {"|text=Name|KEY=k|width=12.5|ALIGNMENT=1|datatype=2|", header("Name", "k", 12.5f, 1, 2)},
        {"|DataType=2|Text=Swapped|", header("Swapped", "", 0, 0, 2)},
        {"|Text=A|B|Key=x|", header("A", "x", 0, 0, 0)},
        {"|Text=W|Width=2400,063|", header("W", "", 2400, 0, 0)},
        {"|Text=R|Alignment=2.5|DataType= -1.5x|", header("R", "", 0, 2, -2)},
        {"|Text=N|Width=abc|Alignment=|", header("N", "", 0, 0, 0)},
        {"no pairs at all", header("", "", 0, 0, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        ColHeader h = header("old", "old", 9, 9, 9);
        h.SetPropsFromTagText(QString::fromUtf8(c.line), QStringLiteral("|"));
        EXPECT_EQ(h, c.expected);
    }
}

TEST(ColHeaders, TextsSplitIntoColumns)
{
    EXPECT_EQ(fromText(QString()).Count(), 0);
    const QString two = QStringLiteral("|Text=A|\r\n|Text=B|");
    const QString spaced = QStringLiteral("\r\n\r\n|Text=A|\r\n\r\n\r\n|Text=B|\r\n");
    EXPECT_EQ(itemsOf(fromText(spaced)), itemsOf(fromText(two)));
    EXPECT_EQ(fromText(two).Count(), 2);

    ColHeaders kept = fromText(two);
    kept.CreateItemsFromTagText(QStringLiteral("|Text=C|"), QStringLiteral("\r\n"), QStringLiteral("|"));
    EXPECT_EQ(kept.Count(), 3);
    EXPECT_TRUE(kept.Items()[2].key.isEmpty());
}

TEST(ColHeaders, WidthTexts)
{
    EXPECT_EQ(WidthText(2100), "2100");
    EXPECT_EQ(WidthText(2400.063f), "2400.063");
    EXPECT_EQ(WidthText(799.9371f), "799.9371");
    EXPECT_EQ(WidthText(0.5f), "0.5");
    EXPECT_EQ(WidthText(-15), "-15");
    EXPECT_EQ(LeadingDecimal("  -12.75abc"), -12.75);
    EXPECT_EQ(LeadingDecimal("1e5"), 1);
    EXPECT_EQ(LeadingDecimal("x1"), 0);
}

TEST(ColHeaders, CollectionByPositionAndKey)
{
    ColHeaders c;
    ASSERT_NE(c.Add("name", "Name", 100, 0, 0), nullptr);
    ASSERT_NE(c.Add("size", "Size", 50, 1, 1), nullptr);
    EXPECT_EQ(c.Add("SIZE", "Again", 1, 0, 0), nullptr) << "keys compare without regard to case";
    EXPECT_EQ(c.Add("", "Bad", 1, 0, 0, ColHeaders::Index(7)), nullptr);
    EXPECT_EQ(c.Count(), 2);

    ASSERT_NE(c.Add("", "First", 1, 0, 0, ColHeaders::Index(1)), nullptr);
    ASSERT_NE(c.Add("", "Third", 1, 0, 0, std::nullopt, ColHeaders::Index(QStringLiteral("Name"))), nullptr);
    QStringList order;
    for (const auto &e : c)
        order << e.item.Text;
    EXPECT_EQ(order, QStringList({"First", "Name", "Third", "Size"}));

    EXPECT_EQ(c.Item(QStringLiteral("Size")).DataType, 1);
    EXPECT_EQ(c.Item(2).Text, "Name");
    EXPECT_TRUE(c.Exists(QStringLiteral("NAME")));
    EXPECT_FALSE(c.Exists(5));
    EXPECT_FALSE(c.Exists(QString()));
    EXPECT_THROW(c.Item(0), vb::Error);
    EXPECT_THROW(c.Item(QStringLiteral("nope")), vb::Error);
    EXPECT_THROW(c.AddEx(nullptr, "", ColHeaders::Index(1), ColHeaders::Index(1)), vb::Error);
    EXPECT_THROW(c.AddEx(nullptr, "name"), vb::Error);

    EXPECT_TRUE(c.Remove(QStringLiteral("name")));
    EXPECT_FALSE(c.Remove(QStringLiteral("name")));
    EXPECT_FALSE(c.Remove(9));
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
}

TEST(ColHeaders, ColumnHeadersCarryTheDataTypeInTheirTag)
{
    ColHeaders c = fromText(DefaultColumnHeadersText());
    c.Item(1).Key = "dup";
    c.Item(3).Key = "DUP";
    const std::vector<ColumnHeader> headers = c.ToColumnHeaders();
    ASSERT_EQ(headers.size(), 5u);
    EXPECT_EQ(headers[2].Tag, "1");
    EXPECT_EQ(headers[4].Tag, "2");
    EXPECT_EQ(headers[4].Alignment, lvwColumnCenter);
    EXPECT_EQ(headers[0].Key, "dup");
    EXPECT_EQ(headers[2].Key, QString()) << "a repeated key is left off";
    EXPECT_EQ(headers[2].Text, "Size");

    std::vector<ColumnHeader> inner = headers;
    inner[1].Tag = "";
    inner[3].Tag = "x";
    ColHeaders back;
    back.AddFromColumnHeaders(inner);
    ASSERT_EQ(back.Count(), 5);
    EXPECT_EQ(back.Item(2).DataType, 0);
    EXPECT_EQ(back.Item(3).DataType, 1);
    EXPECT_EQ(back.Item(4).DataType, 0);
    EXPECT_EQ(back.Item(QStringLiteral("dup")).Text, back.Item(1).Text);
    EXPECT_FLOAT_EQ(back.Item(2).Width, 2400.063f);
}

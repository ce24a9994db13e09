// The ordered set of repeated frame values.
#include "MultiFrameData.h"
#include "VbError.h"

#include <gtest/gtest.h>

using metadata::MultiFrameData;

namespace {

MultiFrameData three()
{
    MultiFrameData d;
    d.Add("a");
    d.Add("b");
    d.Add("c");
    return d;
}

} // namespace

TEST(MultiFrameData, KeysDecideWhatCountsAsTheSameItem)
{
    struct Case {
        const char *name;
        QString first;
        QString second;
        bool binary;
        int count;
    };
    const Case cases[] = {
        {"same text", "http://a", "http://a", false, 1},
        {"letter case only", "http://A", "http://a", false, 1},
        {"blanks around, text match", " http://a ", "http://a", false, 1},
        {"text after a NUL, text match", QString("http://a") + QChar(0) + "x", "http://a", false, 1},
        {"blanks around, binary match", " http://a ", "http://a", true, 2},
        {"letter case only, binary match", "ABC", "abc", true, 1},
        {"different", "http://a", "http://b", false, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MultiFrameData d;
        d.Add(c.first, std::nullopt, std::nullopt, c.binary);
        d.Add(c.second, std::nullopt, std::nullopt, c.binary);
        EXPECT_EQ(d.Count(), c.count);
        EXPECT_EQ(d.Item(1), c.first);
    }
}

TEST(MultiFrameData, AddPlacesByBeforeAndAfter)
{
    struct Case {
        const char *name;
        std::optional<std::int32_t> before;
        std::optional<std::int32_t> after;
        QStringList expected;
    };
    const Case cases[] = {
        {"neither", {}, {}, {"a", "b", "c", "x"}},
        {"before 0", 0, {}, {"x", "a", "b", "c"}},
        {"before 2", 2, {}, {"a", "x", "b", "c"}},
        {"before 9", 9, {}, {"a", "b", "c", "x"}},
        {"before wins over after", 1, 3, {"x", "a", "b", "c"}},
        {"after 0", {}, 0, {"a", "x", "b", "c"}},
        {"after 2", {}, 2, {"a", "b", "x", "c"}},
        {"after 7", {}, 7, {"a", "b", "c", "x"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MultiFrameData d = three();
        d.Add("x", c.before, c.after);
        EXPECT_EQ(d.items(), c.expected);
    }
    MultiFrameData empty;
    empty.Add("x", 5, {});
    EXPECT_EQ(empty.items(), QStringList{"x"});
}

TEST(MultiFrameData, SetItemKeepsThePlaceButNotTheKey)
{
    for (int index : {1, 2, 3}) {
        SCOPED_TRACE(index);
        MultiFrameData d = three();
        d.setItem(index, "n");
        QStringList expected{"a", "b", "c"};
        expected[index - 1] = "n";
        EXPECT_EQ(d.items(), expected);
        d.Add("n");
        EXPECT_EQ(d.Count(), 4); // the replaced entry has no key
    }
    MultiFrameData one;
    one.Add("a");
    one.setItem(1, "b");
    EXPECT_EQ(one.items(), QStringList{"b"});
}

TEST(MultiFrameData, RemoveAndClear)
{
    MultiFrameData d = three();
    d.Remove(2);
    EXPECT_EQ(d.items(), QStringList({"a", "c"}));
    d.Add("b");
    EXPECT_EQ(d.items(), QStringList({"a", "c", "b"}));
    d.Clear();
    EXPECT_EQ(d.Count(), 0);
    d.Add("a");
    EXPECT_EQ(d.Count(), 1);
}

TEST(MultiFrameData, PositionsOutsideTheListAreErrors)
{
    MultiFrameData d = three();
    for (int index : {0, -1, 4}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(d.Item(index), vb::Error);
        EXPECT_THROW(d.setItem(index, "x"), vb::Error);
        EXPECT_THROW(d.Remove(index), vb::Error);
    }
    EXPECT_EQ(d.Count(), 3);
}

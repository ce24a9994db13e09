#include "Actions.h"
#include "RenameSettings.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(RenameSettings, ActionListStartsInTheWindowsOrderUnchecked)
{
    const RenameSettings settings;
    QStringList names;
    for (const ActionListItem &item : settings.ActionList) {
        names.append(item.Name);
        EXPECT_FALSE(item.Checked);
    }
    EXPECT_EQ(names, (QStringList{"Replace", "Replace First", "Replace Mid", "Replace Last",
                                  "Replace All", "Insert", "Suffix", "Prefix", "Length",
                                  "Change Case", "Extension", "Clean", "Compose"}));
    for (const QString &name : names)
        EXPECT_NE(findAction(name), nullptr) << name.toStdString();
    EXPECT_EQ(findAction(QStringLiteral("replace")), nullptr);
}

TEST(RenameSettings, CounterBoxesFollowTheirGroupsItemOrder)
{
    CounterSettings c;
    const char *counter[] = {"1", "1", "3", "0", "", ""};
    const char *alpha[] = {"A", "1", "", "", "3", "0"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(c.counterBox(i), QString::fromLatin1(counter[i])) << i;
        EXPECT_EQ(c.alphaBox(i), QString::fromLatin1(alpha[i])) << i;
    }
    c.counterBox(4) = QStringLiteral("pre");
    c.alphaBox(2) = QStringLiteral("apre");
    c.alphaBox(4) = QStringLiteral("5");
    EXPECT_EQ(c.CounterPrefix, QStringLiteral("pre"));
    EXPECT_EQ(c.AlphaPrefix, QStringLiteral("apre"));
    EXPECT_EQ(c.AlphaPadWidth, QStringLiteral("5"));
}

TEST(RenameSettings, EachTokenActionHasItsOwnCounterSettings)
{
    RenameSettings s;
    for (int i = 0; i < TokenActionCount; ++i)
        s.counter(TokenAction(i)).CounterStart = QString::number(i + 10);
    EXPECT_EQ(s.FirstCounter.CounterStart, "10");
    EXPECT_EQ(s.MidCounter.CounterStart, "11");
    EXPECT_EQ(s.LastCounter.CounterStart, "12");
    EXPECT_EQ(s.AllCounter.CounterStart, "13");
    EXPECT_EQ(s.InsertCounter.CounterStart, "14");
    EXPECT_EQ(s.SuffixCounter.CounterStart, "15");
    EXPECT_EQ(s.PrefixCounter.CounterStart, "16");
    EXPECT_EQ(s.ExtensionCounter.CounterStart, "17");
    EXPECT_EQ(s.ReplaceCounter.CounterStart, "18");
    EXPECT_EQ(s.ComposeCounter.CounterStart, "19");
}

#include "AppFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AppFolder, HonoursVexloHomeAndCreatesIt)
{
    QTemporaryDir tmp;
    const QString home = tmp.path() + QStringLiteral("/home/");
    qputenv("VEXLO_HOME", home.toUtf8());
    EXPECT_EQ(AppFolder(), tmp.path() + QStringLiteral("/home"));
    EXPECT_TRUE(QDir(AppFolder()).exists());
    EXPECT_EQ(AppFile(QStringLiteral("templog.log")), tmp.path() + QStringLiteral("/home/templog.log"));
    EXPECT_TRUE(FindAsset(QStringLiteral("no-such-asset")).isEmpty());
    qunsetenv("VEXLO_HOME");
}

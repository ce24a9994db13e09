// The per-user settings stores: files the toolkit wrote load as before and keep their format; what
// a store changes is merged into the file as it is when the store goes; nothing waits on a FIFO.
#include "BoundedChild.h"
#include "FileStatus.h"
#include "TestFiles.h"
#include "TextFile.h"
#include "UserSettings.h"

#include <QDir>
#include <QFile>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using testfiles::lstatOf;

QByteArray native(const QString &path) { return QFile::encodeName(path); }

// Values of the kinds the windows keep, under keys with groups, blanks and letters beyond ASCII.
const std::pair<const char *, QVariant> Kept[] = {
    {"Positions/frmMainPos", QStringLiteral("3000|750")},
    {"frmMain/lvw2/ColumnWidth", 345},
    {"frmMain/lvw2/Sort Order", QStringList{QStringLiteral("Name"), QStringLiteral("Größe; a=b, c")}},
    {"frmMain/Geometry", QRect(1, 2, 300, 400)},
    {"Top", true},
};

void writeWithTheToolkit(const QString &path)
{
    QSettings toolkit(path, QSettings::IniFormat);
    for (const auto &[key, value] : Kept)
        toolkit.setValue(QLatin1String(key), value);
}

} // namespace

// A store file the toolkit wrote loads whole; a store that changes nothing leaves the file as it
// was (not even rewritten), and one that changes a value writes the very text the toolkit writes.
TEST(UserSettingsStore, FilesTheToolkitWroteLoadAndKeepTheirFormat)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("Morvane/Vexlo Controls.ini");
    const QString same = tmp.filePath("same.ini");
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("Morvane")));
    writeWithTheToolkit(path);
    writeWithTheToolkit(same);
    const QByteArray before = testfiles::readFile(path);
    const ino_t inode = lstatOf(path).st_ino;
    {
        auto store = OpenStoreFile(path);
        for (const auto &[key, value] : Kept) {
            SCOPED_TRACE(key);
            const QSettings toolkit(same, QSettings::IniFormat);
            EXPECT_EQ(store->value(QLatin1String(key)).toString(), toolkit.value(QLatin1String(key)).toString());
        }
        EXPECT_EQ(store->value(QStringLiteral("frmMain/Geometry")).toRect(), QRect(1, 2, 300, 400));
        EXPECT_EQ(store->value(QStringLiteral("frmMain/lvw2/Sort Order")).toStringList(),
                  Kept[2].second.toStringList());
        store->setValue(QStringLiteral("Positions/frmMainPos"), QStringLiteral("3000|750"));
    }
    EXPECT_EQ(testfiles::readFile(path), before);
    EXPECT_EQ(lstatOf(path).st_ino, inode) << "a store that changed nothing rewrote its file";

    {
        auto store = OpenStoreFile(path);
        store->setValue(QStringLiteral("Positions/frmRenamerPos"), QStringLiteral("15|30"));
        store->remove(QStringLiteral("Top"));
    }
    {
        QSettings toolkit(same, QSettings::IniFormat);
        toolkit.setValue(QStringLiteral("Positions/frmRenamerPos"), QStringLiteral("15|30"));
        toolkit.remove(QStringLiteral("Top"));
    }
    EXPECT_EQ(testfiles::readFile(path), testfiles::readFile(same));
    EXPECT_EQ(QDir(tmp.filePath("Morvane")).entryList(QDir::Files | QDir::Hidden), QStringList{"Vexlo Controls.ini"});
}

// Two stores of one file open at once (two windows, or two runs of the program): each keeps
// what it changed, and neither puts back what the other removed or changed.
TEST(UserSettingsStore, WhatEachStoreChangedIsKept)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("AnchorCtrl.ini");
    {
        QSettings toolkit(path, QSettings::IniFormat);
        toolkit.setValue(QStringLiteral("Positions/frmMainPos"), QStringLiteral("1|1"));
        toolkit.setValue(QStringLiteral("Positions/frmRenamerPos"), QStringLiteral("2|2"));
        toolkit.setValue(QStringLiteral("Positions/frmLogPos"), QStringLiteral("3|3"));
    }
    {
        auto first = OpenStoreFile(path);
        auto second = OpenStoreFile(path);
        first->setValue(QStringLiteral("Positions/frmMainPos"), QStringLiteral("10|10"));
        second->setValue(QStringLiteral("Positions/frmRenamerPos"), QStringLiteral("20|20"));
        second->remove(QStringLiteral("Positions/frmLogPos"));
        first.reset();
        const auto third = OpenStoreFile(path);
        EXPECT_EQ(third->value(QStringLiteral("Positions/frmMainPos")).toString(), QStringLiteral("10|10"));
    }
    const QSettings kept(path, QSettings::IniFormat);
    EXPECT_EQ(kept.value(QStringLiteral("Positions/frmMainPos")).toString(), QStringLiteral("10|10"));
    EXPECT_EQ(kept.value(QStringLiteral("Positions/frmRenamerPos")).toString(), QStringLiteral("20|20"));
    EXPECT_FALSE(kept.contains(QStringLiteral("Positions/frmLogPos")));
}

// A FIFO where a program file should be is refused at once and stays a FIFO: a store opened on
// it, a store whose file was replaced by it before the store went, and the reader of the other
// program files (settings, lists, rename-drop files). Each runs in a child process that is given
// a few seconds, so waiting on the FIFO fails the test instead of hanging it.
TEST(UserSettingsStore, AFifoIsNeverWaitedOnNorReplaced)
{
    const struct {
        const char *what;
        std::function<int(const QString &path)> step;  ///< 0 when the FIFO was refused
    } steps[] = {
        {"a store opened on it",
         [](const QString &path) {
             auto store = OpenStoreFile(path);
             const bool empty = store->allKeys().isEmpty();
             store->setValue(QStringLiteral("Positions/frmMainPos"), QStringLiteral("10|20"));
             return empty && store->value(QStringLiteral("Positions/frmMainPos")) == QStringLiteral("10|20") ? 0 : 1;
         }},
        {"a store whose file it replaced",
         [](const QString &path) {
             const QString moved = path + QStringLiteral(".fifo");
             if (::rename(native(path).constData(), native(moved).constData()) != 0)
                 return 2;
             testfiles::writeFile(path, "[Positions]\nfrmMainPos=1|2\n");
             auto store = OpenStoreFile(path);
             store->setValue(QStringLiteral("Positions/frmMainPos"), QStringLiteral("10|20"));
             if (::rename(native(moved).constData(), native(path).constData()) != 0)
                 return 2;
             store.reset();
             return 0;
         }},
        {"the program files' reader",
         [](const QString &path) {
             QStringList lines;
             return textfile::readLines(path, lines).number == vb::BadFileNameOrNumber ? 0 : 1;
         }},
    };
    for (const bool link : {false, true}) {
        for (const auto &s : steps) {
            SCOPED_TRACE(std::string(s.what) + (link ? ", through a link" : ""));
            QTemporaryDir tmp;
            const QString path = tmp.filePath("AnchorCtrl.ini");
            const QString fifo = link ? tmp.filePath("pipe") : path;
            ASSERT_EQ(::mkfifo(native(fifo).constData(), 0600), 0);
            if (link) {
                ASSERT_EQ(::symlink("pipe", native(path).constData()), 0);
            }
            const struct stat before = lstatOf(fifo);
            const std::optional<int> result = testfiles::runInChild([&] { return s.step(path); });
            ASSERT_TRUE(result.has_value()) << "waited on the FIFO";
            EXPECT_EQ(*result, 0);
            EXPECT_TRUE(S_ISFIFO(lstatOf(fifo).st_mode));
            EXPECT_EQ(lstatOf(fifo).st_ino, before.st_ino);
            EXPECT_EQ(S_ISLNK(lstatOf(path).st_mode), link);
            EXPECT_EQ(QDir(tmp.path()).entryList({"*.tmp"}, QDir::AllEntries | QDir::Hidden | QDir::System),
                      QStringList{});
        }
    }
}

// A temporary folder that cannot hold the toolkit's copy (a file, a folder that is not there)
// costs nothing: the copy is made beside the store's file, the values load and a change is saved,
// and nothing of the copy is left there once the store has gone.
TEST(UserSettingsStore, AnUnusableTemporaryFolderLosesNoValue)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("home")));
    testfiles::writeFile(tmp.filePath("plain"), "not a folder");
    const QByteArray tmpdir = qgetenv("TMPDIR");
    for (const char *unusable : {"plain", "missing/folder"}) {
        SCOPED_TRACE(unusable);
        const QString path = tmp.filePath("home/AnchorCtrl.ini");
        QFile::remove(path);
        writeWithTheToolkit(path);
        qputenv("TMPDIR", native(tmp.filePath(QLatin1String(unusable))));
        {
            auto store = OpenStoreFile(path);
            for (const auto &[key, value] : Kept)
                EXPECT_EQ(store->value(QLatin1String(key)), value) << key;
            store->setValue(QStringLiteral("Positions/frmRenamerPos"), QStringLiteral("10|20"));
        }
        qputenv("TMPDIR", tmpdir);
        EXPECT_EQ(QDir(tmp.filePath("home")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("AnchorCtrl.ini")});
        QSettings saved(path, QSettings::IniFormat);
        EXPECT_EQ(saved.value(QStringLiteral("Positions/frmRenamerPos")).toString(), QStringLiteral("10|20"));
        EXPECT_EQ(saved.value(QStringLiteral("Positions/frmMainPos")).toString(), QStringLiteral("3000|750"));
    }
    if (tmpdir.isNull())
        qunsetenv("TMPDIR");
}

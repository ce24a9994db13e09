// Renders the main window over a small folder, and its dialogs, into PNG files under the build
// folder for a reviewer to look at, and checks what each shows: its controls inside it and
// apart, and a picture with text on it.
#include "FolderTree.h"
#include "ListViewEditableWidget.h"
#include "ShownWhole.h"
#include "WindowFixture.h"
#include "frmAbout.h"
#include "frmAttr.h"
#include "frmBName.h"
#include "frmBookmarks.h"
#include "frmListMan.h"
#include "frmMain.h"
#include "frmPref.h"
#include "frmSplash.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

using namespace mainwin;

namespace {

class ScreenshotTest : public WindowFixture {
protected:
    QString save(QWidget &widget, const QString &name)
    {
        const QString path = QDir(testfiles::artifactFolder()).filePath(name);
        EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
        return path;
    }
    /** Checks the window as shown, then saves its picture. */
    void checkAndSave(QWidget &widget, const QString &name)
    {
        ASSERT_TRUE(widget.isVisible());
        shownwhole::expectShownWhole(widget);
        save(widget, name);
    }
};

} // namespace

TEST_F(ScreenshotTest, MainWindowOverAFolder)
{
    const char *files[] = {"Holiday 001.jpg", "Holiday 002.jpg", "Holiday 010.jpg", "notes.txt", "report.pdf",
                           "song - live.mp3", "setup.sh",        "archive.zip",     "Budget 2024.xlsx"};
    for (const char *f : files)
        makeFile(QString::fromUtf8(f), QByteArray(1500, 'x'));
    makeFile(QStringLiteral("Albums/cover.png"));
    makeFile(QStringLiteral("Drafts/a.txt"));
    QStringList lines(24);
    lines[0] = dataPath();
    lines[1] = lines[2] = lines[3] = QStringLiteral("blank");
    lines[4] = QStringLiteral("Report");
    writeSettings(lines);

    frmMain w(state);
    w.resize(1000, 700);
    w.show();
    w.lvw2->setChecked(1, true);
    w.lvw2->setChecked(3, true);
    w.GetSelected();
    // The list settles and the tree has found the data folder.
    ASSERT_TRUE(waitFor([&] { return w.ListingSettled() && w.ftv->SelectedFolder() == dataPath(); }));
    ASSERT_EQ(w.lvw2->FileItemCount(), 11);

    const QString path = save(w, QStringLiteral("mainwin_main.png"));
    EXPECT_GT(QFileInfo(path).size(), 10000);
    w.close();
}

TEST_F(ScreenshotTest, DialogsAndSplash)
{
    frmPref pref(state);
    pref.EnsureLoaded();
    pref.show();
    checkAndSave(pref, QStringLiteral("mainwin_pref.png"));
    frmAbout about(&shell);
    about.show();
    checkAndSave(about, QStringLiteral("mainwin_about.png"));
    frmSplash splash;
    splash.show();
    checkAndSave(splash, QStringLiteral("mainwin_splash.png"));
}

TEST_F(ScreenshotTest, FileListsBookmarksAndAttributes)
{
    testfiles::writeFile(home.filePath(QStringLiteral("bookmarks.bks")),
                         ("Holiday pictures\r\n" + dataPath() + "\r\nDrafts\r\n" + dataPath(QStringLiteral("Drafts"))
                          + "\r\n").toUtf8());
    testfiles::writeFile(home.filePath(QStringLiteral("FileLists/Holiday.lst")), "/x\r\n");
    testfiles::writeFile(home.filePath(QStringLiteral("FileLists/Budget.lst")), "/x\r\n");
    frmMain w(state);
    w.Load();
    w.show();
    for (QWidget *window : std::initializer_list<QWidget *>{&w.Bookmarks(), &w.ListMan(), &w.Attr(), &w.BName()})
        window->show();
    checkAndSave(w.Bookmarks(), QStringLiteral("mainwin_bookmarks.png"));
    checkAndSave(w.ListMan(), QStringLiteral("mainwin_filelists.png"));
    checkAndSave(w.Attr(), QStringLiteral("mainwin_attributes.png"));
    checkAndSave(w.BName(), QStringLiteral("mainwin_bookmark_name.png"));
}

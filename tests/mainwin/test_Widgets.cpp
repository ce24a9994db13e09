// The about and splash windows, the splash picture and the folder tree.
#include "FolderTree.h"
#include "SplashPicture.h"
#include "WindowFixture.h"
#include "frmAbout.h"
#include "frmSplash.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>

using namespace mainwin;

namespace {

void clickLabel(QLabel *label)
{
    const QPointF at(2, 2);
    QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(label, &release);
}

// The names of the rows the file-system model holds below `folder`, sorted.
QStringList childNames(const QFileSystemModel *files, const QString &folder)
{
    QStringList out;
    const QModelIndex at = files->index(folder);
    for (int i = 0; i < files->rowCount(at); ++i)
        out << files->index(i, 0, at).data().toString();
    out.sort();
    return out;
}

class WidgetsTest : public WindowFixture {};

} // namespace

TEST_F(WidgetsTest, AboutShowsItsTextsAndOpensItsLinks)
{
    frmAbout about(&shell);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about.Label1->text(), QStringLiteral("Morvane (Ver 1.0.0)"));
    EXPECT_EQ(about.Label2->text(), QStringLiteral("A program to batch rename files and folders."));
    EXPECT_FALSE(about.Label3->text().isEmpty());
    EXPECT_EQ(about.Label9->text(), QStringLiteral("Home"));
    EXPECT_EQ(about.Label16->text(), QStringLiteral("Contact"));
    about.show();
    clickLabel(about.Label9);
    clickLabel(about.Label16);
    EXPECT_EQ(shell.opened, (QStringList{about.Label9->property("Tag").toString(),
                                         about.Label16->property("Tag").toString()}));
    EXPECT_TRUE(shell.opened[0].startsWith(QStringLiteral("https://")));
    EXPECT_NE(shell.opened[0], shell.opened[1]);
    about.Command1->click();
    EXPECT_FALSE(about.isVisible());
}

TEST_F(WidgetsTest, SplashClosesOnAnyKeyOrSkip)
{
    frmSplash splash;
    EXPECT_EQ(splash.lblVersion->text(), QStringLiteral("Version 1.1.0"));
    EXPECT_EQ(splash.lblProductName->text(), QStringLiteral("Morvane"));
    EXPECT_EQ(splash.Label3->text(), QStringLiteral("For Files and Folders"));
    EXPECT_EQ(splash.Label3->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(splash.Command1->text(), QStringLiteral("Skip"));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);

    splash.show();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&splash, &key);
    EXPECT_FALSE(splash.isVisible());

    QWidget mainWindow;
    mainWindow.resize(300, 200);
    splash.setMainWindow(&mainWindow);
    splash.show();
    splash.Command1->click();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(mainWindow.isVisible());
}

TEST_F(WidgetsTest, SplashPictureIsDrawn)
{
    const QImage picture = SplashPicture(QSize(320, 240));
    EXPECT_EQ(picture.size(), QSize(320, 240));
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 50);
}

TEST_F(WidgetsTest, FolderTreeShowsFoldersAndReportsClicks)
{
    makeFile(QStringLiteral("shown/file.txt"));
    makeFile(QStringLiteral(".hidden/file.txt"));
    makeFile(QStringLiteral("plain.txt"));
    FolderTree tree;
    std::vector<int> codes;
    QObject::connect(&tree, &FolderTree::FolderClick, [&](int code) { codes.push_back(code); });

    auto *files = qobject_cast<QFileSystemModel *>(qobject_cast<QAbstractProxyModel *>(tree.model())->sourceModel());
    ASSERT_NE(files, nullptr);
    const QModelIndex folder = files->index(dataPath());
    files->fetchMore(folder);
    const auto children = [&] { return childNames(files, dataPath()); };
    EXPECT_TRUE(waitFor([&] { return children() == QStringList{"shown"}; })) << children().join(u',').toStdString();
    tree.SetShowHidden(true);
    EXPECT_TRUE(waitFor([&] { return children() == (QStringList{".hidden", "shown"}); }))
        << children().join(u',').toStdString();

    tree.ClickFolder(dataPath(QStringLiteral("shown")));
    EXPECT_EQ(tree.SelectedFolder(), dataPath(QStringLiteral("shown")));
    tree.ClickFolder(dataPath(QStringLiteral("shown")), true);
    EXPECT_FALSE(tree.IsChecked(dataPath(QStringLiteral("shown"))));

    tree.SetCheckBoxes(1);
    tree.ClickFolder(dataPath(QStringLiteral("shown")), true);
    EXPECT_TRUE(tree.IsChecked(dataPath(QStringLiteral("shown"))));
    tree.ClickFolder(dataPath(QStringLiteral("shown")), false);
    EXPECT_TRUE(tree.IsChecked(dataPath(QStringLiteral("shown"))));
    tree.SetCheckBoxes(0);
    EXPECT_FALSE(tree.IsChecked(dataPath(QStringLiteral("shown"))));
    EXPECT_EQ(codes, (std::vector<int>{4, 4, 64, 4}));

    tree.ClickFolder(dataPath(QStringLiteral("plain.txt")));
    tree.SetSelectedFolder(dataPath(QStringLiteral("missing")));
    EXPECT_EQ(codes.size(), 4u);
    EXPECT_EQ(tree.SelectedFolder(), dataPath(QStringLiteral("shown")));
}

TEST_F(WidgetsTest, FolderTreeRowsHoldStillWhenFoldersAppearElsewhere)
{
    for (const char *name : {"a", "b", "c", "d"})
        QDir().mkpath(dataPath(QString::fromLatin1(name)));
    FolderTree tree;
    tree.resize(300, 600);
    tree.show();
    tree.SetSelectedFolder(dataPath(QStringLiteral("b")));
    auto *proxy = qobject_cast<QAbstractProxyModel *>(tree.model());
    auto *files = qobject_cast<QFileSystemModel *>(proxy->sourceModel());
    ASSERT_NE(files, nullptr);
    const auto children = [&] { return childNames(files, dataPath()); };
    // Where each row stands below the folder that holds them (the tree may scroll as a whole
    // while it keeps the selected folder in view).
    const auto rowTops = [&] {
        const int top = tree.visualRect(proxy->mapFromSource(files->index(dataPath()))).top();
        QList<int> tops;
        for (const char *name : {"a", "b", "c", "d"})
            tops << tree.visualRect(proxy->mapFromSource(files->index(dataPath(QString::fromLatin1(name))))).top() - top;
        return tops;
    };
    ASSERT_TRUE(waitFor([&] { return children() == (QStringList{"a", "b", "c", "d"}); }))
        << children().join(u',').toStdString();
    QApplication::processEvents();
    const QList<int> before = rowTops();

    // A model that follows the disk sees the new folders; by the time it has seen the second
    // one, the tree would long have seen the first.
    QFileSystemModel following;
    following.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    const QModelIndex watched = following.setRootPath(dataPath());
    ASSERT_TRUE(waitFor([&] { return following.rowCount(watched) == 4; }));
    QDir().mkpath(dataPath(QStringLiteral("bb")));
    ASSERT_TRUE(waitFor([&] { return following.rowCount(watched) == 5; }));
    QDir().mkpath(dataPath(QStringLiteral("cc")));
    ASSERT_TRUE(waitFor([&] { return following.rowCount(watched) == 6; }));
    QApplication::processEvents();
    EXPECT_EQ(children(), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(rowTops(), before) << "rows moved under the pointer";
    EXPECT_EQ(tree.SelectedFolder(), dataPath(QStringLiteral("b")));

    // A folder opened for the first time is read then; "Re&fresh Folders" reads everything anew.
    QDir().mkpath(dataPath(QStringLiteral("c/inner")));
    const QModelIndex c = files->index(dataPath(QStringLiteral("c")));
    tree.expand(proxy->mapFromSource(c));
    EXPECT_TRUE(waitFor([&] { return files->rowCount(files->index(dataPath(QStringLiteral("c")))) == 1; }));
    tree.RefreshFolders();
    files = qobject_cast<QFileSystemModel *>(qobject_cast<QAbstractProxyModel *>(tree.model())->sourceModel());
    EXPECT_TRUE(waitFor([&] { return children() == (QStringList{"a", "b", "bb", "c", "cc", "d"}); }))
        << children().join(u',').toStdString();
    EXPECT_EQ(tree.SelectedFolder(), dataPath(QStringLiteral("b")));
}

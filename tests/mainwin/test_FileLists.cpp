// The saved file lists of the main window's "FileList" menu and the named lists of the list
// manager, used as the user uses them.
#include "FolderTree.h"
#include "ListViewEditable.h"
#include "MainWindowFixture.h"
#include "UserInput.h"
#include "WithoutPermissionOverride.h"
#include "frmListMan.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace mainwin;

namespace {

class FileListsTest : public MainWindowFixture {
public:
    // a.txt, B.TXT, c.jpg and the folder sub (holding d.txt), listed in the main window.
    void listSample(frmMain &w)
    {
        makeFile(QStringLiteral("a.txt"));
        makeFile(QStringLiteral("B.TXT"));
        makeFile(QStringLiteral("c.jpg"));
        makeFile(QStringLiteral("sub/d.txt"));
        w.ftv->ClickFolder(dataPath());
        ASSERT_EQ(names(w), (QStringList{"a.txt", "B.TXT", "c.jpg", "sub"}));
    }
    static QStringList names(const frmMain &w)
    {
        QStringList out;
        for (int32_t i = 1; i <= w.lvw2->FileItemCount(); ++i)
            out << w.lvw2->ListItems().Item(i).Text;
        return out;
    }
    static QString checks(const frmMain &w)
    {
        QString out;
        for (int32_t i = 1; i <= w.lvw2->FileItemCount(); ++i)
            out += w.lvw2->checked(i) ? u'x' : u'-';
        return out;
    }
    QString folder() const { return dataPath() + u'/'; }
    QString namedList(const QString &name) const { return home.filePath(QStringLiteral("FileLists/") + name + QStringLiteral(".lst")); }

    // Opens the list manager with its button.
    frmListMan &listManager(frmMain &w)
    {
        userinput::click(w.Command8);
        EXPECT_TRUE(w.ListMan().isVisible());
        return w.ListMan();
    }
    static void saveNamed(frmListMan &m, const QString &name)
    {
        m.Text1->clear();
        userinput::type(m.Text1, name);
        userinput::click(m.Command1);
    }
    QString lastTitle() const { return messages.shown.empty() ? QString() : messages.shown.back().title; }
};

} // namespace

// ---- Saved file lists ------------------------------------------------------------------------

TEST_F(FileListsTest, ASavedListBringsBackTheCheckedRowsAllChecked)
{
    auto w = open();
    listSample(*w);
    w->lvw2->setChecked(1, true);
    w->lvw2->setChecked(3, true);
    w->lvw2->setChecked(4, true);

    dialogs.answers << data.filePath(QStringLiteral("mine"));
    w->mnuFSave->trigger();
    EXPECT_EQ(dialogs.asked, QStringList{"Save File List"});
    EXPECT_EQ(testfiles::readFile(data.filePath(QStringLiteral("mine.lst"))),
              ("Corvisk File List\r\n" + folder() + "\r\na.txt\r\n" + folder() + "\r\nc.jpg\r\n" + folder() + "\r\nsub\r\n").toUtf8());
    EXPECT_EQ(state.SelFileCount, 3);

    // The name typed without its extension names a list that is there now: asked first.
    const QByteArray saved = testfiles::readFile(data.filePath(QStringLiteral("mine.lst")));
    w->lvw2->setChecked(1, false);
    dialogs.answers << data.filePath(QStringLiteral("mine"));
    messages.answers = {msg::No};
    w->mnuFSave->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(lastPrompt(), QStringLiteral("mine.lst already exists.\nDo you want to replace it?"));
    EXPECT_EQ(testfiles::readFile(data.filePath(QStringLiteral("mine.lst"))), saved);
    messages.shown.clear();
    w->lvw2->setChecked(1, true);

    // A cancelled dialog does nothing.
    w->mnuFLoad->trigger();
    EXPECT_EQ(names(*w), (QStringList{"a.txt", "B.TXT", "c.jpg", "sub"}));

    state.CheckAllOnLoad = 0;
    w->Check2->setChecked(true);  // another listing in between
    dialogs.asked.clear();
    dialogs.answers << data.filePath(QStringLiteral("mine.lst"));
    w->mnuFLoad->trigger();
    EXPECT_EQ(dialogs.asked, QStringList{"Load File List"});
    EXPECT_EQ(names(*w), (QStringList{"a.txt", "c.jpg", "sub"}));
    EXPECT_EQ(checks(*w), QStringLiteral("xxx"));
    EXPECT_EQ(state.SelFileCount, 3);
    EXPECT_EQ(w->lvw2->ListItems().Item(2).SubItems(1), folder());
    EXPECT_EQ(w->lvw2->ListItems().Item(2).SubItems(3), QStringLiteral("JPEG Image"));
    EXPECT_EQ(w->lvw2->ListItems().Item(3).SubItems(3), QStringLiteral("File Folder"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileListsTest, NoCheckedRowSavesTheHeaderAndLoadingItEmptiesTheList)
{
    auto w = open();
    listSample(*w);
    const QString path = data.filePath(QStringLiteral("empty.lst"));
    dialogs.answers << path << path;
    w->mnuFSave->trigger();
    EXPECT_EQ(testfiles::readFile(path), QByteArray("Corvisk File List\r\n"));
    w->mnuFLoad->trigger();
    EXPECT_EQ(w->lvw2->FileItemCount(), 0);
    EXPECT_EQ(state.SelFileCount, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileListsTest, AFileThatIsNoSavedListLeavesTheListAlone)
{
    auto w = open();
    listSample(*w);
    w->lvw2->setChecked(2, true);
    enum Kind { Bytes, Missing, Fifo, Huge };
    struct Case {
        const char *what;
        Kind kind;
        QByteArray bytes;
        const char *prompt;
        const char *title;
    };
    const QByteArray header = "Corvisk File List\r\n";
    const QByteArray at = folder().toUtf8() + "\r\n";
    const Case cases[] = {
        {"other header", Bytes, "Corvisk Strings Replace List\r\n0\r\n", "Invalid File", "Corvisk"},
        {"folder line without name", Bytes, "Corvisk File List\r\n/a/\r\nb\r\n/c/\r\n", "Invalid File", "Corvisk"},
        {"no such file", Missing, {}, "File not found", "Morvane"},
        // A name is one item of its folder; these would make rows for other items.
        {"name holding a slash", Bytes, header + at + "a.txt\r\n" + at + "sub/d.txt\r\n", "Invalid File", "Corvisk"},
        {"name ..", Bytes, header + at + "..\r\n", "Invalid File", "Corvisk"},
        {"name .", Bytes, header + at + ".\r\n", "Invalid File", "Corvisk"},
        {"empty name", Bytes, header + at + "\r\n", "Invalid File", "Corvisk"},
        // Neither waited on nor read whole into memory.
        {"a FIFO", Fifo, {}, "The file is not a regular file.", "Morvane"},
        {"a file far larger than any list", Huge, {},
         "The file is larger (67108865 bytes) than the 64 MiB a file of its kind may have.", "Morvane"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        const QString path = data.filePath(QStringLiteral("bad.lst"));
        QFile::remove(path);
        if (c.kind == Bytes) {
            testfiles::writeFile(path, c.bytes);
        } else if (c.kind == Fifo) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        } else if (c.kind == Huge) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(header);
            ASSERT_TRUE(f.resize((qint64(64) << 20) + 1));
        }
        dialogs.answers << path;
        w->mnuFLoad->trigger();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(lastPrompt(), QLatin1String(c.prompt));
        EXPECT_EQ(lastTitle(), QLatin1String(c.title));
        EXPECT_EQ(names(*w), (QStringList{"a.txt", "B.TXT", "c.jpg", "sub"}));
        EXPECT_EQ(checks(*w), QStringLiteral("-x--"));
    }
}

// A list saved onto something that is no regular file writes nothing there, and the box names
// the file and what it is.
TEST_F(FileListsTest, SavingOntoAFifoNamesThePathAndTheReason)
{
    auto w = open();
    listSample(*w);
    w->lvw2->setChecked(1, true);
    const QString path = data.filePath(QStringLiteral("pipe.lst"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    dialogs.answers << path;
    w->mnuFSave->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(lastPrompt(), "The file list \"" + path + "\" could not be saved: it is a FIFO, not a regular file.");
    EXPECT_EQ(lastTitle(), QStringLiteral("Morvane"));
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(FileListsTest, EntriesThatAreGoneAreNamedInOneMessageAndSkipped)
{
    auto w = open();
    listSample(*w);
    // A link is an item of its own, even one whose target is gone.
    ASSERT_EQ(::symlink("nowhere", QFile::encodeName(data.filePath(QStringLiteral("dangling"))).constData()), 0);
    const QString path = data.filePath(QStringLiteral("old.lst"));
    QString text = "Corvisk File List\r\n" + folder() + "\r\na.txt\r\n" + folder() + "\r\ngone.txt\r\n" + folder()
        + "\r\ndangling\r\n" + folder() + "no folder/\r\nx.txt\r\n" + folder() + "\r\nc.jpg\r\n";
    for (int i = 1; i <= 5; ++i)
        text += folder() + QStringLiteral("\r\nlost%1.txt\r\n").arg(i);
    testfiles::writeFile(path, text.toUtf8());
    dialogs.answers << path;
    w->mnuFLoad->trigger();
    EXPECT_EQ(names(*w), (QStringList{"a.txt", "dangling", "c.jpg"}));
    EXPECT_EQ(checks(*w), QStringLiteral("xxx"));
    EXPECT_EQ(state.SelFileCount, 3);
    ASSERT_EQ(messages.shown.size(), 1u) << "one message for every skipped entry";
    EXPECT_EQ(lastTitle(), QStringLiteral("Load File List"));
    EXPECT_EQ(lastPrompt(), QStringList({"7 entries of the list were skipped:", folder() + "gone.txt: File not found",
                                         folder() + "no folder/x.txt: File not found",
                                         folder() + "lost1.txt: File not found", folder() + "lost2.txt: File not found",
                                         folder() + "lost3.txt: File not found", "(and 2 more)"})
                                .join(u'\n'));

    // A single one is said in the singular.
    messages.shown.clear();
    testfiles::writeFile(path, ("Corvisk File List\r\n" + folder() + "\r\ngone.txt\r\n").toUtf8());
    dialogs.answers << path;
    w->mnuFLoad->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(lastPrompt(), "1 entry of the list was skipped:\n" + folder() + "gone.txt: File not found");
}

TEST_F(FileListsTest, TheColumnReportAlignsThreeLineRecords)
{
    auto w = open();
    listSample(*w);
    const QString input = data.filePath(QStringLiteral("records.txt"));
    testfiles::writeFile(input, QByteArray("alpha\r\nbeta\r\ngamma\r\n\r\n") + QByteArray(36, 'x')
                                    + "\r\nskipped\r\nrecord\r\n\xF0\x9F\x98\x80\r\nb\r\nc\r\n");
    const QString output = data.filePath(QStringLiteral("report.txt"));
    dialogs.answers << input;
    w->WriteColumnReport(output);
    QFile written(output);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString pad34(34, u' ');
    EXPECT_EQ(QString::fromUtf8(written.readAll()),
              "alpha" + QString(30, u' ') + "  | beta" + QString(31, u' ') + "  | gamma\r\n"
                  + QString::fromUtf8("\xF0\x9F\x98\x80") + pad34 + "  | b" + pad34 + "  | c\r\n");
    EXPECT_EQ(w->lvw2->FileItemCount(), 0) << "the main list is emptied first";

    // Without a choice the report is still made, empty; by default in the program folder.
    dialogs.answers << QString();
    w->WriteColumnReport();
    EXPECT_TRUE(QFileInfo(home.filePath(QStringLiteral("op.txt"))).isFile());
    EXPECT_EQ(QFileInfo(home.filePath(QStringLiteral("op.txt"))).size(), 0);
}

TEST_F(FileListsTest, ANameWithALineBreakIsRefusedAndNothingIsWritten)
{
    auto w = open();
    makeFile(QStringLiteral("plain.txt"));
    makeFile(QStringLiteral("two\nlines.txt"));
    w->ftv->ClickFolder(dataPath());
    w->Check1->setChecked(true);
    const QString path = data.filePath(QStringLiteral("out.lst"));
    dialogs.answers << path;
    w->mnuFSave->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(lastPrompt().contains(QStringLiteral("two\\nlines.txt"))) << lastPrompt().toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));

    // The named list refuses it the same way.
    frmListMan &m = listManager(*w);
    saveNamed(m, QStringLiteral("broken"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(lastPrompt().contains(QStringLiteral("two\\nlines.txt")));
    EXPECT_FALSE(QFileInfo::exists(namedList(QStringLiteral("broken"))));
    EXPECT_EQ(entries(m.list1), QStringList());
}

// ---- Named file lists ------------------------------------------------------------------------

TEST_F(FileListsTest, SavingANamedListIsRefusedWithTheseTexts)
{
    auto w = open();
    listSample(*w);
    frmListMan &m = listManager(*w);
    w->lvw2->setChecked(1, true);
    saveNamed(m, QStringLiteral("first"));
    ASSERT_EQ(entries(m.list1), QStringList{"first"});
    w->lvw2->setChecked(1, false);

    struct Case {
        const char *what;
        QString name;
        bool checkRow;
        const char *spec;
        const char *prompt;
        const char *title;
    };
    const Case cases[] = {
        {"no name", "", true, "*.*", "Please give a file list name", "File Lists"},
        {"nothing checked, all types", "x", false, "*.*", "Please select the file type and files", "File Lists"},
        {"nothing checked, one type", "x", false, "JPEG Image", "Please select files", "File Lists"},
        {"same name in other case", "FIRST", true, "*.*", "File List Name already exists.Please give a different name",
         "Morvane"},
        {"name leaving the folder", "../escape", true, "*.*", nullptr, "File Lists"},
        {"parent folder", "..", true, "*.*", nullptr, "File Lists"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        state.CurrentFileSpec = QLatin1String(c.spec);
        w->lvw2->setChecked(2, c.checkRow);
        saveNamed(m, c.name);
        ASSERT_EQ(messages.shown.size(), 1u);
        if (c.prompt)
            EXPECT_EQ(lastPrompt(), QLatin1String(c.prompt));
        else
            EXPECT_TRUE(lastPrompt().contains(QStringLiteral("cannot name a file list"))) << lastPrompt().toStdString();
        EXPECT_EQ(lastTitle(), QLatin1String(c.title));
        EXPECT_EQ(entries(m.list1), QStringList{"first"});
        EXPECT_EQ(QDir(home.filePath(QStringLiteral("FileLists"))).entryList(QDir::Files), QStringList{"first.lst"});
        EXPECT_EQ(QDir(home.path()).entryList(QStringList{"*.lst"}, QDir::Files), QStringList());
    }
}

TEST_F(FileListsTest, ANamedListLoadsItsFilesSortedByFolder)
{
    auto w = open();
    listSample(*w);
    makeFile(QStringLiteral("z/one.txt"));
    makeFile(QStringLiteral("a/two.txt"));
    frmListMan &m = listManager(*w);
    w->lvw2->setChecked(3, true);
    w->lvw2->setChecked(1, true);
    w->ftv->ClickFolder(dataPath(QStringLiteral("z")));
    w->lvw2->setChecked(1, true);
    // The list keeps one full path a line.
    testfiles::writeFile(namedList(QStringLiteral("mixed")),
                         (dataPath(QStringLiteral("z/one.txt")) + "\r\n" + dataPath(QStringLiteral("a/two.txt")) + "\r\n"
                          + dataPath(QStringLiteral("c.jpg")) + "\r\n").toUtf8());
    saveNamed(m, QStringLiteral("Mine"));
    EXPECT_EQ(testfiles::readFile(namedList(QStringLiteral("Mine"))), (dataPath(QStringLiteral("z/one.txt")) + "\r\n").toUtf8());

    for (int16_t checkAll : {0, 1}) {
        SCOPED_TRACE(checkAll);
        state.CheckAllOnLoad = checkAll;
        // Reopened, the manager lists what is on disk.
        userinput::click(w->ListMan().Command3);
        QCoreApplication::processEvents();
        frmListMan &again = listManager(*w);
        QStringList listed = entries(again.list1);
        listed.sort();
        ASSERT_EQ(listed, (QStringList{"Mine", "mixed"}));
        userinput::clickRow(again.list1, int(entries(again.list1).indexOf(QStringLiteral("mixed"))));
        userinput::click(again.Command2);
        EXPECT_TRUE(again.isVisible());
        EXPECT_EQ(names(*w), (QStringList{"c.jpg", "two.txt", "one.txt"}));
        EXPECT_EQ(w->lvw2->ListItems().Item(2).SubItems(1), dataPath(QStringLiteral("a/")));
        EXPECT_EQ(checks(*w), checkAll ? QStringLiteral("xxx") : QStringLiteral("---"));
        EXPECT_EQ(state.SelFileCount, checkAll ? 3 : 0);
        EXPECT_EQ(w->lvw2->SortKey(), 1);
        EXPECT_TRUE(w->lvw2->Sorted());
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FileListsTest, OkLoadsTheFirstEntryAndCloses)
{
    makeFile(QStringLiteral("only.txt"));
    testfiles::writeFile(namedList(QStringLiteral("one")), (dataPath(QStringLiteral("only.txt")) + "\r\n").toUtf8());
    auto w = open();
    QPointer<frmListMan> m = &listManager(*w);
    userinput::click(m->Command4);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(lastPrompt(), QStringLiteral("Please select the file list to load"));
    EXPECT_EQ(lastTitle(), QStringLiteral("Corvisk"));
    EXPECT_TRUE(m->isVisible());
    userinput::click(m->Command2);
    EXPECT_EQ(lastTitle(), QStringLiteral("File Lists"));

    userinput::clickRow(m->list1, 0);
    userinput::click(m->Command4);
    EXPECT_EQ(names(*w), QStringList{"only.txt"});
    EXPECT_TRUE(m.isNull() || !m->isVisible());
}

TEST_F(FileListsTest, LoadingStopsAtTheFirstItemThatIsNoFile)
{
    makeFile(QStringLiteral("first.txt"));
    makeFile(QStringLiteral("later.txt"));
    makeFile(QStringLiteral("folder/inside.txt"));
    struct Case {
        const char *what;
        QString stopLine;
    };
    const Case cases[] = {
        {"a folder", dataPath(QStringLiteral("folder"))},
        {"a missing file", dataPath(QStringLiteral("gone.txt"))},
        {"an empty line", QString()},
    };
    auto w = open();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        testfiles::writeFile(namedList(QStringLiteral("stops")),
                             (dataPath(QStringLiteral("first.txt")) + "\r\n" + c.stopLine + "\r\n"
                              + dataPath(QStringLiteral("later.txt")) + "\r\n").toUtf8());
        frmListMan &m = listManager(*w);
        userinput::clickRow(m.list1, int(entries(m.list1).indexOf(QStringLiteral("stops"))));
        userinput::click(m.Command2);
        EXPECT_EQ(names(*w), QStringList{"first.txt"});
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(lastPrompt(), c.stopLine + QStringLiteral(" does not exist"));
        EXPECT_EQ(lastTitle(), QStringLiteral("Morvane"));
    }
}

TEST_F(FileListsTest, AListThatCannotBeReadLeavesTheMainList)
{
    auto w = open();
    listSample(*w);
    testfiles::writeFile(namedList(QStringLiteral("vanishing")), "/x\r\n");
    frmListMan &m = listManager(*w);
    ASSERT_TRUE(QFile::remove(namedList(QStringLiteral("vanishing"))));
    userinput::clickRow(m.list1, 0);
    userinput::click(m.Command2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(lastPrompt(), QStringLiteral("File not found"));
    EXPECT_EQ(names(*w), (QStringList{"a.txt", "B.TXT", "c.jpg", "sub"}));
}

TEST_F(FileListsTest, DeletingRemovesTheFileAndItsName)
{
    testfiles::writeFile(namedList(QStringLiteral("keep")), "/x\r\n");
    testfiles::writeFile(namedList(QStringLiteral("drop")), "/x\r\n");
    auto w = open();
    frmListMan &m = listManager(*w);
    // Without a selection nothing happens.
    userinput::key(m.list1, Qt::Key_Delete);
    EXPECT_EQ(m.list1->count(), 2);

    userinput::clickRow(m.list1, int(entries(m.list1).indexOf(QStringLiteral("drop"))));
    userinput::key(m.list1, Qt::Key_Delete);
    EXPECT_EQ(entries(m.list1), QStringList{"keep"});
    EXPECT_FALSE(QFileInfo::exists(namedList(QStringLiteral("drop"))));
    EXPECT_TRUE(QFileInfo::exists(namedList(QStringLiteral("keep"))));

    // A list whose file cannot be deleted stays listed, and the failure is shown.
    const QString folder = home.filePath(QStringLiteral("FileLists"));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    {
        WithoutPermissionOverride asUser;
        ASSERT_TRUE(asUser.ok());
        userinput::clickRow(m.list1, 0);
        m.mnuDelete->trigger();
    }
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(entries(m.list1), QStringList{"keep"});
    EXPECT_TRUE(QFileInfo::exists(namedList(QStringLiteral("keep"))));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(lastPrompt(), QStringLiteral("Permission denied"));
}

TEST_F(FileListsTest, ANameIsListedOnlyWhenItsFileWasWritten)
{
    makeFile(QStringLiteral("a.txt"));
    auto w = open();
    w->ftv->ClickFolder(dataPath());
    w->Check1->setChecked(true);
    frmListMan &m = listManager(*w);
    const QString folder = home.filePath(QStringLiteral("FileLists"));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    {
        WithoutPermissionOverride asUser;
        ASSERT_TRUE(asUser.ok());
        saveNamed(m, QStringLiteral("cannot"));
    }
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(lastPrompt(),
              "The file list \"" + namedList(QStringLiteral("cannot")) + "\" could not be saved: Permission denied.");
    EXPECT_EQ(entries(m.list1), QStringList());
    EXPECT_FALSE(QFileInfo::exists(namedList(QStringLiteral("cannot"))));

    saveNamed(m, QStringLiteral("can"));
    EXPECT_EQ(entries(m.list1), QStringList{"can"});
}

TEST_F(FileListsTest, TheManagerKeepsItsProportionsAsItIsResized)
{
    auto w = open();
    frmListMan &m = listManager(*w);
    const QSize design = m.size();
    struct Seen {
        QWidget *control;
        QRect was;
    };
    std::vector<Seen> controls;
    for (QWidget *c : std::initializer_list<QWidget *>{m.Frame1, m.Text1, m.list1, m.Command1, m.Command2, m.Command3, m.Command4})
        controls.push_back({c, c->geometry()});
    m.resize(design.width() * 3 / 2, design.height() * 2);
    QApplication::processEvents();
    for (const Seen &s : controls) {
        SCOPED_TRACE(s.control->objectName().toStdString());
        EXPECT_NEAR(s.control->x(), s.was.x() * 3 / 2, 2);
        EXPECT_NEAR(s.control->width(), s.was.width() * 3 / 2, 2);
        EXPECT_NEAR(s.control->y(), s.was.y() * 2, 2);
        EXPECT_NEAR(s.control->height(), s.was.height() * 2, 2);
    }
    m.resize(design);
    QApplication::processEvents();
    for (const Seen &s : controls)
        EXPECT_EQ(s.control->geometry(), s.was) << s.control->objectName().toStdString();
}

// The configurations manager driven as a user drives it: opened with the rename window's
// "&Manage", names typed into its box, its buttons, list entries, Delete key and pop-up menu
// clicked, message boxes answered through the recorder.
#include "BodyFixture.h"
#include "RenListManInstance.h"
#include "RenameConfigFile.h"
#include "RenameDropFile.h"
#include "RenamerFixture.h"
#include "WithoutPermissionOverride.h"
#include "frmRenListMan.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <sys/stat.h>

using settingsfiles::frmRenListMan;
using settingsfiles::RenameWindowState;

namespace {

const QByteArray Header = "File Rename Settings\r\n";

class RenListManTest : public renamewintest::RenamerFixture {
protected:
    /** The rename window, shown, with its configurations manager wired as the program does. */
    renamewin::frmRenamer &renamer()
    {
        renamewin::frmRenamer &w = window();
        if (!instance) {
            instance = new settingsfiles::RenListManInstance(w);
            w.show();
        }
        return w;
    }

    /** Clicks "&Manage" and returns the manager it shows. */
    frmRenListMan *openManager()
    {
        click(renamer().Command1);
        frmRenListMan *manager = instance->window();
        EXPECT_TRUE(manager && manager->isVisible());
        return manager;
    }

    static void click(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    static void clickEntry(frmRenListMan &m, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(m.list1->viewport(), button, {}, entryCentre(m, row));
    }
    static QPoint entryCentre(frmRenListMan &m, int row)
    {
        return m.list1->visualItemRect(m.list1->item(row)).center();
    }
    static void clickMenu(frmRenListMan &m, QAction *action)
    {
        ASSERT_TRUE(m.mnuEdit->isVisible());
        QTest::mouseClick(m.mnuEdit, Qt::LeftButton, {}, m.mnuEdit->actionGeometry(action).center());
    }
    /** Replaces the text of the name box by `name`, typed key by key. */
    static void typeName(frmRenListMan &m, const QString &name)
    {
        QTest::mouseClick(m.Text1, Qt::LeftButton, {}, m.Text1->rect().center());
        QTest::keyClick(m.Text1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m.Text1, Qt::Key_Backspace);
        QTest::keyClicks(m.Text1, name);
        EXPECT_EQ(m.Text1->text(), name);
    }
    static QStringList entries(const frmRenListMan &m)
    {
        QStringList out;
        for (int row = 0; row < m.list1->count(); ++row)
            out << m.list1->item(row)->text();
        return out;
    }
    static QStringList selected(const frmRenListMan &m)
    {
        QStringList out;
        for (const QListWidgetItem *item : m.list1->selectedItems())
            out << item->text();
        return out;
    }

    QString configs() const { return home.path() + QStringLiteral("/RenConfigs/"); }
    void config(const QString &name, const QByteArray &bytes) { testfiles::writeFile(configs() + name, bytes); }
    QStringList configFiles() const { return QDir(configs()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    /** Every path under the program folder. */
    QStringList everythingAtHome() const
    {
        QStringList out;
        QDirIterator it(home.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            out << it.next();
        out.sort();
        return out;
    }

    /** The rename-drop file of the rename window's settings as they are now. */
    QByteArray renamerAsRnp()
    {
        const QString path = files.path() + QStringLiteral("/now.rnp");
        EXPECT_TRUE(settingsfiles::WriteRenameDropFile(path, renamer().renameSettings(),
                                                       renamer().windowState()).isOk());
        return testfiles::readFile(path);
    }
    /** Gives the rename window a value other than its opening one in every stored control. */
    void changeRenamer()
    {
        engine::RenameSettings settings;
        RenameWindowState state;
        bodyfixture::changeEverything(settings, state);
        renamer().applySettings(settings, state);
    }
    void resetRenamer() { renamer().applySettings(engine::RenameSettings(), RenameWindowState()); }
    /** A valid configuration file of settings other than the opening ones. */
    QByteArray validConfig()
    {
        changeRenamer();
        const QByteArray bytes = Header + renamerAsRnp();
        resetRenamer();
        return bytes;
    }
    static void closeAndUnload(frmRenListMan &m)
    {
        click(m.Command3);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    settingsfiles::RenListManInstance *instance = nullptr;
};

} // namespace

TEST_F(RenListManTest, ListsTheRfgFilesOfTheFolderOnceWhenItLoads)
{
    config("a.rfg", "x");
    config("b.RFG", "x");
    config("notes.txt", "x");
    ASSERT_TRUE(QDir().mkpath(configs() + "c.rfg"));

    QPointer<frmRenListMan> m = openManager();
    ASSERT_TRUE(m);
    EXPECT_EQ(m->windowTitle(), "Rename Configurations Manager");
    EXPECT_EQ(entries(*m), QStringList{"a"});
    EXPECT_TRUE(selected(*m).isEmpty());

    // Shown again while loaded: only brought up, the list as it was.
    config("d.rfg", "x");
    EXPECT_EQ(openManager(), m.data());
    EXPECT_EQ(entries(*m), QStringList{"a"});

    // "Close" unloads it; the next showing lists the folder afresh.
    closeAndUnload(*m);
    EXPECT_TRUE(m.isNull());
    EXPECT_EQ(instance->window(), nullptr);
    frmRenListMan *again = openManager();
    ASSERT_TRUE(again);
    EXPECT_EQ(entries(*again), (QStringList{"a", "d"}));
}

TEST_F(RenListManTest, AMissingFolderIsCreatedAndTheListIsEmpty)
{
    ASSERT_FALSE(QFileInfo::exists(configs()));
    frmRenListMan *m = openManager();
    ASSERT_TRUE(m);
    EXPECT_TRUE(QFileInfo(configs()).isDir());
    EXPECT_EQ(m->list1->count(), 0);
}

TEST_F(RenListManTest, SaveWritesTheHeaderAndTheRenameDropBytesAndAppendsTheName)
{
    config("b.rfg", validConfig());
    changeRenamer();
    frmRenListMan *m = openManager();
    ASSERT_TRUE(m);

    typeName(*m, "a");
    click(m->Command1);
    EXPECT_TRUE(messages.shown.empty()) << messages.prompts().join(" / ").toStdString();
    EXPECT_EQ(entries(*m), (QStringList{"b", "a"}));
    EXPECT_TRUE(selected(*m).isEmpty());
    EXPECT_EQ(m->Text1->text(), "a");

    const QByteArray saved = testfiles::readFile(configs() + "a.rfg");
    EXPECT_EQ(saved, Header + renamerAsRnp());
    EXPECT_EQ(saved.count("\r\n"), 222);
}

TEST_F(RenListManTest, SavingUnderAListedNameAsksBeforeItReplacesThatFile)
{
    struct Case {
        int answer;
        QStringList entries;
        bool replaced;
    };
    const Case cases[] = {
        {msg::No, {"Holiday", "Other"}, false},
        {msg::Yes, {"Other", "HOLIDAY"}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer == msg::Yes ? "Yes" : "No");
        QDir(configs()).removeRecursively();
        messages.shown.clear();
        config("Holiday.rfg", "old");
        config("Other.rfg", "other");
        changeRenamer();
        frmRenListMan *m = openManager();
        ASSERT_TRUE(m);
        ASSERT_EQ(entries(*m), (QStringList{"Holiday", "Other"}));

        typeName(*m, "HOLIDAY");
        messages.answers = {c.answer};
        click(m->Command1);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].prompt, "Config Name already exists. Do You wish to Overwrite?");
        EXPECT_EQ(messages.shown[0].buttons, msg::YesNo);
        EXPECT_EQ(messages.shown[0].title, "Morvane");

        EXPECT_EQ(entries(*m), c.entries);
        // One configuration, one file: the listed one is replaced, no second file appears.
        EXPECT_EQ(configFiles(), (QStringList{"Holiday.rfg", "Other.rfg"}));
        EXPECT_EQ(testfiles::readFile(configs() + "Holiday.rfg"),
                  c.replaced ? Header + renamerAsRnp() : QByteArray("old"));
        EXPECT_EQ(testfiles::readFile(configs() + "Other.rfg"), "other");

        if (c.replaced) {
            // The entry under its new spelling loads the replaced file.
            resetRenamer();
            const QByteArray opening = renamerAsRnp();
            clickEntry(*m, 1);
            click(m->Command2);
            EXPECT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(Header + renamerAsRnp(), testfiles::readFile(configs() + "Holiday.rfg"));
            EXPECT_NE(renamerAsRnp(), opening);
        }
        closeAndUnload(*m);
    }
}

// Two configurations whose names differ only in case: saving under one of them replaces exactly
// that one's file, whichever is listed first.
TEST_F(RenListManTest, SavingUnderOneOfTwoNamesDifferingInCaseReplacesExactlyThatOne)
{
    for (const char *name : {"a", "A"}) {
        SCOPED_TRACE(name);
        QDir(configs()).removeRecursively();
        messages.shown.clear();
        config("a.rfg", "lower");
        config("A.rfg", "upper");
        changeRenamer();
        frmRenListMan *m = openManager();
        ASSERT_TRUE(m);
        ASSERT_EQ(entries(*m), (QStringList{"A", "a"}));

        typeName(*m, QString::fromLatin1(name));
        messages.answers = {msg::Yes};
        click(m->Command1);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].prompt, "Config Name already exists. Do You wish to Overwrite?");
        const bool lower = QLatin1String(name) == QLatin1String("a");
        EXPECT_EQ(testfiles::readFile(configs() + "a.rfg"), lower ? Header + renamerAsRnp() : QByteArray("lower"));
        EXPECT_EQ(testfiles::readFile(configs() + "A.rfg"), lower ? QByteArray("upper") : Header + renamerAsRnp());
        EXPECT_EQ(configFiles(), (QStringList{"A.rfg", "a.rfg"}));
        QStringList listed = entries(*m);
        listed.sort();
        EXPECT_EQ(listed, (QStringList{"A", "a"})) << "each name listed once";
        resetRenamer();
        closeAndUnload(*m);
    }
}

TEST_F(RenListManTest, NamesThatWouldLeaveTheFolderOrAreBlankAreRefused)
{
    struct Case {
        QString name;
        QString prompt;
        int buttons;
        QString title;
    };
    const QString giveName = "Please give a rename config name";
    const QString badName = "Bad file name or number";
    const Case cases[] = {
        {"", giveName, msg::Information, "Renamer"},
        {"   ", giveName, msg::Information, "Renamer"},
        {".", badName, msg::OKOnly, "Morvane"},
        {"..", badName, msg::OKOnly, "Morvane"},
        {"../x", badName, msg::OKOnly, "Morvane"},
        {"a/b", badName, msg::OKOnly, "Morvane"},
        {"/tmp/evil", badName, msg::OKOnly, "Morvane"},
    };
    config("Kept.rfg", "kept");
    frmRenListMan *m = openManager();
    ASSERT_TRUE(m);
    const QStringList before = everythingAtHome();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        messages.shown.clear();
        typeName(*m, c.name);
        click(m->Command1);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].prompt, c.prompt);
        EXPECT_EQ(messages.shown[0].buttons, c.buttons);
        EXPECT_EQ(messages.shown[0].title, c.title);
        EXPECT_EQ(entries(*m), QStringList{"Kept"});
        EXPECT_EQ(everythingAtHome(), before);
    }
    EXPECT_FALSE(QFileInfo::exists("/tmp/evil.rfg"));
}

TEST_F(RenListManTest, AFailedSaveKeepsTheListAndTheOldFileAndShowsTheError)
{
    struct Case {
        QString name;
        std::vector<int> answers;
        QString file;  ///< the file the message names
    };
    const Case cases[] = {
        {"HOLIDAY", {msg::Yes}, "Holiday.rfg"},
        {"New", {}, "New.rfg"},
    };
    config("Holiday.rfg", "old");
    changeRenamer();
    frmRenListMan *m = openManager();
    ASSERT_TRUE(m);
    const QByteArray folder = QFile::encodeName(configs());
    ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        messages.shown.clear();
        messages.answers = c.answers;
        typeName(*m, c.name);
        {
            WithoutPermissionOverride restricted;
            if (!restricted.ok()) {
                ::chmod(folder.constData(), 0755);
                GTEST_SKIP() << "cannot give up the permission override of root";
            }
            click(m->Command1);
        }
        ASSERT_EQ(messages.shown.size(), c.answers.size() + 1);
        EXPECT_EQ(messages.shown.back().prompt,
                  "The rename config file \"" + configs() + c.file + "\" could not be saved: Permission denied.");
        EXPECT_EQ(messages.shown.back().buttons, msg::OKOnly);
        EXPECT_EQ(messages.shown.back().title, "Morvane");
        EXPECT_EQ(entries(*m), QStringList{"Holiday"});
        EXPECT_EQ(configFiles(), QStringList{"Holiday.rfg"});
        EXPECT_EQ(testfiles::readFile(configs() + "Holiday.rfg"), "old");
    }
    ::chmod(folder.constData(), 0755);
}

TEST_F(RenListManTest, LoadPutsTheSelectedConfigurationIntoTheRenameWindow)
{
    changeRenamer();
    frmRenListMan *m = openManager();
    ASSERT_TRUE(m);
    typeName(*m, "Holiday");
    click(m->Command1);
    const QByteArray saved = testfiles::readFile(configs() + "Holiday.rfg");
    ASSERT_TRUE(saved.startsWith(Header));

    enum class Way { Button, DoubleClick, Menu };
    for (Way way : {Way::Button, Way::DoubleClick, Way::Menu, Way::Button}) {
        SCOPED_TRACE(int(way));
        resetRenamer();
        ASSERT_NE(Header + renamerAsRnp(), saved);
        clickEntry(*m, 0);
        EXPECT_EQ(m->Text1->text(), "Holiday");
        switch (way) {
        case Way::Button:
            click(m->Command2);
            break;
        case Way::DoubleClick:
            QTest::mouseDClick(m->list1->viewport(), Qt::LeftButton, {}, entryCentre(*m, 0));
            break;
        case Way::Menu:
            clickEntry(*m, 0, Qt::RightButton);
            clickMenu(*m, m->mnuLoad);
            break;
        }
        EXPECT_TRUE(messages.shown.empty()) << messages.prompts().join(" / ").toStdString();
        EXPECT_EQ(Header + renamerAsRnp(), saved);
        // The restored current action shows its panel; the manager stays open.
        EXPECT_EQ(renamer().List3->currentRow(), 12);
        EXPECT_EQ(renamer().List3->item(12)->text(), "Replace");
        EXPECT_TRUE(renamer().frmReplace->isVisible());
        EXPECT_TRUE(m->isVisible());
    }
}

TEST_F(RenListManTest, ALoadThatCannotBeDoneChangesNothingInTheRenameWindow)
{
    struct Case {
        const char *what;
        const char *file;  // null: no entry is selected
        QString prompt;
    };
    const Case cases[] = {
        {"nothing selected", nullptr, "Please select the rename config to load"},
        {"lower-case header", "lower", "Invalid File"},
        {"header only", "headeronly", "Invalid File"},
        {"deleted after listing", "gone", "Invalid File"},
    };
    const QByteArray valid = validConfig();
    config("lower.rfg", "file rename settings\r\n" + valid.mid(Header.size()));
    config("headeronly.rfg", Header);
    config("gone.rfg", valid);
    changeRenamer();
    const QByteArray before = renamerAsRnp();
    frmRenListMan *m = openManager();
    ASSERT_TRUE(m);
    ASSERT_EQ(entries(*m), (QStringList{"gone", "headeronly", "lower"}));
    QFile::remove(configs() + "gone.rfg");

    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        if (c.file)
            clickEntry(*m, int(entries(*m).indexOf(c.file)));
        click(m->Command2);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].prompt, c.prompt);
        EXPECT_EQ(messages.shown[0].buttons, msg::Information);
        EXPECT_EQ(messages.shown[0].title, "Renamer");
        EXPECT_EQ(renamer().List3->count(), 13);
        EXPECT_EQ(renamerAsRnp(), before);
    }
}

TEST_F(RenListManTest, DeleteKeyAndPopUpMenuDeleteTheSelectedConfigurationWithoutAsking)
{
    for (const char *name : {"a.rfg", "b.rfg", "c.rfg", "d.rfg"})
        config(name, "x");
    frmRenListMan *m = openManager();
    ASSERT_TRUE(m);

    // Nothing selected: nothing goes.
    m->list1->setFocus();
    QTest::keyClick(m->list1, Qt::Key_Delete);
    EXPECT_EQ(entries(*m), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(configFiles().size(), 4);

    clickEntry(*m, 0);
    EXPECT_EQ(m->Text1->text(), "a");
    QTest::keyClick(m->list1, Qt::Key_Delete);
    EXPECT_EQ(entries(*m), (QStringList{"b", "c", "d"}));
    EXPECT_EQ(configFiles(), (QStringList{"b.rfg", "c.rfg", "d.rfg"}));
    EXPECT_EQ(m->Text1->text(), "a");
    EXPECT_TRUE(selected(*m).isEmpty());

    // A right click opens the menu and leaves the selection where it was.
    clickEntry(*m, 0);
    clickEntry(*m, 1, Qt::RightButton);
    ASSERT_TRUE(m->mnuEdit->isVisible());
    EXPECT_EQ(m->mnuEdit->title(), "Edit");
    EXPECT_EQ(m->mnuLoad->text(), "Load Selected");
    EXPECT_EQ(m->mnuDelete->text(), "Delete");
    EXPECT_EQ(selected(*m), QStringList{"b"});
    EXPECT_EQ(m->Text1->text(), "b");
    clickMenu(*m, m->mnuDelete);
    EXPECT_EQ(entries(*m), (QStringList{"c", "d"}));
    EXPECT_EQ(configFiles(), (QStringList{"c.rfg", "d.rfg"}));

    // The shift state does not matter.
    clickEntry(*m, 1);
    QTest::keyClick(m->list1, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(entries(*m), QStringList{"c"});
    EXPECT_TRUE(messages.shown.empty()) << messages.prompts().join(" / ").toStdString();
}

TEST_F(RenListManTest, AFailedDeleteKeepsTheEntryAndShowsTheError)
{
    config("locked.rfg", "x");
    config("gone.rfg", "x");
    ASSERT_TRUE(QFile::setPermissions(configs() + "locked.rfg", QFile::ReadOwner | QFile::ReadGroup));
    frmRenListMan *m = openManager();
    ASSERT_TRUE(m);
    ASSERT_EQ(entries(*m), (QStringList{"gone", "locked"}));

    clickEntry(*m, 1);
    QTest::keyClick(m->list1, Qt::Key_Delete);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].prompt, "Permission denied");
    EXPECT_EQ(messages.shown[0].buttons, msg::OKOnly);
    EXPECT_EQ(messages.shown[0].title, "Morvane");
    EXPECT_TRUE(QFile::exists(configs() + "locked.rfg"));
    EXPECT_EQ(entries(*m), (QStringList{"gone", "locked"}));

    // A file already deleted elsewhere leaves nothing to keep: its entry goes quietly.
    QFile::remove(configs() + "gone.rfg");
    clickEntry(*m, 0);
    QTest::keyClick(m->list1, Qt::Key_Delete);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(entries(*m), QStringList{"locked"});
}

TEST_F(RenListManTest, TheManagerGoesWithTheRenameWindow)
{
    QPointer<frmRenListMan> m = openManager();
    ASSERT_TRUE(m);
    instance->Unload();
    EXPECT_TRUE(m.isNull());

    m = openManager();
    ASSERT_TRUE(m);
    form.reset();
    EXPECT_TRUE(m.isNull());
}

TEST_F(RenListManTest, Screenshot)
{
    for (const char *name : {"Holiday.rfg", "Photos by date.rfg", "Music tracks.rfg"})
        config(name, "x");
    frmRenListMan *m = openManager();
    ASSERT_TRUE(m);
    clickEntry(*m, 0);
    const QString path = testfiles::artifactFolder() + "/settingsfiles_frmRenListMan.png";
    ASSERT_TRUE(m->grab().save(path)) << path.toStdString();
}

// The attribute dialog, opened with the main window's "&Attributes" button and run on files
// of a temporary folder.
#include "FolderTree.h"
#include "ListViewEditable.h"
#include "MainWindowFixture.h"
#include "UserInput.h"
#include "WithoutPermissionOverride.h"
#include "frmAttr.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace mainwin;

namespace {

constexpr int Normal = 0, ReadOnly = 1, Hidden = 2, System = 3, Directory = 4, Archive = 5;

class AttributeDialogTest : public MainWindowFixture {
public:
    frmAttr &showDialog(frmMain &w)
    {
        userinput::click(w.Command1);
        EXPECT_TRUE(w.Attr().isVisible());
        return w.Attr();
    }
    void setMode(const QString &name, mode_t mode) { ASSERT_EQ(::chmod(QFile::encodeName(dataPath(name)).constData(), mode), 0); }
    mode_t mode(const QString &name) const
    {
        struct stat st {};
        ::stat(QFile::encodeName(dataPath(name)).constData(), &st);
        return st.st_mode & 0777;
    }
    static void checkRows(frmMain &w, const QStringList &names)
    {
        for (int32_t i = 1; i <= w.lvw2->FileItemCount(); ++i)
            w.lvw2->setChecked(i, names.contains(w.lvw2->ListItems().Item(i).Text));
    }
    static QString ticks(const frmAttr &d)
    {
        QString out;
        for (QCheckBox *box : d.Atbs)
            out += box->isChecked() ? u'x' : u'-';
        return out;
    }
};

} // namespace

TEST_F(AttributeDialogTest, TheTickedCombinationReachesEveryCheckedItemAndNoOther)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        makeFile(QLatin1String(name));
    auto w = open();
    w->ftv->ClickFolder(dataPath());

    struct Case {
        const char *what;
        std::vector<int> clicks;  // boxes clicked in this order
        const char *boxes;        // the boxes afterwards, Normal first
        mode_t checkedMode;
        const char *reported;     // part of the one message, or null for none
    };
    const Case cases[] = {
        {"Read Only", {ReadOnly}, "-x----", 0444, nullptr},
        {"no box", {}, "------", 0644, nullptr},
        {"Normal after Read Only", {ReadOnly, Normal}, "x-----", 0644, nullptr},
        {"Read Only after Normal stays Normal", {Normal, ReadOnly}, "x-----", 0644, nullptr},
        {"Directory is what an item is", {Directory}, "----x-", 0644, nullptr},
        {"Read Only and Hidden", {ReadOnly, Hidden}, "-xx---", 0444, "Hidden cannot be set or cleared on this system"},
        {"System and Archive", {System, Archive}, "---x-x", 0644, "System and Archive cannot be set"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        setMode(QStringLiteral("a.txt"), 0644);
        setMode(QStringLiteral("b.txt"), 0644);
        setMode(QStringLiteral("c.txt"), 0444);
        setMode(QStringLiteral("d.txt"), 0444);
        checkRows(*w, {"a.txt", "c.txt"});
        frmAttr &d = showDialog(*w);
        for (int box : c.clicks)
            userinput::clickBox(d.Atbs[size_t(box)]);
        EXPECT_EQ(ticks(d), QLatin1String(c.boxes));
        userinput::click(d.Command1);
        EXPECT_EQ(mode(QStringLiteral("a.txt")), c.checkedMode);
        EXPECT_EQ(mode(QStringLiteral("c.txt")), c.checkedMode);
        EXPECT_EQ(mode(QStringLiteral("b.txt")), mode_t(0644));
        EXPECT_EQ(mode(QStringLiteral("d.txt")), mode_t(0444));
        if (c.reported) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_TRUE(messages.prompts().front().contains(QLatin1String(c.reported))) << messages.prompts().front().toStdString();
            EXPECT_TRUE(messages.prompts().front().contains(QStringLiteral("2 of 2 item(s)")));
        } else {
            EXPECT_TRUE(messages.shown.empty()) << messages.prompts().join(u'|').toStdString();
        }
        EXPECT_EQ(w->Label10->text(), QStringLiteral("Ready"));
        EXPECT_EQ(w->ProgBarM->value(), 0);
        // Closed and opened again, the dialog starts with no box ticked.
        userinput::click(d.Command2);
        QCoreApplication::processEvents();
    }
}

TEST_F(AttributeDialogTest, TheProgressAdvancesOncePerRowCheckedOrNot)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        makeFile(QLatin1String(name));
    auto w = open();
    w->ftv->ClickFolder(dataPath());
    checkRows(*w, {"b.txt"});
    frmAttr &d = showDialog(*w);
    QStringList seen;
    QObject::connect(w->ProgBarM, &QProgressBar::valueChanged, [&](int value) {
        seen << QStringLiteral("%1 %2").arg(value).arg(w->Label10->text());
    });
    userinput::click(d.Command1);
    EXPECT_EQ(seen, (QStringList{"1 Changing Attributes...", "2 Changing Attributes...", "3 Changing Attributes...",
                                 "0 Ready"}));
    EXPECT_EQ(w->ProgBarM->maximum(), 3);

    // An empty list changes nothing and still ends at "Ready".
    w->lvw2->ClearItems();
    userinput::click(d.Command1);
    EXPECT_EQ(w->Label10->text(), QStringLiteral("Ready"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AttributeDialogTest, WhatCannotBeSetIsReportedOnceAndTheRunGoesOn)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another user needs root";
    makeFile(QStringLiteral(".dot"));
    makeFile(QStringLiteral("mine.txt"));
    makeFile(QStringLiteral("theirs.txt"));
    ASSERT_EQ(::chown(QFile::encodeName(dataPath(QStringLiteral("theirs.txt"))).constData(), 65534, 65534), 0);
    auto w = open();
    w->ftv->ClickFolder(dataPath());
    checkRows(*w, {".dot", "mine.txt", "theirs.txt"});
    frmAttr &d = showDialog(*w);
    userinput::clickBox(d.Atbs[ReadOnly]);
    {
        WithoutPermissionOverride asUser;
        ASSERT_TRUE(asUser.ok());
        userinput::click(d.Command1);
    }
    EXPECT_EQ(mode(QStringLiteral("mine.txt")), mode_t(0444));
    EXPECT_EQ(mode(QStringLiteral(".dot")), mode_t(0444));
    EXPECT_EQ(mode(QStringLiteral("theirs.txt")), mode_t(0644));
    ASSERT_EQ(messages.shown.size(), 1u);
    const QString text = messages.prompts().front();
    EXPECT_TRUE(text.contains(QStringLiteral("Hidden cannot be set or cleared"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1 of 3 item(s)")));
    EXPECT_TRUE(text.contains(QStringLiteral("The attributes of 1 item(s) could not be changed:\n") + dataPath(QStringLiteral("theirs.txt"))
                              + QStringLiteral(": Permission denied")));
    EXPECT_EQ(w->Label10->text(), QStringLiteral("Ready"));
}

TEST_F(AttributeDialogTest, ANameWithALineBreakIsShownEscaped)
{
    makeFile(QStringLiteral("two\nlines"));
    auto w = open();
    w->ftv->ClickFolder(dataPath());
    w->Check1->setChecked(true);
    frmAttr &d = showDialog(*w);
    userinput::clickBox(d.Atbs[ReadOnly]);
    // The file is gone by the time the attributes are set.
    ASSERT_TRUE(QFile::remove(dataPath(QStringLiteral("two\nlines"))));
    userinput::click(d.Command1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.prompts().front().endsWith(dataPath(QStringLiteral("two\\nlines: File not found"))))
        << messages.prompts().front().toStdString();
}

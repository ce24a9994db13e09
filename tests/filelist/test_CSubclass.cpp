#include "CSubclass.h"
#include "WindowMessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using namespace filelist;
using namespace filelist::wm;

namespace {

/** Records every callback as "before <msg>" or "after <msg>" and can end chosen messages. */
class Recorder : public ISubclass {
public:
    void After(int32_t &lReturn, QObject *, int32_t uMsg, qintptr wParam, qintptr lParam) override
    {
        calls << QStringLiteral("after %1").arg(uMsg);
        lastWParam = wParam;
        lastLParam = lParam;
        returns << lReturn;
    }
    void Before(bool &bHandled, int32_t &, QObject *&, int32_t &uMsg, qintptr &, qintptr &) override
    {
        calls << QStringLiteral("before %1").arg(uMsg);
        if (handle.contains(uMsg))
            bHandled = true;
        if (uMsg == renameFrom)
            uMsg = renameTo;
    }

    QStringList calls;
    QList<int32_t> handle;
    QList<int32_t> returns;
    int32_t renameFrom = 0;
    int32_t renameTo = 0;
    qintptr lastWParam = 0;
    qintptr lastLParam = 0;
};

/** An owner that is an object of its own and may go away while hooked. */
class ObjectOwner : public QObject, public Recorder {};

/** A line edit that counts the keys it receives. */
class KeyCounter : public QLineEdit {
public:
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        ++keys;
        QLineEdit::keyPressEvent(e);
    }
};

} // namespace

TEST(CSubclass, MessageTables)
{
    CSubclass hook;
    hook.AddMsg(WM_KEYDOWN, 0);
    hook.AddMsg(WM_KEYDOWN, 0);
    EXPECT_EQ(hook.MsgCount(0), 1) << "a repeat takes no second slot";
    hook.AddMsg(WM_KEYUP, 0);
    hook.DelMsg(WM_KEYDOWN, 0);
    EXPECT_EQ(hook.MsgTable(0), std::vector<int32_t>({-1, WM_KEYUP}));
    hook.AddMsg(WM_PAINT, 0);
    EXPECT_EQ(hook.MsgTable(0), std::vector<int32_t>({WM_PAINT, WM_KEYUP})) << "the freed slot is reused";
    EXPECT_EQ(hook.MsgCount(0), 2);
    hook.DelMsg(12345, 0);
    EXPECT_EQ(hook.MsgTable(0), std::vector<int32_t>({WM_PAINT, WM_KEYUP}));

    hook.AddMsg(-1, 1);
    EXPECT_EQ(hook.MsgCount(1), -1);
    hook.AddMsg(WM_SIZE, 1);
    EXPECT_EQ(hook.MsgCount(1), 1) << "a count of -1 is no slot";
    hook.DelMsg(-1, 0);
    EXPECT_EQ(hook.MsgCount(0), 0);
}

TEST(CSubclass, BeforeTheWidgetThenAfterIt)
{
    KeyCounter edit;
    edit.show();
    Recorder owner;
    CSubclass hook;
    hook.AddMsg(WM_KEYDOWN, 1);
    hook.AddMsg(WM_KEYDOWN, 0);
    hook.Subclass(&edit, &owner);
    EXPECT_EQ(hook.hWnd(), &edit);

    QTest::keyClick(&edit, Qt::Key_A);
    EXPECT_EQ(edit.text(), "a");
    EXPECT_EQ(owner.calls, QStringList({"before 256", "after 256"}));
    EXPECT_EQ(owner.lastWParam, Qt::Key_A);
    EXPECT_EQ(owner.returns, QList<int32_t>({1})) << "the widget took the key";

    // A handled message reaches neither the widget nor After.
    owner.calls.clear();
    owner.handle << WM_KEYDOWN;
    QTest::keyClick(&edit, Qt::Key_B);
    EXPECT_EQ(edit.text(), "a");
    EXPECT_EQ(edit.keys, 1);
    EXPECT_EQ(owner.calls, QStringList({"before 256"}));

    // Before may change the message; After sees the changed one.
    owner.calls.clear();
    owner.handle.clear();
    owner.renameFrom = WM_KEYDOWN;
    owner.renameTo = WM_KEYDOWN;
    hook.AddMsg(WM_KEYUP, 0);
    QTest::keyClick(&edit, Qt::Key_C);
    EXPECT_EQ(edit.text(), "ac");
    EXPECT_EQ(owner.calls, QStringList({"before 256", "after 256", "after 257"}));

    // Every message, then none.
    hook.DelMsg(-1, 1);
    hook.DelMsg(-1, 0);
    owner.calls.clear();
    QTest::keyClick(&edit, Qt::Key_D);
    EXPECT_TRUE(owner.calls.isEmpty());
    hook.AddMsg(-1, 0);
    QTest::keyClick(&edit, Qt::Key_E);
    EXPECT_TRUE(owner.calls.contains("after 256"));
    EXPECT_TRUE(owner.calls.contains("after 257"));

    hook.UnSubclass();
    EXPECT_EQ(hook.hWnd(), nullptr);
    owner.calls.clear();
    QTest::keyClick(&edit, Qt::Key_F);
    EXPECT_EQ(edit.text(), "acdef") << "the widget works on without its hook";
    EXPECT_TRUE(owner.calls.isEmpty());
}

TEST(CSubclass, MouseScrollAndOwnerGone)
{
    QListWidget list;
    for (int i = 0; i < 200; ++i)
        list.addItem(QStringLiteral("item %1").arg(i));
    list.resize(200, 150);
    list.show();
    Recorder owner;
    CSubclass hook;
    for (int32_t m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_VSCROLL})
        hook.AddMsg(m, 0);
    hook.Subclass(&list, &owner);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 12));
    EXPECT_EQ(owner.calls, QStringList({"after 513", "after 514"}));
    EXPECT_EQ(PointParamX(owner.lastLParam), 30);
    EXPECT_EQ(PointParamY(owner.lastLParam), 12);
    EXPECT_TRUE(owner.lastWParam & MK_SHIFT);
    EXPECT_EQ(list.currentRow(), 0) << "the list handled the click itself";

    owner.calls.clear();
    list.verticalScrollBar()->setValue(10);
    EXPECT_EQ(owner.calls, QStringList({"after 277"}));
    EXPECT_EQ(owner.lastWParam, 10);
}

TEST(CSubclass, AHookWhoseOwnerWentAwayRemovesItself)
{
    QLineEdit edit;
    edit.show();
    auto *owner = new ObjectOwner;
    CSubclass hook;
    hook.AddMsg(WM_KEYDOWN, 0);
    hook.Subclass(&edit, owner);
    QTest::keyClick(&edit, Qt::Key_A);
    EXPECT_EQ(owner->calls, QStringList({"after 256"}));
    delete owner;
    QTest::keyClick(&edit, Qt::Key_B);
    EXPECT_EQ(hook.hWnd(), nullptr);
    EXPECT_EQ(edit.text(), "ab");
}

TEST(CSubclass, DroppedFiles)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/a/one.txt"), QUrl::fromLocalFile("/a/two.JPG"), QUrl::fromLocalFile("/a.b/noext"),
                  QUrl("https://example.org/x.txt")});
    EXPECT_EQ(CSubclass::OnDropFiles(&data), QStringList({"/a/one.txt", "/a/two.JPG", "/a.b/noext"}));
    EXPECT_EQ(CSubclass::OnDropFilesGetFirst(&data), "/a/one.txt");
    EXPECT_EQ(CSubclass::OnDropFilesGetFirst(nullptr), "");

    const struct {
        const char *filter;
        QStringList added;
    } cases[] = {
        {"*.*", {"/a/two.JPG", "/a.b/noext"}},
        {"", {"/a/two.JPG", "/a.b/noext"}},
        {"jpg;gif", {"/a/two.JPG"}},
        {"txt", {}},
    };
    // one.txt is in the list already.
    for (const auto &c : cases) {
        SCOPED_TRACE(c.filter);
        QStringList list = {"/a/one.txt"};
        EXPECT_EQ(CSubclass::OnDropFilesAddToListDistinct(list, &data, QString::fromUtf8(c.filter)), c.added);
    }

    QWidget target;
    CSubclass hook;
    hook.AddMsgDropFiles(0, &target);
    EXPECT_TRUE(target.acceptDrops());
    EXPECT_EQ(hook.MsgTable(0), std::vector<int32_t>({WM_DROPFILES}));
}

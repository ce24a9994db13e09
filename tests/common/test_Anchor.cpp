// Anchored layout: edge letters in tags, incremental passes, minimum size, kept position, and
// the property page that edits the letters.
#include "Anchor.h"
#include "FileStatus.h"
#include "MessageService.h"
#include "ppAnchors.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace common;

namespace {

// A window whose resize handler runs the anchor's pass, as the main window's does.
class Host : public QWidget {
public:
    Anchor *Anchor1 = new Anchor(this);

protected:
    void resizeEvent(QResizeEvent *) override { Anchor1->DoResize(); }
};

QPushButton *control(QWidget *host, const char *name, const QString &tag, QRect at)
{
    auto *b = new QPushButton(host);
    b->setObjectName(QLatin1String(name));
    b->setProperty("Tag", tag);
    b->setGeometry(at);
    return b;
}

void resizeShown(QWidget &w, int width, int height)
{
    w.resize(width, height);
    QApplication::processEvents();
}

struct Store {
    QTemporaryDir dir;
    Anchor::StoreFactory factory()
    {
        const QString folder = dir.path();
        return [folder](const QString &app) {
            return std::make_unique<QSettings>(folder + u'/' + app + QStringLiteral(".ini"), QSettings::IniFormat);
        };
    }
    QString value(const QString &app, const QString &key)
    {
        return QSettings(dir.path() + u'/' + app + QStringLiteral(".ini"), QSettings::IniFormat).value(key).toString();
    }
};

const QString MainSetting = QStringLiteral("AnchorCtrl,Positions,frmMain,1110|540");

} // namespace

TEST(Anchor, EdgeLettersMoveAndStretchByTheChange)
{
    Host host;
    host.resize(400, 300);
    struct Case {
        const char *name;
        QString tag;
        QRect after;
    } cases[] = {
        {"all", QStringLiteral("TTTT*/own text"), QRect(10, 10, 100 + 60, 50 + 30)},
        {"rightBottom", QStringLiteral("FTTT*/"), QRect(10 + 60, 10, 100, 50 + 30)},
        {"rightOnly", QStringLiteral("FFTF*/"), QRect(10 + 60, 10, 100, 50)},
        {"leftTop", QStringLiteral("TTFF*/"), QRect(10, 10, 100, 50)},
        {"lowerCase", QStringLiteral("ttTT*/"), QRect(10 + 60, 10 + 30, 100, 50)},
        {"noFlags", QStringLiteral("plain"), QRect(10, 10, 100, 50)},
    };
    std::vector<QPushButton *> controls;
    for (const Case &c : cases)
        controls.push_back(control(&host, c.name, c.tag, QRect(10, 10, 100, 50)));
    host.Anchor1->NoFreeze = true;
    host.Anchor1->DoInit();
    EXPECT_EQ(controls[0]->property("Tag").toString(), QStringLiteral("own text"));
    EXPECT_EQ(controls[5]->property("Tag").toString(), QStringLiteral("plain"));

    QSignalSpy after(host.Anchor1, &Anchor::AfterResize);
    host.show();
    resizeShown(host, 460, 330);
    ASSERT_EQ(host.size(), QSize(460, 330));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(controls[i]->geometry(), cases[i].after);
    }
    ASSERT_FALSE(after.isEmpty());
    EXPECT_EQ(after.last().at(0).toInt(), 30 * 15);
    EXPECT_EQ(after.last().at(1).toInt(), 60 * 15);
}

TEST(Anchor, MinimumSizeAndMinimisedWindow)
{
    Host host;
    host.resize(400, 300);
    QPushButton *b = control(&host, "cmdStretch", QStringLiteral("TTTT*/"), QRect(10, 10, 100, 50));
    host.Anchor1->DoInit(300 * 15, 200 * 15);
    host.show();
    QApplication::processEvents();
    resizeShown(host, 150, 250);
    // Held at the minimum size; the change to the previous pass is what counts. A width that
    // would fall below nothing is refused and the control keeps its own.
    EXPECT_EQ(host.size(), QSize(200, 300));
    EXPECT_EQ(b->width(), 100);
    resizeShown(host, 260, 300);
    EXPECT_EQ(b->width(), 160);

    QSignalSpy before(host.Anchor1, &Anchor::BeforeResize);
    host.setWindowState(Qt::WindowMinimized);
    host.Anchor1->DoResize();
    EXPECT_TRUE(before.isEmpty());
}

TEST(Anchor, PositionIsRestoredAndKeptAsLeftBarTop)
{
    Store store;
    {
        Host host;
        host.Anchor1->setStoreFactory(store.factory());
        host.Anchor1->PositionSetting = MainSetting;
        host.Anchor1->DoInit();
        // Nothing stored yet: the default 1110|540 twips.
        EXPECT_EQ(host.pos(), QPoint(74, 36));
        host.move(200, 50);
    }
    EXPECT_EQ(store.value(QStringLiteral("AnchorCtrl"), QStringLiteral("Positions/frmMainPos")), QStringLiteral("3000|750"));

    Host again;
    again.Anchor1->setStoreFactory(store.factory());
    again.Anchor1->PositionSetting = MainSetting;
    again.Anchor1->DoInit();
    EXPECT_EQ(again.pos(), QPoint(200, 50));

    // A maximised window's position is not kept; a malformed value leaves the window alone.
    again.move(10, 10);
    again.setWindowState(Qt::WindowMaximized);
    again.Anchor1->Terminate();
    EXPECT_EQ(store.value(QStringLiteral("AnchorCtrl"), QStringLiteral("Positions/frmMainPos")), QStringLiteral("3000|750"));
    Host bad;
    bad.Anchor1->setStoreFactory(store.factory());
    bad.Anchor1->PositionSetting = QStringLiteral("AnchorCtrl,Positions,frmOther,12|x");
    bad.move(5, 6);
    bad.Anchor1->DoInit();
    EXPECT_EQ(bad.pos(), QPoint(5, 6));
}

// The window places are kept in the program folder's "AnchorCtrl.ini", rewritten as every program
// file is: a file another user owns keeps that owner, its group and its permissions when root
// saves a window's place, a link to it stays a link to the rewritten file, and the places of
// other windows stay. Giving a file to another user takes root (as in CI); anyone else checks
// links and permissions.
TEST(Anchor, PositionFileKeepsItsOwnerGroupAndPermissionsAndALinkStaysALink)
{
    const bool root = ::geteuid() == 0;
    const QByteArray oldHome = qgetenv("VEXLO_HOME");
    const bool hadHome = qEnvironmentVariableIsSet("VEXLO_HOME");
    for (const bool link : {false, true}) {
        SCOPED_TRACE(link ? "a link to a file in another folder" : "the file itself");
        QTemporaryDir tmp;
        ASSERT_TRUE(QDir().mkpath(tmp.filePath("home")) && QDir().mkpath(tmp.filePath("elsewhere")));
        qputenv("VEXLO_HOME", QFile::encodeName(tmp.filePath("home")));
        const QByteArray named = QFile::encodeName(tmp.filePath("home/AnchorCtrl.ini"));
        const QByteArray real = link ? QFile::encodeName(tmp.filePath("elsewhere/places.ini")) : named;
        {
            QSettings other(QFile::decodeName(real), QSettings::IniFormat);
            other.setValue(QStringLiteral("Positions/frmRenamerPos"), QStringLiteral("15|30"));
        }
        ASSERT_EQ(::chmod(real.constData(), 0640), 0);
        if (root) {
            ASSERT_EQ(::chown(real.constData(), testfiles::OtherUser, testfiles::OtherGroup), 0);
        }
        if (link) {
            ASSERT_EQ(::symlink("../elsewhere/places.ini", named.constData()), 0);
        }
        {
            Host host;
            host.Anchor1->PositionSetting = MainSetting;
            host.Anchor1->DoInit();
            host.move(200, 50);
        }
        ASSERT_NO_FATAL_FAILURE(testfiles::expectRewrittenInPlace(named, real, link, 0640, root));
        const QSettings kept(QFile::decodeName(real), QSettings::IniFormat);
        EXPECT_EQ(kept.value(QStringLiteral("Positions/frmMainPos")).toString(), QStringLiteral("3000|750"));
        EXPECT_EQ(kept.value(QStringLiteral("Positions/frmRenamerPos")).toString(), QStringLiteral("15|30"));
        const QDir::Filters everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        EXPECT_EQ(QDir(tmp.filePath("home")).entryList(everything),
                  QStringList{"AnchorCtrl.ini"});

        // The next start finds the window where it was, through the link as well.
        Host again;
        again.Anchor1->PositionSetting = MainSetting;
        again.Anchor1->DoInit();
        EXPECT_EQ(again.pos(), QPoint(200, 50));
    }
    if (hadHome)
        qputenv("VEXLO_HOME", oldHome);
    else
        qunsetenv("VEXLO_HOME");
    if (!root)
        GTEST_SKIP() << "only root may give a file to another user: links and permissions were checked, owners not";
}

TEST(Anchor, AboutBoxTitle)
{
    RecordingMessageService messages;
    Anchor::About(messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("About Anchor"));
    EXPECT_EQ(messages.shown[0].buttons, msg::Information);
}

namespace {

bool black(const QLabel *l)
{
    return l->palette().color(QPalette::Window) == QColor(Qt::black);
}

} // namespace

TEST(ppAnchors, OpeningNormalisesTagsAndShowsTheFirstControl)
{
    QWidget host;
    host.setObjectName(QStringLiteral("frmHost"));
    control(&host, "cmdA", QString(), QRect(0, 0, 10, 10));
    QPushButton *arr0 = control(&host, "cmdArr", QStringLiteral("TTTT*/zero"), QRect(0, 0, 10, 10));
    arr0->setProperty("Index", 0);
    QPushButton *arr1 = control(&host, "cmdArr", QStringLiteral("FFTF*/one"), QRect(0, 0, 10, 10));
    arr1->setProperty("Index", 1);
    auto *timer = new QTimer(&host);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setProperty("Tag", QStringLiteral("TTFF*/tick"));

    ppAnchors page(&host);
    ASSERT_EQ(page.lstCtrls->count(), 3);
    EXPECT_EQ(page.lstCtrls->item(1)->text(), QStringLiteral("cmdArr(0)"));
    EXPECT_EQ(host.findChild<QPushButton *>(QStringLiteral("cmdA"))->property("Tag").toString(), QStringLiteral("TTFF*/"));
    EXPECT_EQ(timer->property("Tag").toString(), QStringLiteral("tick"));
    EXPECT_TRUE(black(page.lblSides[0]));
    EXPECT_TRUE(black(page.lblSides[1]));
    EXPECT_FALSE(black(page.lblSides[2]));
    EXPECT_FALSE(black(page.lblSides[3]));

    // The second member of the array shows its own letters.
    page.lstCtrls->setCurrentRow(2);
    EXPECT_FALSE(black(page.lblSides[0]));
    EXPECT_TRUE(black(page.lblSides[2]));
}

TEST(ppAnchors, ClickedEdgesAreWrittenOnApply)
{
    QWidget host;
    QPushButton *b = control(&host, "cmdA", QStringLiteral("TTFF*/text"), QRect(0, 0, 10, 10));
    ppAnchors page(&host);
    page.show();
    QApplication::processEvents();
    auto *apply = page.findChildren<QPushButton *>().last();
    for (QPushButton *p : page.findChildren<QPushButton *>())
        if (p->text().remove(u'&') == QStringLiteral("Apply"))
            apply = p;
    EXPECT_FALSE(apply->isEnabled());
    QTest::mouseClick(page.lblSides[2], Qt::LeftButton, {}, page.lblSides[2]->rect().center());
    QTest::mouseClick(page.lblSides[3], Qt::LeftButton, {}, page.lblSides[3]->rect().center());
    EXPECT_TRUE(page.Changed());
    ASSERT_TRUE(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton, {}, apply->rect().center());
    EXPECT_EQ(b->property("Tag").toString(), QStringLiteral("TTTT*/text"));
}

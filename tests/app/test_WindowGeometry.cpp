// Every window at its default size and at its minimum size: no control lies over a sibling or
// reaches out of its parent, and no button caption is cut. Each state is also saved as a PNG
// under the build folder for a reviewer to look at.
#include "AppState.h"
#include "Clock.h"
#include "Dialogs.h"
#include "DragListBox.h"
#include "MessageService.h"
#include "PreviewTable.h"
#include "RandomSource.h"
#include "Shell.h"
#include "TestFiles.h"
#include "TokenPicker.h"
#include "TokenPickers.h"
#include "frmAbout.h"
#include "frmAttr.h"
#include "frmBName.h"
#include "frmBookmarks.h"
#include "frmListMan.h"
#include "frmRenListMan.h"
#include "frmLog.h"
#include "frmMain.h"
#include "frmPref.h"
#include "frmRenDrop.h"
#include "frmRenamer.h"
#include "frmSplash.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString describe(const QWidget *w)
{
    return QStringLiteral("%1 \"%2\" %3,%4 %5x%6")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName())
        .arg(w->x())
        .arg(w->y())
        .arg(w->width())
        .arg(w->height());
}

bool shown(const QWidget *w, const QWidget *window)
{
    return !w->isWindow() && w->isVisibleTo(window) && w->width() > 0 && w->height() > 0;
}

// The inner parts of Qt's own composite controls are laid out by Qt; only the program's own
// controls are looked at.
bool insideComposite(const QWidget *w, const QWidget *window)
{
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea *>(p) || p->objectName().startsWith(QLatin1String("qt_"))
            || p->inherits("QComboBox") || p->inherits("QTabBar") || p->inherits("QToolBar")
            || p->inherits("QMenuBar") || p->inherits("QStatusBar") || p->inherits("QAbstractSpinBox"))
            return true;
    return false;
}

/** Everything wrong with the window's layout as it stands, one line each. */
QStringList layoutFaults(QWidget &window)
{
    QStringList faults;
    QList<QWidget *> parents{&window};
    parents += window.findChildren<QWidget *>();
    for (QWidget *parent : parents) {
        if (parent != &window && (!shown(parent, &window) || insideComposite(parent, &window)))
            continue;
        if (qobject_cast<QAbstractScrollArea *>(parent) || parent->inherits("QComboBox") || parent->inherits("QTabBar")
            || parent->inherits("QToolBar") || parent->inherits("QMenuBar") || parent->inherits("QStatusBar"))
            continue;
        QList<QWidget *> children;
        for (QObject *o : parent->children())
            if (auto *c = qobject_cast<QWidget *>(o); c && shown(c, &window) && !c->objectName().startsWith(QLatin1String("qt_")))
                children << c;
        for (qsizetype i = 0; i < children.size(); ++i) {
            const QRect g = children[i]->geometry();
            if (!parent->rect().contains(g))
                faults << describe(children[i]) + QStringLiteral(" reaches out of ") + describe(parent);
            for (qsizetype j = i + 1; j < children.size(); ++j)
                if (g.intersects(children[j]->geometry()))
                    faults << describe(children[i]) + QStringLiteral(" overlaps ") + describe(children[j]);
        }
    }
    for (QAbstractButton *b : window.findChildren<QAbstractButton *>()) {
        if (!shown(b, &window) || insideComposite(b, &window) || b->text().isEmpty())
            continue;
        QString text = b->text();
        text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        int needed = b->fontMetrics().horizontalAdvance(text);
        if (qobject_cast<QPushButton *>(b))
            needed += 2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) - 2;
        else
            needed = b->sizeHint().width() - 2;
        if (needed > b->width())
            faults << describe(b) + QStringLiteral(" cuts its caption (needs %1)").arg(needed);
    }
    return faults;
}

/** The program's own controls of a window that carry no name. */
QStringList unnamedControls(QWidget &window)
{
    QStringList unnamed;
    for (QWidget *w : window.findChildren<QWidget *>())
        if (!w->isWindow() && !insideComposite(w, &window) && w->objectName().isEmpty())
            unnamed << describe(w);
    return unnamed;
}

class WindowGeometry : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(home.isValid());
        qputenv("VEXLO_HOME", home.path().toUtf8());
        state.services = {&messages, &dialogs, &shell, &clock, &random};
    }
    void TearDown() override { qunsetenv("VEXLO_HOME"); }

    /** Checks and saves the window at its default size, then at its minimum size. */
    void checkBothSizes(QWidget &window, const QString &name)
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        const QStringList atDefault = layoutFaults(window);
        EXPECT_TRUE(atDefault.isEmpty()) << name.toStdString() << " at its default size:\n"
                                         << atDefault.join(u'\n').toStdString();
        save(window, name + QStringLiteral("_default.png"));

        QSize smallest = window.minimumSize();
        if (smallest.isEmpty())
            smallest = window.minimumSizeHint();
        window.resize(smallest.expandedTo(window.minimumSizeHint()));
        QCoreApplication::processEvents();
        EXPECT_LE(window.width(), window.sizeHint().expandedTo(smallest).width() + 1) << name.toStdString();
        const QStringList atMinimum = layoutFaults(window);
        EXPECT_TRUE(atMinimum.isEmpty()) << name.toStdString() << " at its minimum size "
                                         << window.width() << "x" << window.height() << ":\n"
                                         << atMinimum.join(u'\n').toStdString();
        save(window, name + QStringLiteral("_minimum.png"));
    }

    static void save(QWidget &window, const QString &file)
    {
        const QString path = QDir(testfiles::artifactFolder()).filePath(file);
        EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
    }

    QTemporaryDir home;
    RecordingMessageService messages;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9))};
    FixedRandom random{{0.5f}};
    AppState state;
};

} // namespace

TEST_F(WindowGeometry, MainWindow)
{
    mainwin::frmMain w(state);
    w.Load();
    checkBothSizes(w, QStringLiteral("geometry_main"));
    w.close();
}

TEST_F(WindowGeometry, RenameWindowWithEveryPanel)
{
    renamewin::frmRenamer w(state);
    checkBothSizes(w, QStringLiteral("geometry_renamer"));
    // Each action's panel in turn, at the minimum size.
    for (int row = 0; row < w.List3->count(); ++row) {
        SCOPED_TRACE(w.List3->item(row)->text().toStdString());
        w.List3->setCurrentRow(row);
        QCoreApplication::processEvents();
        const QStringList faults = layoutFaults(w);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
    }
}

TEST_F(WindowGeometry, LogViewer)
{
    testfiles::writeFile(home.filePath(QStringLiteral("templog.log")),
                         "/tmp/ : a.txt : x_a.txt : Rename Successful\r\n/tmp/ : b.txt : x_b.txt : File already exists\r\n");
    renamewin::frmLog w;
    checkBothSizes(w, QStringLiteral("geometry_log"));
}

TEST_F(WindowGeometry, ReviewDialog)
{
    engine::PreviewTable grid;
    engine::PreviewRow row;
    row.Original = QStringLiteral("holiday 001.jpg");
    row.Preview = QStringLiteral("2024-05-09 holiday 001.jpg");
    row.Path = QStringLiteral("/home/user/Pictures/");
    grid.addRow(row);
    mainwin::frmRenDrop w(grid, messages);
    checkBothSizes(w, QStringLiteral("geometry_rendrop"));
    EXPECT_EQ(unnamedControls(w), QStringList());
    EXPECT_EQ(w.findChild<QLineEdit *>(QStringLiteral("txtModName")), w.txtModName);
}

TEST_F(WindowGeometry, SmallWindows)
{
    struct Case {
        const char *name;
        std::function<std::unique_ptr<QWidget>()> make;
    };
    const Case cases[] = {
        {"geometry_about", [this] { return std::make_unique<mainwin::frmAbout>(&shell); }},
        {"geometry_splash", [] { return std::make_unique<mainwin::frmSplash>(); }},
        {"geometry_pref", [this] {
             auto pref = std::make_unique<mainwin::frmPref>(state);
             pref->EnsureLoaded();
             return std::unique_ptr<QWidget>(std::move(pref));
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QWidget> w = c.make();
        checkBothSizes(*w, QString::fromLatin1(c.name));
        EXPECT_EQ(unnamedControls(*w), QStringList());
    }
}

TEST_F(WindowGeometry, TabWalksTheRenameWindowColumnByColumn)
{
    renamewin::frmRenamer w(state);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.List3->setCurrentRow(2);  // "Replace Mid": two boxes and a token combo
    w.List3->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), w.List3);

    QList<QWidget *> visited;
    for (int i = 0; i < 60 && (visited.isEmpty() || QApplication::focusWidget() != w.List3); ++i) {
        visited << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), w.List3) << "Tab does not come round";
    // Every stop is a control the user sees.
    for (QWidget *stop : visited)
        EXPECT_TRUE(stop->isVisible()) << describe(stop).toStdString();
    const auto at = [&](QWidget *control) { return visited.indexOf(control); };
    ASSERT_GE(at(w.Text12), 0);
    EXPECT_EQ(at(w.cmdUp), 1);
    EXPECT_EQ(at(w.cmdDown), 2);
    // The panel comes right after the action list's buttons, before the right column.
    EXPECT_EQ(at(w.Text12), 3);
    EXPECT_LT(at(w.Text12), at(w.Text13));
    EXPECT_LT(at(w.Text13), at(w.cmbMid));
    EXPECT_LT(at(w.cmbMid), at(w.Command1));
    const QList<QWidget *> rightAndBottom = {w.Command1,  w.cmdValidate, w.Command12, w.cmdPreview, w.cmdExecute,
                                             w.Command14, w.chkOnTop,    w.Command13, w.Combo1,     w.cmdRefresh,
                                             w.cmdClear,  w.cmdClose};
    for (qsizetype i = 1; i < rightAndBottom.size(); ++i)
        EXPECT_LT(at(rightAndBottom[i - 1]), at(rightAndBottom[i])) << describe(rightAndBottom[i]).toStdString();
    EXPECT_EQ(visited.last(), w.cmdClose);
}

TEST_F(WindowGeometry, ListsBookmarksAttributesAndConfigurations)
{
    mainwin::frmMain main(state);
    main.Load();
    renamewin::frmRenamer renamer(state);
    struct Case {
        const char *name;
        std::function<std::unique_ptr<QWidget>()> make;
    };
    const Case cases[] = {
        {"geometry_bookmarks", [this] { return std::make_unique<mainwin::frmBookmarks>(state); }},
        {"geometry_bname", [&] { return std::make_unique<mainwin::frmBName>(state, main); }},
        {"geometry_listman", [&] { return std::make_unique<mainwin::frmListMan>(state, main); }},
        {"geometry_attr", [&] { return std::make_unique<mainwin::frmAttr>(state, main); }},
        {"geometry_renlistman", [&] { return std::make_unique<settingsfiles::frmRenListMan>(renamer); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QWidget> w = c.make();
        checkBothSizes(*w, QString::fromLatin1(c.name));
        w->close();
    }
    main.close();
}

TEST_F(WindowGeometry, TokenPickers)
{
    renamewin::TokenPickers pickers(state);
    const std::pair<renamewin::PickerKind, const char *> kinds[] = {
        {renamewin::PickerKind::Time, "geometry_picker_time"},
        {renamewin::PickerKind::Date, "geometry_picker_date"},
        {renamewin::PickerKind::PictureDate, "geometry_picker_picturedate"},
        {renamewin::PickerKind::Random, "geometry_picker_random"},
        {renamewin::PickerKind::Exif, "geometry_picker_exif"},
        {renamewin::PickerKind::Mp3, "geometry_picker_mp3"},
    };
    for (const auto &[kind, name] : kinds) {
        SCOPED_TRACE(name);
        QWidget *picker = pickers.picker(kind);
        ASSERT_NE(picker, nullptr);
        checkBothSizes(*picker, QString::fromLatin1(name));
    }
}

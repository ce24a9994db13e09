// Pictures of the rename window after a validated preview, of the log viewer with one failed
// row and of the action panels, for a reviewer to look at; each also checked for what it shows.
#include "Grid.h"
#include "RenamerFixture.h"
#include "ShownWhole.h"
#include "frmLog.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QPainter>
#include <QListWidget>
#include <QTableView>

using namespace renamewintest;

class Screenshots : public RenamerFixture {};

TEST_F(Screenshots, RenameWindowAfterAValidatedPreview)
{
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
        addFile(QString::fromUtf8(name));
    renamewin::frmRenamer &w = window();
    w.Refreshrnm();
    w.show();
    clickActionCheck(6);
    ASSERT_EQ(w.List3->item(6)->checkState(), Qt::Checked);
    clickAction(6);
    chooseItem(w.cmbSuffix, w.cmbSuffix->itemText(0));
    clickCentre(w.cmdPreview);
    // One name left as it was and one taken twice: all three colours of the legend show.
    w.GridPre->setCellText(2, 2, QStringLiteral("b.txt"));
    w.GridPre->setCellText(4, 2, w.GridPre->CellText(3, 2));
    clickCentre(w.cmdValidate);
    EXPECT_EQ(w.GridPre->CellBackColor(1, 2), engine::cellcolor::Changed);
    EXPECT_EQ(w.GridPre->CellBackColor(2, 2), engine::cellcolor::Unchanged);
    EXPECT_EQ(w.GridPre->CellBackColor(3, 2), engine::cellcolor::Duplicate);
    EXPECT_EQ(w.GridPre->CellBackColor(4, 2), engine::cellcolor::Duplicate);

    w.show();
    w.GridPre->flush();
    const QString path = testfiles::artifactFolder() + "/renamewin_frmRenamer.png";
    ASSERT_TRUE(w.grab().save(path)) << path.toStdString();
}

TEST_F(Screenshots, LogViewerWithOneFailedRow)
{
    const QString log = home.path() + "/templog.log";
    testfiles::writeFile(log, "/home/user/Pictures/ : a.txt : a001.txt : Rename Successful\r\n"
                              "/home/user/Pictures/ : b.txt : c.txt : File already exists\r\n"
                              "/home/user/Pictures/ : c.txt : c003.txt : Rename Successful\r\n");
    renamewin::frmLog viewer(nullptr, log);
    ASSERT_EQ(viewer.GridLog->Rows(), 3u);
    EXPECT_EQ(viewer.GridLog->CellBackColor(2, 4), 255);
    viewer.show();
    const QString path = testfiles::artifactFolder() + "/renamewin_frmLog.png";
    ASSERT_TRUE(viewer.grab().save(path)) << path.toStdString();
}

TEST_F(Screenshots, TheThirteenPanels)
{
    renamewin::frmRenamer &w = window();
    w.show();
    // Each panel with its sub-frames shown where it has them, chosen as a user chooses them.
    for (engine::TokenAction action : {engine::TokenAction::ReplaceFirst, engine::TokenAction::Insert,
                                       engine::TokenAction::Compose, engine::TokenAction::Prefix}) {
        const auto &t = w.tokenControls(action);
        for (int row = 0; row < 13 && !t.combo->isVisible(); ++row)
            clickAction(row);
        const int item = action == engine::TokenAction::Insert   ? 1
                         : action == engine::TokenAction::Prefix ? t.combo->findText(QStringLiteral("$Random String$"))
                                                                 : 0;
        chooseItem(t.combo, t.combo->itemText(item));
    }
    const QSize cell = w.Frame6->size();
    QImage sheet(cell.width() * 4, cell.height() * 4, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    QList<QImage> pictures;
    for (int i = 0; i < 13; ++i) {
        clickAction(i);
        ASSERT_EQ(w.List3->currentRow(), i);
        SCOPED_TRACE(w.List3->item(i)->text().toStdString());
        // The panel of the row clicked is the one shown, whole, inside the frame.
        QGroupBox *shown = nullptr;
        for (QGroupBox *panel : w.panels())
            if (panel->isVisible())
                shown = panel;
        if (shown) {
            EXPECT_TRUE(QRect(QPoint(0, 0), w.Frame6->size()).contains(QRect(shown->mapTo(w.Frame6, QPoint(0, 0)), shown->size())));
            shownwhole::expectShownWhole(*shown);
        }
        const QPixmap picture = w.Frame6->grab();
        pictures << picture.toImage();
        painter.drawPixmap((i % 4) * cell.width(), (i / 4) * cell.height(), picture);
    }
    painter.end();
    // Every row shows a picture of its own.
    for (int i = 0; i < 13; ++i)
        for (int j = i + 1; j < 13; ++j)
            EXPECT_NE(pictures[i], pictures[j]) << w.List3->item(i)->text().toStdString() << " looks like "
                                                << w.List3->item(j)->text().toStdString();
    const QString path = testfiles::artifactFolder() + "/renamewin_panels.png";
    ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}

TEST_F(Screenshots, RenameWindowAtALargeSizeScalesItsTabPages)
{
    renamewin::frmRenamer &w = window();
    w.List3->setCurrentRow(0);
    w.show();
    QApplication::processEvents();
    const QSize design = w.size();
    QGroupBox *counter = w.frmReplaceC;
    ASSERT_NE(counter, nullptr);
    ASSERT_TRUE(w.SSTab1->isAncestorOf(counter)) << "the counter frame sits on a tab page";
    auto *start = counter->findChild<QLineEdit *>();
    ASSERT_NE(start, nullptr);
    QList<QLabel *> labels = counter->findChildren<QLabel *>();
    ASSERT_FALSE(labels.isEmpty());
    struct Seen {
        QRect frame, box, label, tab;
    };
    auto seen = [&] { return Seen{counter->geometry(), start->geometry(), labels.front()->geometry(), w.SSTab1->geometry()}; };
    const Seen before = seen();

    w.resize(1400, 950);
    QApplication::processEvents();
    const Seen after = seen();
    const double sx = 1400.0 / design.width();
    const double sy = 950.0 / design.height();
    struct Check {
        const char *what;
        QRect was, now;
    } checks[] = {{"tab control", before.tab, after.tab},
                  {"counter frame", before.frame, after.frame},
                  {"start box", before.box, after.box},
                  {"its label", before.label, after.label}};
    for (const Check &c : checks) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(c.now.width(), c.was.width() * sx, 3);
        EXPECT_NEAR(c.now.x(), c.was.x() * sx, 3);
        EXPECT_NEAR(c.now.height(), c.was.height() * sy, 3);
        EXPECT_NEAR(c.now.y(), c.was.y() * sy, 3);
    }
    EXPECT_TRUE(after.frame.contains(after.box)) << "the box stays inside its frame";
    const QString path = testfiles::artifactFolder() + "/renamewin_frmRenamer_1400x950.png";
    ASSERT_TRUE(w.grab().save(path)) << path.toStdString();

    // Back to the design size, back to the design geometry.
    w.resize(design);
    QApplication::processEvents();
    EXPECT_EQ(counter->geometry(), before.frame);
}

// The rename window's frame: its buttons, the on-top box, resizing, rename-drop files, and what
// happens while a long operation runs.
#include "Grid.h"
#include "RenameSettingsBody.h"
#include "RenamerFixture.h"
#include "TextFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTimer>

#include <functional>

using namespace renamewintest;

namespace {

class RenamerFrame : public RenamerFixture {
protected:
    /** Three files listed, the grid filled, "Suffix" "$Counter$" checked. */
    renamewin::frmRenamer &previewReady()
    {
        for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
            addFile(QString::fromUtf8(name));
        renamewin::frmRenamer &w = window();
        w.Refreshrnm();
        w.List3->item(6)->setCheckState(Qt::Checked);
        w.cmbSuffix->setEditText(QStringLiteral("$Counter$"));
        return w;
    }
    /** A left click at the middle of the button. */
    static void clickCentre(QWidget *button)
    {
        const QPointF at = QRectF(button->rect()).center();
        const QPointF global = button->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &release);
    }
    QStringList previews()
    {
        QStringList out;
        for (const engine::PreviewRow &row : window().previewRows().rows())
            out << row.Preview;
        return out;
    }
};

} // namespace

TEST_F(RenamerFrame, OnTopBoxExcludesTheOtherWindows)
{
    renamewin::frmRenamer &w = window();
    // The main window's side: its unticking sets the code to 0, as its handler does.
    int othersCleared = 0;
    QObject::connect(&w, &renamewin::frmRenamer::onTopChecked, [&] {
        ++othersCleared;
        app.TopMostWindow = 0;
    });
    app.TopMostWindow = 1;
    w.chkOnTop->setChecked(true);
    EXPECT_EQ(othersCleared, 1);
    EXPECT_EQ(app.TopMostWindow, 7);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);

    w.chkOnTop->setChecked(false);
    EXPECT_EQ(app.TopMostWindow, 0);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);

    // Cleared by another window that has recorded its own code first: the code stays.
    w.chkOnTop->setChecked(true);
    app.TopMostWindow = 1;
    w.chkOnTop->setChecked(false);
    EXPECT_EQ(app.TopMostWindow, 1);
}

TEST_F(RenamerFrame, StopExitFileSelectionAndTheDialogButtons)
{
    renamewin::frmRenamer &w = window();
    std::vector<std::string> asked;
    QObject::connect(&w, &renamewin::frmRenamer::fileSelectionRequested, [&] { asked.push_back("file selection"); });
    QObject::connect(&w, &renamewin::frmRenamer::manageRequested, [&] { asked.push_back("manage"); });
    QObject::connect(&w, &renamewin::frmRenamer::replaceOptionsRequested, [&] { asked.push_back("replace"); });
    QObject::connect(&w, &renamewin::frmRenamer::extensionReplaceRequested, [&] { asked.push_back("extension"); });
    w.Command14->click();
    w.Command1->click();
    w.Command2->click();
    w.Command3->click();
    EXPECT_EQ(asked, (std::vector<std::string>{"file selection", "manage", "replace", "extension"}));

    w.setProgressMax(10);
    w.setProgressValue(4);
    w.setStatus(QStringLiteral("Generating Preview..."));
    w.Command13->click();
    EXPECT_TRUE(app.StopFlag);
    EXPECT_EQ(w.ProgBar->value(), 0);
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Ready"));

    app.StopFlag = false;
    w.show();
    w.cmdClose->click();
    EXPECT_TRUE(app.StopFlag);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(app.RenamerLoaded, 1) << "hidden, still loaded";

    // The title bar cannot close the window; code can.
    w.show();
    QCloseEvent byUser;
    byUser.setAccepted(true);
    QApplication::sendEvent(&w, &byUser);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(RenamerFrame, ProgressBarRefusesValuesAboveItsMaximum)
{
    renamewin::frmRenamer &w = window();
    w.setProgressMax(3);
    w.setProgressValue(3);
    w.setProgressValue(4);
    EXPECT_EQ(w.progressValue(), 3.0f);
    EXPECT_EQ(w.ProgBar->value(), 3);
    w.setProgressValue(-1);
    EXPECT_EQ(w.progressValue(), 3.0f);

    // A maximum of 0 (a fill with no checked items) leaves an empty bar, not a busy indicator.
    w.setProgressMax(0);
    w.setProgressValue(0);
    EXPECT_LT(w.ProgBar->minimum(), w.ProgBar->maximum());
    EXPECT_EQ(w.ProgBar->value(), 0);
    w.setProgressValue(1);
    EXPECT_EQ(w.progressValue(), 0.0f);
}

TEST_F(RenamerFrame, ClearEmptiesThePreviewAndRenameNowThenRefuses)
{
    renamewin::frmRenamer &w = previewReady();
    w.cmdPreview_Click();
    ASSERT_TRUE(w.Previewed());
    EXPECT_EQ(previews(), QStringList({"a001.txt", "b002.txt", "c003.txt", "d004.txt"}));
    w.cmdClear->click();
    EXPECT_EQ(previews(), QStringList({"", "", "", ""}));
    EXPECT_FALSE(w.Previewed());
    const engine::RenameRunResult run = w.cmdExecute_Click();
    EXPECT_FALSE(run.started);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].prompt, QStringLiteral("Please Preview first,then Execute"));
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Renamer"));
    EXPECT_TRUE(QFileInfo::exists(folder() + "a.txt"));

    // On an empty grid "&Clear" only clears the flag.
    mainList.items.clear();
    w.Refreshrnm();
    w.cmdClear_Click();
    EXPECT_FALSE(w.Previewed());
}

TEST_F(RenamerFrame, ResizingScalesTheControlsAndKeepsTheHiddenColumns)
{
    renamewin::frmRenamer &w = window();
    w.show();
    w.resize(w.width() * 2, w.height() * 2);
    const int gridWidth = w.GridPre->width();
    EXPECT_EQ(gridWidth, 687 * 2);
    EXPECT_EQ(w.GridPre->x(), 3 * 2);
    EXPECT_EQ(w.GridPre->ColumnWidth(1), 672);  // 1374 / 2 - 15
    EXPECT_EQ(w.GridPre->ColumnWidth(2), 672);
    for (int c = 3; c <= 8; ++c) {
        EXPECT_FALSE(w.GridPre->ColumnVisible(c)) << c;
        EXPECT_EQ(w.GridPre->ColumnWidth(c), 0) << c;
    }
    EXPECT_EQ(w.cmdClose->geometry(), QRect(596 * 2, 634 * 2, 93 * 2, 22 * 2));
}

TEST_F(RenamerFrame, LongOperationsDisableWhatWouldChangeTheirRows)
{
    renamewin::frmRenamer &w = previewReady();
    w.setFramePeriod(0);  // acts between rows: every row gets its turn
    struct Seen {
        bool refresh, clear, sort, preview, validate, execute, editable;
    };
    std::vector<Seen> seen;
    bool acted = false;
    QObject::connect(w.ProgBar, &QProgressBar::valueChanged, [&](int value) {
        if (value != 2 || acted || !w.isRunning())
            return;
        acted = true;
        seen.push_back({w.cmdRefresh->isEnabled(), w.cmdClear->isEnabled(), w.Combo1->isEnabled(),
                        w.cmdPreview->isEnabled(), w.cmdValidate->isEnabled(), w.cmdExecute->isEnabled(),
                        w.GridPre->Editable()});
        // Asked meanwhile: a second preview and a clear are refused, a refresh waits.
        w.cmdPreview_Click();
        w.cmdClear_Click();
        w.Combo1->setCurrentIndex(1);
        w.Combo1_Click();
        w.Refreshrnm();
    });
    w.cmdPreview_Click();
    ASSERT_EQ(seen.size(), 1u);
    const Seen &s = seen[0];
    EXPECT_FALSE(s.refresh || s.clear || s.sort || s.preview || s.validate || s.execute || s.editable);
    EXPECT_TRUE(w.cmdRefresh->isEnabled() && w.cmdPreview->isEnabled() && w.GridPre->Editable());
    // The waiting refresh ran after the preview: fresh rows, nothing previewed.
    EXPECT_FALSE(w.Previewed());
    EXPECT_EQ(previews(), QStringList({"", "", "", ""}));
    EXPECT_EQ(w.previewRows().row(1).Original, QStringLiteral("a.txt"));
}

TEST_F(RenamerFrame, StopDuringAPreviewThenPreviewAgainFillsTheGrid)
{
    renamewin::frmRenamer &w = previewReady();
    w.setFramePeriod(0);  // acts between rows: every row gets its turn
    w.show();
    QCoreApplication::processEvents();
    // "STOP!" is clicked while the first row's turn of the message loop runs.
    bool stopClicked = false;
    const auto once = QObject::connect(w.ProgBar, &QProgressBar::valueChanged, [&](int value) {
        if (value == 1 && !stopClicked) {
            stopClicked = true;
            QMetaObject::invokeMethod(w.Command13, [&] { clickCentre(w.Command13); }, Qt::QueuedConnection);
        }
    });
    clickCentre(w.cmdPreview);
    QObject::disconnect(once);
    ASSERT_TRUE(stopClicked);
    EXPECT_EQ(previews(), QStringList({"a001.txt", "b002.txt", "", ""}));
    EXPECT_FALSE(w.Previewed());
    EXPECT_FALSE(app.StopFlag);

    clickCentre(w.cmdPreview);
    EXPECT_EQ(previews(), QStringList({"a001.txt", "b002.txt", "c003.txt", "d004.txt"}));
    EXPECT_TRUE(w.Previewed());
}

// A stop asked for while nothing runs stops nothing later: the next preview fills every row.
TEST_F(RenamerFrame, StopWhileIdleLeavesTheNextPreviewWhole)
{
    renamewin::frmRenamer &w = previewReady();
    w.show();
    QCoreApplication::processEvents();
    clickCentre(w.Command13);
    clickCentre(w.cmdPreview);
    EXPECT_EQ(previews(), QStringList({"a001.txt", "b002.txt", "c003.txt", "d004.txt"}));
    EXPECT_TRUE(w.Previewed());

    // Nor does one left from "E&xit" while idle, once the window is back.
    clickCentre(w.cmdClose);
    w.show();
    clickCentre(w.cmdClear);
    clickCentre(w.cmdPreview);
    EXPECT_EQ(previews(), QStringList({"a001.txt", "b002.txt", "c003.txt", "d004.txt"}));
    EXPECT_TRUE(w.Previewed());
}

TEST_F(RenamerFrame, LongRunsRepaintTheBarAndTurnTheLoopAboutOnceAFrameNotPerRow)
{
    const int count = 3000;
    for (int i = 0; i < count; ++i)
        addFile(QStringLiteral("f%1.txt").arg(i, 4, 10, QLatin1Char('0')));
    renamewin::frmRenamer &w = window();
    // A frame longer than any run, so that no count below depends on how fast this machine is:
    // each run turns the loop at its start and repaints the bar at its ends, and a turn or a
    // repaint that skips the pacing shows as one per row.
    w.setFramePeriod(60 * 60 * 1000);
    int repaints = 0;
    int turns = 0;
    QObject::connect(w.ProgBar, &QProgressBar::valueChanged, [&](int) { ++repaints; });
    // A timer due at once runs at every turn of the message loop.
    QTimer turn;
    turn.setInterval(0);
    QObject::connect(&turn, &QTimer::timeout, [&] { ++turns; });
    turn.start();
    for (const auto &run : std::initializer_list<std::function<void()>>{
             [&] { w.Refreshrnm(); },
             [&] {
                 w.List3->item(6)->setCheckState(Qt::Checked);
                 w.cmbSuffix->setEditText(QStringLiteral("$Counter$"));
                 w.cmdPreview_Click();
             },
             [&] { w.cmdValidate_Click(); }}) {
        repaints = turns = 0;
        run();
        // A bar repainted or a loop turned per row would count thousands.
        EXPECT_LT(repaints, count / 10);
        EXPECT_GE(turns, 1) << "the loop still turns";
        EXPECT_LT(turns, count / 10);
        EXPECT_EQ(w.ProgBar->value(), 0);
    }
    EXPECT_EQ(w.previewRows().Rows(), size_t(count));
    EXPECT_EQ(w.previewRows().row(count).Preview, QStringLiteral("f2999%1.txt").arg(count, 3, 10, QLatin1Char('0')));
}

TEST_F(RenamerFrame, APanelChangedDuringAPreviewAppliesToTheRowsThatFollow)
{
    renamewin::frmRenamer &w = previewReady();
    w.setFramePeriod(0);  // acts between rows: every row gets its turn
    QObject::connect(w.ProgBar, &QProgressBar::valueChanged, [&](int value) {
        if (value == 1)
            QMetaObject::invokeMethod(w.cmbSuffix, [&w] { w.cmbSuffix->setEditText(QStringLiteral("_x")); },
                                      Qt::QueuedConnection);
    });
    w.cmdPreview_Click();
    const QStringList names = previews();
    EXPECT_EQ(names.first(), QStringLiteral("a001.txt"));
    EXPECT_EQ(names.last(), QStringLiteral("d_x.txt"));
}

TEST_F(RenamerFrame, CreateRenameDropAndLoadItBack)
{
    renamewin::frmRenamer &w = window();
    const QString rnp = home.path() + "/set";
    w.List3->item(7)->setCheckState(Qt::Checked);
    w.List3->setCurrentRow(7);
    w.cmbPrefix->setEditText(QStringLiteral("x_"));
    w.txtPrefixC[2]->setText(QStringLiteral("5"));
    w.Option38->setChecked(true);
    const engine::RenameSettings saved = w.renameSettings();

    dialogs.answers = {rnp};
    w.Command12->click();
    EXPECT_EQ(dialogs.asked, QStringList({"Create Rename Drop"}));
    QStringList lines;
    ASSERT_TRUE(textfile::readLines(rnp + ".rnp", lines)) << "the extension is added";
    EXPECT_EQ(lines.size(), settingsfiles::BodyLineCount);
    EXPECT_EQ(lines[14], QStringLiteral("Prefix"));
    EXPECT_EQ(lines[15], QStringLiteral("True"));

    // Changed panels come back from the file.
    w.List3->item(7)->setCheckState(Qt::Unchecked);
    w.cmbPrefix->setEditText(QString());
    w.txtPrefixC[2]->setText(QStringLiteral("3"));
    w.Option37->setChecked(true);
    w.List3->setCurrentRow(0);
    const settingsfiles::LoadResult loaded = w.LoadRnp(rnp + ".rnp");
    ASSERT_TRUE(loaded) << loaded.reason.toStdString();
    EXPECT_EQ(w.renameSettings(), saved);
    EXPECT_EQ(w.List3->currentRow(), 7);
    EXPECT_FALSE(w.frmPrefix->isHidden());

    // A file that is not a settings body changes nothing.
    testfiles::writeFile(home.path() + "/bad.rnp", "Prefix\r\nTrue\r\n");
    w.cmbPrefix->setEditText(QStringLiteral("kept"));
    const settingsfiles::LoadResult refused = w.LoadRnp(home.path() + "/bad.rnp");
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.message, QStringLiteral("Invalid File"));
    EXPECT_EQ(w.cmbPrefix->currentText(), QStringLiteral("kept"));

    // A cancelled dialog writes nothing; a file that cannot be made is reported.
    dialogs.answers = {QString()};
    w.Command12_Click();
    EXPECT_TRUE(messages.shown.empty());
    dialogs.answers = {home.path() + "/missing/folder/x.rnp"};
    w.Command12_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Morvane"));
    EXPECT_EQ(messages.shown[0].prompt,
              "The rename drop file \"" + home.path() + "/missing/folder/x.rnp\" could not be saved: Path not found.");
}

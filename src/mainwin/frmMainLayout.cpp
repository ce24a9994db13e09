// The main window's controls and where they sit; the behaviour is in frmMain.cpp and
// frmMainFolders.cpp.
#include "frmMain.h"

#include "CommandBars.h"
#include "FolderTree.h"
#include "ListViewEditableWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace mainwin {

namespace {

template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton *button(const char *name, const QString &caption, const QString &toolTip, QWidget *parent)
{
    auto *b = named(new QPushButton(caption, parent), name);
    if (!toolTip.isEmpty())
        b->setToolTip(toolTip);
    return b;
}

} // namespace

void frmMain::buildControls()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Morvane"));
    CommandBars1 = new CommandBars(this);
    buildFileListMenu();

    auto *splitter = named(new QSplitter(Qt::Horizontal, this), "splitMain");
    splitter->addWidget(buildFolderPane());
    splitter->addWidget(buildListPane());
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    splitter->setChildrenCollapsible(false);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->addWidget(splitter, 1);
    layout->addWidget(buildBottomPane());
    setCentralWidget(central);
    buildStatusBar();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    // The hidden lists need no face.
    LVW = named(new filelist::ListViewEditable(this), "LVW");
    lvw3 = named(new filelist::ListViewEditable(this), "lvw3");
    resize(920, 690);
}

QWidget *frmMain::buildFolderPane()
{
    auto *pane = new QWidget(this);
    ftv = new FolderTree(pane);
    ftv->setMinimumWidth(180);
    Check6 = named(new QCheckBox(QStringLiteral("Multiple Folder Select Mode"), pane), "Check6");
    Check2 = named(new QCheckBox(QStringLiteral("&Search Subfolders"), pane), "Check2");
    Command2 = button("Command2", QStringLiteral("Re&fresh Folders"),
                      QStringLiteral("Click to Refresh folder view in case of addition/deletion of folder(s)."), pane);
    cmdStopSrch = button("cmdStopSrch", QStringLiteral("S&top Search"),
                         QStringLiteral("Click to Stop Searching the Subfolders."), pane);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command2);
    buttons->addWidget(cmdStopSrch);
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ftv, 1);
    layout->addWidget(Check6);
    layout->addWidget(Check2);
    layout->addLayout(buttons);
    layout->addLayout(buildBookmarkButtons(pane));
    return pane;
}

QWidget *frmMain::buildListPane()
{
    auto *pane = new QWidget(this);

    auto *typeLabel = new QLabel(QStringLiteral("File Type:"), pane);
    cmbFileType = named(new QComboBox(pane), "cmbFileType");
    cmbFileType->setEditable(true);
    cmbFileType->setInsertPolicy(QComboBox::NoInsert);
    cmbFileType->setMinimumWidth(150);
    typeLabel->setBuddy(cmbFileType);

    fraFilter = named(new QGroupBox(QStringLiteral("Filter Filenames"), pane), "fraFilter");
    txtFilter = named(new QLineEdit(fraFilter), "txtFilter");
    txtFilter->setToolTip(QStringLiteral("Filter select files"));
    txtFilter->setClearButtonEnabled(true);
    auto *filterLayout = new QHBoxLayout(fraFilter);
    filterLayout->setContentsMargins(6, 2, 6, 4);
    filterLayout->addWidget(txtFilter);

    Check1 = named(new QCheckBox(QStringLiteral("Check All"), pane), "Check1");
    Check1->setToolTip(QStringLiteral("Check all files in File view"));
    chkOnTop = named(new QCheckBox(QStringLiteral("On Top"), pane), "chkOnTop");
    chkOnTop->setToolTip(QStringLiteral("Select to make this window topmost."));

    auto *typeBox = new QVBoxLayout;
    typeBox->addWidget(typeLabel);
    typeBox->addWidget(cmbFileType);
    auto *checks = new QVBoxLayout;
    checks->addWidget(Check1);
    checks->addWidget(chkOnTop);
    auto *top = new QHBoxLayout;
    top->addLayout(typeBox);
    top->addWidget(fraFilter, 1);
    top->addLayout(checks);

    lvw2Widget = named(new filelist::ListViewEditableWidget(pane), "lvw2");
    lvw2 = &lvw2Widget->control();
    lvw2->setObjectName(QStringLiteral("lvw2"));

    txtPlot = named(new QLineEdit(QStringLiteral("0"), pane), "txtPlot");
    txtPlot->setReadOnly(true);
    txtPlot->setMaximumWidth(70);
    txtPlot->setAlignment(Qt::AlignRight);
    Label4 = named(new QLabel(QStringLiteral("items"), pane), "Label4");
    auto *count = new QHBoxLayout;
    count->addStretch();
    count->addWidget(txtPlot);
    count->addWidget(Label4);

    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(lvw2Widget, 1);
    layout->addLayout(count);
    return pane;
}

QWidget *frmMain::buildBottomPane()
{
    auto *pane = new QWidget(this);
    Text2 = named(new QPlainTextEdit(pane), "Text2");
    Text2->setReadOnly(true);
    Text2->setMaximumHeight(92);
    Text2->setLineWrapMode(QPlainTextEdit::NoWrap);

    cmdRename = button("cmdRename", QStringLiteral("&Rename"), QStringLiteral("Click to bring up the Renamer Window"), pane);
    QFont bold = cmdRename->font();
    bold.setBold(true);
    cmdRename->setFont(bold);
    cmdRename->setMinimumHeight(40);
    Command1 = button("Command1", QStringLiteral("&Attributes"), QStringLiteral("Click to Change Attributes."), pane);
    Command8 = button("Command8", QStringLiteral("Filelists"), QString(), pane);
    cmdPref = button("cmdPref", QStringLiteral("Preferences"), QString(), pane);
    cmdQuit = button("cmdQuit", QStringLiteral("&Quit"), QStringLiteral("Click to Exit "), pane);

    auto *buttons = new QGridLayout;
    buttons->addWidget(cmdRename, 0, 0, 2, 1);
    buttons->addWidget(Command1, 0, 1);
    buttons->addWidget(Command8, 1, 1);
    buttons->addWidget(cmdPref, 0, 2);
    buttons->addWidget(cmdQuit, 1, 2);
    buttons->setColumnMinimumWidth(0, 120);

    auto *layout = new QHBoxLayout(pane);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(Text2, 1);
    layout->addLayout(buttons);
    return pane;
}

void frmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    Label10 = named(new QLabel(QStringLiteral("Ready"), bar), "Label10");
    Label10->setMinimumWidth(160);
    ProgBarM = named(new QProgressBar(bar), "ProgBarM");
    ProgBarM->setRange(0, 0);
    ProgBarM->setMaximum(100);
    ProgBarM->setValue(0);
    ProgBarM->setTextVisible(false);
    ProgBarM->setMaximumHeight(14);
    ProgBarM->setMinimumWidth(200);
    Label17 = named(new QLabel(QStringLiteral("Contact Us"), bar), "Label17");
    Label17->setProperty("Tag", QStringLiteral("https://morvane.example.org/contact"));
    Label17->setCursor(Qt::PointingHandCursor);
    QFont link = Label17->font();
    link.setUnderline(true);
    Label17->setFont(link);
    Label1 = named(new QLabel(bar), "Label1");
    Label1->setMinimumWidth(170);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addWidget(Label10);
    bar->addWidget(ProgBarM, 1);
    bar->addPermanentWidget(Label17);
    bar->addPermanentWidget(Label1);
}

} // namespace mainwin

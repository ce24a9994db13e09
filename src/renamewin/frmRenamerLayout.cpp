// The rename window's frame and the token fields of its panels, from their design geometry, and
// the window's fit on its screen.
#include "DragListBox.h"
#include "FramedPlacement.h"
#include "Grid.h"
#include "PickerTokens.h"
#include "frmRenamer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QTextDocument>

namespace renamewin {

namespace {

using engine::TokenAction;

// The names of each token action's controls, index by TokenAction.
struct TokenNames {
    const char *combo;      // the token combo (none on the tab panels)
    const char *frameStem;  // + "C", "A", "R": the sub-frames
    const char *boxStem;    // + "C", "A": the counter and alpha-counter box arrays
    const char *caseName;   // the case option pair
    const char *mask;       // the random mask box
    const char *help;       // the mask letters' help box
    const char *test;       // the Test button
    bool longList;          // the combo lists the three case words too
};

constexpr TokenNames TokenNameTable[engine::TokenActionCount] = {
    {"cmbFirst", "frmFirst", "txtFirst", "OptFACase", "Text50", "Text51(0)", "Command4", true},
    {"cmbMid", "frmMid", "txtMid", "OptMACase", "Text53", "Text51(1)", "Command5", true},
    {"cmbLast", "frmLast", "txtLast", "OptLACase", "Text55", "Text51(2)", "Command6", true},
    {"cmbAll", "frmReplaceAll", "txtAll", "OptAACase", "Text56", "Text57", "Command7", true},
    {"cmbInsertS", "frmInsert", "txtInsert", "OptIACase", "Text59", "Text58", "Command8", false},
    {"cmbSuffix", "frmSuffix", "txtSuffix", "OptSACase", "Text61", "Text60", "Command9", false},
    {"cmbPrefix", "frmPrefix", "txtPrefix", "OptPACase", "Text62", "Text63", "Command10", false},
    {nullptr, "frmExt", "txtExt", "OptEACase", nullptr, nullptr, nullptr, false},
    {nullptr, "frmReplace", "txtReplace", "OptRACase", nullptr, nullptr, nullptr, false},
    {"cmbCompose", "frmCompose", "txtCompose", "OptComACase", "Text3", "Text2", "Command11", false},
};

const QString &MaskHelp = maskLegend();
const QString InsertMaskHelp = QStringLiteral(
    "A : Capital Alphabet ;# : A Digit\na : Small Alphabet ; N : Alphanumeric Character.\n"
    "H : Hexadecimal Character.\n");

// The labels and box order of the two counter sub-frames: row by row, left then right.
struct BoxPlace {
    const char *label;
    int box;  // element of the box array
};
constexpr BoxPlace CounterPlaces[6] = {{"Start from", 0}, {"with step", 1}, {"Pad to", 2},
                                       {"characters with", 3}, {"Prefix:", 4}, {"Suffix:", 5}};
constexpr BoxPlace AlphaPlaces[6] = {{"Start from", 0}, {"with step", 1}, {"Prefix:", 2},
                                     {"Suffix:", 3}, {"Pad to", 4}, {"characters with", 5}};
constexpr const char *CounterDefaults[6] = {"1", "1", "3", "0", "", ""};
constexpr const char *AlphaDefaults[6] = {"A", "1", "", "", "3", "0"};

QString element(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace

void frmRenamer::buildFrame()
{
    FormLayout &f = m_layout;
    List3 = f.place(new DragListBox, this, QStringLiteral("List3"), {150, 45, 2880, 2970});
    cmdUp = f.button(this, QStringLiteral("cmdUp"), QStringLiteral("Move Up"), {135, 3015, 825, 330});
    cmdDown = f.button(this, QStringLiteral("cmdDown"), QStringLiteral("Move Down"), {2010, 3015, 1025, 330});
    // The arrows show only where the caption leaves them room.
    for (QPushButton *arrow : {cmdUp, cmdDown}) {
        arrow->setIcon(style()->standardIcon(arrow == cmdUp ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown));
        arrow->setIconSize(QSize(10, 10));
        if (arrow->sizeHint().width() > arrow->width())
            arrow->setIcon(QIcon());
    }
    Label10[18] = f.label(this, QStringLiteral("Label10(18)"),
                          QStringLiteral("(Change order also by dragging with mouse.)"),
                          {105, 3360, 3165, 240});
    Label10[18]->setWordWrap(false);
    {
        QFont hint = Label10[18]->font();
        hint.setPointSizeF(hint.pointSizeF() - 1);
        Label10[18]->setFont(hint);
        QPalette grey = Label10[18]->palette();
        grey.setColor(QPalette::WindowText, grey.color(QPalette::Disabled, QPalette::WindowText));
        Label10[18]->setPalette(grey);
    }

    Frame6 = f.frame(this, QStringLiteral("Frame6"), QString(), {3300, 0, 4920, 3960});
    Frame5 = f.frame(this, QStringLiteral("Frame5"), QString(), {8430, 0, 1965, 2205});
    Command1 = f.button(Frame5, QStringLiteral("Command1"), QStringLiteral("&Manage"), {150, 120, 1680, 330});
    cmdValidate = f.button(Frame5, QStringLiteral("cmdValidate"), QStringLiteral("&Validate"), {150, 465, 1680, 330});
    Command12 = f.button(Frame5, QStringLiteral("Command12"), QStringLiteral("Create Rename &drop"), {150, 870, 1680, 345});
    cmdPreview = f.button(Frame5, QStringLiteral("cmdPreview"), QStringLiteral("&Preview"), {150, 1260, 1680, 375});
    cmdExecute = f.button(Frame5, QStringLiteral("cmdExecute"), QStringLiteral("&Rename Now!"), {150, 1680, 1680, 420});
    for (QPushButton *bold : {cmdPreview, cmdExecute}) {
        QFont font = bold->font();
        font.setBold(true);
        bold->setFont(font);
    }
    cmdExecute->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));

    Command14 = f.button(this, QStringLiteral("Command14"), QStringLiteral("&File Selection"), {8535, 2340, 1755, 465});
    chkOnTop = f.check(this, QStringLiteral("chkOnTop"), QStringLiteral("On Top"), {9315, 2925, 1140, 195});
    chkOnTop->setToolTip(QStringLiteral("Select to make this window topmost."));
    Command13 = f.button(this, QStringLiteral("Command13"), QStringLiteral("&STOP!"), {8340, 3210, 795, 705});

    Frame8 = f.frame(this, QStringLiteral("Frame8"), QString(), {9285, 3165, 1065, 795});
    struct Legend {
        QLabel *frmRenamer::*label;
        const char *name;
        const char *caption;
        uint32_t color;
        int top;
    };
    const Legend legends[] = {
        {&frmRenamer::lblLegendOK, "lblLegendOK", "OK", engine::cellcolor::Changed, 90},
        {&frmRenamer::lblLegendDuplicate, "lblLegendDuplicate", "Duplicate", engine::cellcolor::Duplicate, 330},
        {&frmRenamer::lblLegendNotChanged, "lblLegendNotChanged", "Not Changed", engine::cellcolor::Unchanged, 570},
    };
    for (const Legend &l : legends) {
        QLabel *label = f.label(Frame8, QLatin1String(l.name), QLatin1String(l.caption), {30, l.top, 1005, 210});
        QFont small = label->font();
        small.setPointSizeF(small.pointSizeF() - 1);
        label->setFont(small);
        label->setAutoFillBackground(true);
        label->setWordWrap(false);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Grid::toQColor(l.color));
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        label->setAlignment(Qt::AlignCenter);
        this->*l.label = label;
    }

    Combo1 = f.combo(this, QStringLiteral("Combo1"), {}, false, {15, 3645, 2640, 315});
    GridPre = f.place(new Grid, this, QStringLiteral("GridPre"), {45, 3975, 10305, 5145});
    lblStatus = f.label(this, QStringLiteral("lblStatus"), QString(), {120, 9150, 2775, 330});
    cmdRefresh = f.button(this, QStringLiteral("cmdRefresh"), QStringLiteral("R&efresh"), {3075, 9150, 1215, 270});
    Label1 = f.label(this, QStringLiteral("Label1"), QString(), {4425, 9150, 1950, 285});
    Label10[21] = f.label(this, QStringLiteral("Label10(21)"),
                          QStringLiteral("(Double click to manually rename)"), {6465, 9195, 2520, 195});
    Label10[21]->setWordWrap(false);
    {
        QFont hint = Label10[21]->font();
        hint.setPointSizeF(hint.pointSizeF() - 1);
        Label10[21]->setFont(hint);
    }
    cmdClear = f.button(this, QStringLiteral("cmdClear"), QStringLiteral("&Clear"), {9120, 9165, 1215, 270});
    ProgBar = f.place(new QProgressBar, this, QStringLiteral("ProgBar"), {120, 9540, 8370, 315});
    ProgBar->setTextVisible(false);
    cmdClose = f.button(this, QStringLiteral("cmdClose"), QStringLiteral("E&xit"), {8940, 9510, 1395, 330});

    List4 = new QListWidget(this);
    List4->setObjectName(QStringLiteral("List4"));
    List4->hide();
    lstExif = new QListWidget(this);
    lstExif->setObjectName(QStringLiteral("lstExif"));
    lstExif->setToolTip(QStringLiteral("Double Click to change"));
    lstExif->hide();
    txtEdit = new QLineEdit(this);
    txtEdit->setObjectName(QStringLiteral("txtEdit"));
    txtEdit->setFrame(false);
    txtEdit->hide();
}

void frmRenamer::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // Larger by design than a small screen: it is made to fit, frame included.
    common::FitOnScreen(this);
}

QSize frmRenamer::minimumSizeHint() const
{
    return m_layout.designSize();
}

void frmRenamer::buildCounterFrames(engine::TokenAction action, QWidget *counterParent,
                                    QWidget *alphaParent, Twips at)
{
    FormLayout &f = m_layout;
    const TokenNames &names = TokenNameTable[size_t(action)];
    TokenControls &t = m_tokens[size_t(action)];
    const QString stem = QLatin1String(names.frameStem);
    const QString boxStem = QLatin1String(names.boxStem);

    t.counterFrame = f.frame(counterParent, stem + u'C', QString(), at);
    t.alphaFrame = f.frame(alphaParent, stem + u'A', QString(), at);
    const std::string counterBoxes = (boxStem + u'C').toStdString();
    const std::string alphaBoxes = (boxStem + u'A').toStdString();
    for (int i = 0; i < 6; ++i) {
        // Two columns of label and box: 900 + 660 twips on the left, 1350 + 660 on the right.
        const int top = 210 + (i / 2) * 345;
        const bool right = i % 2 == 1;
        const Twips labelAt{right ? 1800 : 90, top + 30, right ? 1350 : 900, 255};
        const Twips boxAt{right ? 3180 : 1020, top, 660, 285};
        const BoxPlace &c = CounterPlaces[i];
        f.label(t.counterFrame, QString(), QLatin1String(c.label), labelAt);
        t.counterBoxes[size_t(c.box)] = f.text(t.counterFrame, element(counterBoxes.c_str(), c.box),
                                               QLatin1String(CounterDefaults[c.box]), boxAt);
        const BoxPlace &a = AlphaPlaces[i];
        f.label(t.alphaFrame, QString(), QLatin1String(a.label), labelAt);
        t.alphaBoxes[size_t(a.box)] = f.text(t.alphaFrame, element(alphaBoxes.c_str(), a.box),
                                             QLatin1String(AlphaDefaults[a.box]), boxAt);
    }
    auto *line = f.place(new QFrame, t.alphaFrame, QString(), {90, 1230, 3930, 15});
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QGroupBox *caseFrame = f.frame(t.alphaFrame, element("Frame1", int(action)), QString(), {90, 1260, 3930, 270});
    caseFrame->setFlat(true);
    Frame1[size_t(action)] = caseFrame;
    const std::string caseName = names.caseName;
    t.caseOptions[0] = f.option(caseFrame, element(caseName.c_str(), 0), QStringLiteral("Uppercase"), {60, 15, 1600, 240});
    t.caseOptions[1] = f.option(caseFrame, element(caseName.c_str(), 1), QStringLiteral("Lowercase"), {1980, 15, 1600, 240});
}

void frmRenamer::buildRandomFrame(engine::TokenAction action, QWidget *parent, Twips at)
{
    FormLayout &f = m_layout;
    const TokenNames &names = TokenNameTable[size_t(action)];
    TokenControls &t = m_tokens[size_t(action)];
    t.randomFrame = f.frame(parent, QLatin1String(names.frameStem) + u'R', QString(), at);
    f.label(t.randomFrame, QString(), QStringLiteral("Mask String:"), {120, 270, 1080, 255});
    t.mask = f.text(t.randomFrame, QLatin1String(names.mask), QStringLiteral("AAaa##"), {1260, 240, 1500, 285});
    t.test = f.button(t.randomFrame, QLatin1String(names.test), QStringLiteral("Test"), {2880, 210, 900, 345});
    t.help = f.memo(t.randomFrame, QLatin1String(names.help),
                    action == TokenAction::Insert ? InsertMaskHelp : MaskHelp,
                    {120, 600, 3870, 930});
    t.help->setReadOnly(true);
    t.help->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t.help->document()->setDocumentMargin(2);
    t.help->setFrameShape(QFrame::NoFrame);
    QPalette face = t.help->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    t.help->setPalette(face);
    QFont small = t.help->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    t.help->setFont(small);
}

void frmRenamer::buildTokenField(engine::TokenAction action, QWidget *parent, Twips comboAt,
                                 Twips framesAt)
{
    const TokenNames &names = TokenNameTable[size_t(action)];
    TokenControls &t = m_tokens[size_t(action)];
    t.combo = m_layout.combo(parent, QLatin1String(names.combo),
                             names.longList ? longTokenItems() : shortTokenItems(), true, comboAt);
    buildCounterFrames(action, parent, parent, framesAt);
    buildRandomFrame(action, parent, framesAt);
    t.counterFrame->hide();
    t.alphaFrame->hide();
    t.randomFrame->hide();
}

} // namespace renamewin

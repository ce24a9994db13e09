// The thirteen action panels of the rename window, stacked in Frame6.
#include "DragListBox.h"
#include "frmRenamer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>

namespace renamewin {

namespace {

using engine::TokenAction;

// Every panel lies at the same place in Frame6.
constexpr Twips PanelAt{60, 225, 4785, 3660};
// Where the sub-frames lie under a token combo.
constexpr int SubFrameWidth = 4110;
constexpr int SubFrameHeight = 1560;

Twips framesAt(int top)
{
    return {120, top, SubFrameWidth, SubFrameHeight};
}

QString label10(int element)
{
    return QStringLiteral("Label10(%1)").arg(element);
}

} // namespace

void frmRenamer::buildPanels()
{
    buildReplacePanels();
    buildInsertPanel();
    buildAffixPanels();
    buildLengthCasePanels();
    buildExtensionPanel();
    buildCleanPanel();
    buildComposePanel();
    Text51 = {m_tokens[size_t(TokenAction::ReplaceFirst)].help,
              m_tokens[size_t(TokenAction::ReplaceMid)].help,
              m_tokens[size_t(TokenAction::ReplaceLast)].help};
}

void frmRenamer::buildReplacePanels()
{
    FormLayout &f = m_layout;
    frmReplace = f.frame(Frame6, QStringLiteral("frmReplace"), QStringLiteral("Replace"), PanelAt);
    Command2 = f.button(frmReplace, QStringLiteral("Command2"), QStringLiteral("Replace Options"), {240, 360, 1800, 375});
    SSTab1 = f.place(new QTabWidget, frmReplace, QStringLiteral("SSTab1"), {120, 840, 4545, 2010});
    auto *counterTab = new QWidget;
    auto *alphaTab = new QWidget;
    SSTab1->addTab(counterTab, QStringLiteral("Numeric Counter"));
    SSTab1->addTab(alphaTab, QStringLiteral("Alpha Counter"));
    buildCounterFrames(TokenAction::Replace, counterTab, alphaTab, {45, 15, SubFrameWidth, SubFrameHeight});

    frmReplaceFirst = f.frame(Frame6, QStringLiteral("frmReplaceFirst"), QStringLiteral("Replace First Characters"), PanelAt);
    Label10[3] = f.label(frmReplaceFirst, label10(3), QStringLiteral("Replace First"), {120, 420, 1100, 255});
    Text1 = f.text(frmReplaceFirst, QStringLiteral("Text1"), QStringLiteral("3"), {1260, 390, 600, 285});
    Label10[4] = f.label(frmReplaceFirst, label10(4), QStringLiteral("characters, with"), {1950, 420, 1800, 255});
    buildTokenField(TokenAction::ReplaceFirst, frmReplaceFirst, {120, 840, 4110, 315}, framesAt(1290));

    frmReplaceMid = f.frame(Frame6, QStringLiteral("frmReplaceMid"), QStringLiteral("Replace Mid Characters"), PanelAt);
    Label10[6] = f.label(frmReplaceMid, label10(6), QStringLiteral("Replace"), {120, 420, 660, 255});
    Text12 = f.text(frmReplaceMid, QStringLiteral("Text12"), QStringLiteral("3"), {780, 390, 450, 285});
    Label10[7] = f.label(frmReplaceMid, label10(7), QStringLiteral("characters starting at position"), {1290, 420, 2580, 255});
    Text13 = f.text(frmReplaceMid, QStringLiteral("Text13"), QStringLiteral("3"), {3900, 390, 450, 285});
    Label10[9] = f.label(frmReplaceMid, label10(9), QStringLiteral("with"), {120, 870, 450, 255});
    buildTokenField(TokenAction::ReplaceMid, frmReplaceMid, {600, 840, 3630, 315}, framesAt(1290));

    frmReplaceLast = f.frame(Frame6, QStringLiteral("frmReplaceLast"), QStringLiteral("Replace Last Characters"), PanelAt);
    Label10[10] = f.label(frmReplaceLast, label10(10), QStringLiteral("Replace Last"), {120, 420, 1100, 255});
    Text14 = f.text(frmReplaceLast, QStringLiteral("Text14"), QStringLiteral("3"), {1260, 390, 600, 285});
    Label10[11] = f.label(frmReplaceLast, label10(11), QStringLiteral("characters"), {1950, 420, 1000, 255});
    Label10[12] = f.label(frmReplaceLast, label10(12), QStringLiteral("with"), {120, 870, 450, 255});
    buildTokenField(TokenAction::ReplaceLast, frmReplaceLast, {600, 840, 3630, 315}, framesAt(1290));

    frmReplaceAll = f.frame(Frame6, QStringLiteral("frmReplaceAll"), QStringLiteral("Replace All"), PanelAt);
    Label10[54] = f.label(frmReplaceAll, label10(54), QStringLiteral("Replace All Characters  with"), {120, 420, 3000, 255});
    buildTokenField(TokenAction::ReplaceAll, frmReplaceAll, {120, 780, 4110, 315}, framesAt(1290));
}

void frmRenamer::buildInsertPanel()
{
    FormLayout &f = m_layout;
    frmInsert = f.frame(Frame6, QStringLiteral("frmInsert"), QStringLiteral("Insert Strings"), PanelAt);
    Label10[41] = f.label(frmInsert, label10(41), QStringLiteral("Insert"), {120, 330, 600, 255});
    cmbInsert = f.combo(frmInsert, QStringLiteral("cmbInsert"),
                        {QStringLiteral("At Position From Start"), QStringLiteral("At Position From End"),
                         QStringLiteral("Before Existing String"), QStringLiteral("After Existing String"),
                         QStringLiteral("Between Two Strings")},
                        false, {720, 270, 3510, 315});

    frmInsPos = f.frame(frmInsert, QStringLiteral("frmInsPos"), QStringLiteral("Position:"), {120, 630, 4545, 780});
    Text38 = f.text(frmInsPos, QStringLiteral("Text38"), QStringLiteral("1"), {120, 330, 900, 285});
    frmInsStr1 = f.frame(frmInsert, QStringLiteral("frmInsStr1"), QStringLiteral("Insert"), {120, 630, 4545, 780});
    Text43 = f.text(frmInsStr1, QStringLiteral("Text43"), QStringLiteral("a"), {120, 330, 2400, 285});
    Check2 = f.check(frmInsStr1, QStringLiteral("Check2"), QStringLiteral("Match Case"), {2700, 345, 1500, 255});
    frmInsStr2 = f.frame(frmInsert, QStringLiteral("frmInsStr2"), QString(), {120, 630, 4545, 780});
    Label10[15] = f.label(frmInsStr2, label10(15), QStringLiteral("First:"), {120, 210, 540, 255});
    Text44 = f.text(frmInsStr2, QStringLiteral("Text44"), QStringLiteral("a"), {660, 180, 1050, 285});
    Label10[47] = f.label(frmInsStr2, label10(47), QStringLiteral(",Second:"), {1800, 210, 720, 255});
    Text45 = f.text(frmInsStr2, QStringLiteral("Text45"), QStringLiteral("a"), {2520, 180, 1050, 285});
    Check1 = f.check(frmInsStr2, QStringLiteral("Check1"), QStringLiteral("Match Case"), {120, 495, 1500, 255});
    for (QGroupBox *modeFrame : {frmInsPos, frmInsStr1, frmInsStr2})
        modeFrame->hide();

    Frame2 = f.frame(frmInsert, QStringLiteral("Frame2"), QStringLiteral("String to Insert:"), {120, 1425, 4545, 2190});
    buildTokenField(TokenAction::Insert, Frame2, {120, 240, 4110, 315}, {120, 600, SubFrameWidth, SubFrameHeight});
}

void frmRenamer::buildAffixPanels()
{
    FormLayout &f = m_layout;
    frmSuffix = f.frame(Frame6, QStringLiteral("frmSuffix"), QStringLiteral("Add Suffix"), PanelAt);
    Label10[17] = f.label(frmSuffix, label10(17), QStringLiteral("Suffix filenames with:"), {120, 420, 3000, 255});
    buildTokenField(TokenAction::Suffix, frmSuffix, {120, 780, 4110, 315}, framesAt(1290));

    frmPrefix = f.frame(Frame6, QStringLiteral("frmPrefix"), QStringLiteral("Add Prefix"), PanelAt);
    Label10[16] = f.label(frmPrefix, label10(16), QStringLiteral("Prefix filenames with:"), {120, 420, 3000, 255});
    buildTokenField(TokenAction::Prefix, frmPrefix, {120, 780, 4110, 315}, framesAt(1290));
}

void frmRenamer::buildLengthCasePanels()
{
    FormLayout &f = m_layout;
    frmLength = f.frame(Frame6, QStringLiteral("frmLength"), QStringLiteral("Make all filenames same length"), PanelAt);
    Label10[40] = f.label(frmLength, label10(40), QStringLiteral("Length:"), {120, 420, 700, 255});
    cmbLength = f.combo(frmLength, QStringLiteral("cmbLength"),
                        {QStringLiteral("=Longest Original Filename Length"),
                         QStringLiteral("=Shortest Original Filename Length"),
                         QStringLiteral("=Longest Modified Filename Length"),
                         QStringLiteral("=Shortest Modified Filename Length")},
                        true, {840, 375, 3390, 315});
    cmbLength->setEditText(QStringLiteral("Enter File Length"));
    frmLengthOpt = f.frame(frmLength, QStringLiteral("frmLengthOpt"), QString(), {120, 780, 4545, 2760});
    Option1 = f.option(frmLengthOpt, QStringLiteral("Option1"), QStringLiteral("Take Characters from the beginning"), {120, 150, 4200, 255});
    Option2 = f.option(frmLengthOpt, QStringLiteral("Option2"), QStringLiteral("Take Characters from the end"), {120, 465, 4200, 255});
    Option3 = f.option(frmLengthOpt, QStringLiteral("Option3"), QStringLiteral("Take Characters starting at position"), {120, 780, 3600, 255});
    Text37 = f.text(frmLengthOpt, QStringLiteral("Text37"), QStringLiteral("1"), {3780, 750, 600, 285});
    Frame4 = f.frame(frmLengthOpt, QStringLiteral("Frame4"), QStringLiteral("Padding"), {120, 1170, 4305, 1440});
    Option19 = f.option(Frame4, QStringLiteral("Option19"), QStringLiteral("Pad at the beginning with:"), {120, 360, 2700, 255});
    Text18 = f.text(Frame4, QStringLiteral("Text18"), QStringLiteral("0"), {2880, 330, 450, 285});
    Option20 = f.option(Frame4, QStringLiteral("Option20"), QStringLiteral("Pad at the end with:"), {120, 840, 2700, 255});
    Text19 = f.text(Frame4, QStringLiteral("Text19"), QStringLiteral("0"), {2880, 810, 450, 285});

    frmCase = f.frame(Frame6, QStringLiteral("frmCase"), QStringLiteral("Change Case"), PanelAt);
    Option37 = f.option(frmCase, QStringLiteral("Option37"), QStringLiteral("Change to Upper Case"), {360, 540, 3600, 255});
    Option38 = f.option(frmCase, QStringLiteral("Option38"), QStringLiteral("Change to Lower Case"), {360, 960, 3600, 255});
    Option39 = f.option(frmCase, QStringLiteral("Option39"), QStringLiteral("Invert Case"), {360, 1380, 3600, 255});
}

void frmRenamer::buildExtensionPanel()
{
    FormLayout &f = m_layout;
    frmExtension = f.frame(Frame6, QStringLiteral("frmExtension"), QStringLiteral("Change Extension"), PanelAt);
    Option42 = f.option(frmExtension, QStringLiteral("Option42"), QStringLiteral("Change to Upper Case"), {240, 360, 3600, 255});
    Option41 = f.option(frmExtension, QStringLiteral("Option41"), QStringLiteral("Change to LowerCase"), {240, 660, 3600, 255});
    Option40 = f.option(frmExtension, QStringLiteral("Option40"), QStringLiteral("Invert Case"), {240, 960, 3600, 255});
    Option43 = f.option(frmExtension, QStringLiteral("Option43"), QString(), {240, 1290, 300, 255});
    Command3 = f.button(frmExtension, QStringLiteral("Command3"), QStringLiteral("Replace With"), {600, 1230, 1800, 375});
    SSTab2 = f.place(new QTabWidget, frmExtension, QStringLiteral("SSTab2"), {120, 1620, 4545, 1980});
    auto *counterTab = new QWidget;
    auto *alphaTab = new QWidget;
    SSTab2->addTab(counterTab, QStringLiteral("Numeric Counter"));
    SSTab2->addTab(alphaTab, QStringLiteral("Alpha Counter"));
    buildCounterFrames(TokenAction::Extension, counterTab, alphaTab, {45, 15, SubFrameWidth, SubFrameHeight});
}

void frmRenamer::buildCleanPanel()
{
    FormLayout &f = m_layout;
    frmClean = f.frame(Frame6, QStringLiteral("frmClean"), QStringLiteral("Clean Filename"), PanelAt);
    Label10[49] = f.label(frmClean, label10(49), QStringLiteral("Remove"), {120, 300, 800, 255});
    chkCAlpha = f.check(frmClean, QStringLiteral("chkCAlpha"), QStringLiteral("Capital Letters"), {120, 570, 1680, 255});
    chkSAlpha = f.check(frmClean, QStringLiteral("chkSAlpha"), QStringLiteral("Small Letters"), {1920, 570, 1680, 255});
    chkVowel = f.check(frmClean, QStringLiteral("chkVowel"), QStringLiteral("Vowels"), {120, 840, 1680, 255});
    chkDigit = f.check(frmClean, QStringLiteral("chkDigit"), QStringLiteral("Digits"), {1920, 840, 1680, 255});
    Check12 = f.check(frmClean, QStringLiteral("Check12"), QStringLiteral("Remove any unwanted Special Characters:"), {120, 1125, 4500, 255});
    Frame3 = f.frame(frmClean, QStringLiteral("Frame3"), QString(), {120, 1380, 4545, 1500});
    Frame7 = f.frame(Frame3, QStringLiteral("Frame7"), QStringLiteral("Keep these Characters"), {60, 30, 4425, 660});
    struct Keep {
        QCheckBox *frmRenamer::*box;
        const char *name;
        QString caption;
        const char *tip;
    };
    const Keep keeps[9] = {
        {&frmRenamer::Check3, "Check3", QStringLiteral("_"), "UnderScore"},
        {&frmRenamer::Check4, "Check4", QStringLiteral("-"), "Hyphen"},
        {&frmRenamer::Check5, "Check5", QStringLiteral("("), ""},
        {&frmRenamer::Check6, "Check6", QStringLiteral(")"), ""},
        {&frmRenamer::Check7, "Check7", QStringLiteral("$"), ""},
        {&frmRenamer::Check8, "Check8", QStringLiteral(","), "Comma"},
        {&frmRenamer::Check9, "Check9", QStringLiteral("#"), ""},
        {&frmRenamer::Check10, "Check10", QStringLiteral(" "), "Space"},
        {&frmRenamer::Check11, "Check11", QStringLiteral("."), "Point"},
    };
    for (int i = 0; i < 9; ++i) {
        QCheckBox *box = f.check(Frame7, QLatin1String(keeps[i].name), keeps[i].caption, {90 + i * 480, 300, 465, 255});
        box->setToolTip(QLatin1String(keeps[i].tip));
        this->*keeps[i].box = box;
    }
    Label10[55] = f.label(Frame3, label10(55), QStringLiteral("Any Other Characters to Keep (Separate by comma):"), {60, 750, 4425, 255});
    Text48 = f.text(Frame3, QStringLiteral("Text48"), QString(), {60, 1050, 4425, 285});
    Label10[57] = f.label(frmClean, label10(57), QStringLiteral("Replace the Removed Characters with:"), {120, 2955, 3600, 255});
    Option4 = f.option(frmClean, QStringLiteral("Option4"), QStringLiteral("Space"), {120, 3270, 1080, 255});
    Option5 = f.option(frmClean, QStringLiteral("Option5"), QString(), {1320, 3270, 300, 255});
    Text49 = f.text(frmClean, QStringLiteral("Text49"), QString(), {1620, 3240, 600, 285});
}

void frmRenamer::buildComposePanel()
{
    FormLayout &f = m_layout;
    frmCompose = f.frame(Frame6, QStringLiteral("frmCompose"), QStringLiteral("Compose Name"), PanelAt);
    buildTokenField(TokenAction::Compose, frmCompose, {120, 360, 3000, 315}, framesAt(780));
    Command15 = f.button(frmCompose, QStringLiteral("Command15"), QStringLiteral("Add"), {3240, 330, 990, 375});
    lstCompose = f.place(new DragListBox, frmCompose, QStringLiteral("lstCompose"), {120, 2400, 3180, 1140});
    cmdCUp = f.button(frmCompose, QStringLiteral("cmdCUp"), QStringLiteral("Move Up"), {3390, 2400, 1290, 345});
    cmdCDown = f.button(frmCompose, QStringLiteral("cmdCDown"), QStringLiteral("Move Down"), {3390, 2790, 1290, 345});
    cmdDel = f.button(frmCompose, QStringLiteral("cmdDel"), QStringLiteral("Delete"), {3390, 3180, 1290, 345});
    cmdCUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdCDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmdDel->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
}

std::array<QCheckBox *, 9> frmRenamer::keepChecks() const
{
    return {Check3, Check4, Check5, Check6, Check7, Check8, Check9, Check10, Check11};
}

std::array<QGroupBox *, 13> frmRenamer::panels() const
{
    return {frmReplace, frmReplaceFirst, frmReplaceMid, frmReplaceLast, frmReplaceAll,
            frmInsert, frmSuffix, frmPrefix, frmLength, frmCase, frmExtension, frmClean,
            frmCompose};
}

} // namespace renamewin

// The rename window as it opens: every control's initial value and caption, what the load
// sets up, and the settings the panels hand the engine (both ways).
#include "ControlValues.h"
#include "Grid.h"
#include "RenamerFixture.h"

#include <QTableView>
#include <QHeaderView>
#include <functional>

using namespace renamewintest;
using engine::TokenAction;

namespace {

struct Expect {
    QString name;
    QString value;
};

// Names of the token controls of each token action, by TokenAction.
struct TokenNames {
    const char *frameStem;  // "" for the two tab panels, whose frames are always shown
    const char *boxStem;
    const char *caseName;
    const char *mask;
};
constexpr TokenNames Tokens[engine::TokenActionCount] = {
    {"frmFirst", "txtFirst", "OptFACase", "Text50"},     {"frmMid", "txtMid", "OptMACase", "Text53"},
    {"frmLast", "txtLast", "OptLACase", "Text55"},       {"frmReplaceAll", "txtAll", "OptAACase", "Text56"},
    {"frmInsert", "txtInsert", "OptIACase", "Text59"},   {"frmSuffix", "txtSuffix", "OptSACase", "Text61"},
    {"frmPrefix", "txtPrefix", "OptPACase", "Text62"},   {"", "txtExt", "OptEACase", nullptr},
    {"", "txtReplace", "OptRACase", nullptr},            {"frmCompose", "txtCompose", "OptComACase", "Text3"},
};

QString el(const char *name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

std::vector<Expect> initialValues()
{
    std::vector<Expect> table = {
        {"List3", "Replace|Replace First|Replace Mid|Replace Last|Replace All|Insert|Suffix|Prefix|"
                  "Length|Change Case|Extension|Clean|Compose@0"},
        {"lstCompose", "@-1"},
        {"frmReplace", "shown"}, {"frmReplaceFirst", "hidden"}, {"frmReplaceMid", "hidden"},
        {"frmReplaceLast", "hidden"}, {"frmReplaceAll", "hidden"}, {"frmInsert", "hidden"},
        {"frmSuffix", "hidden"}, {"frmPrefix", "hidden"}, {"frmLength", "hidden"}, {"frmCase", "hidden"},
        {"frmExtension", "hidden"}, {"frmClean", "hidden"}, {"frmCompose", "hidden"},
        {"SSTab1", "tab Numeric Counter"}, {"SSTab2", "tab Numeric Counter"},
        {"frmReplaceC", "shown"}, {"frmReplaceA", "shown"}, {"frmExtC", "shown"}, {"frmExtA", "shown"},
        {"Text1", "3"}, {"cmbFirst", ""}, {"Text12", "3"}, {"Text13", "3"}, {"cmbMid", ""},
        {"Text14", "3"}, {"cmbLast", ""}, {"cmbAll", ""},
        {"cmbInsert", "At Position From Start"}, {"frmInsPos", "shown"}, {"frmInsStr1", "hidden"},
        {"frmInsStr2", "hidden"}, {"Text38", "1"}, {"Text43", "a"}, {"Check2", "0"}, {"Text44", "a"},
        {"Text45", "a"}, {"Check1", "0"}, {"cmbInsertS", ""},
        {"cmbSuffix", ""}, {"cmbPrefix", ""},
        {"cmbLength", "Enter File Length"}, {"frmLengthOpt", "shown"}, {"Option1", "True"},
        {"Option2", "False"}, {"Option3", "False"}, {"Text37", "1"}, {"Option19", "True"},
        {"Text18", "0"}, {"Option20", "False"}, {"Text19", "0"},
        {"Option37", "True"}, {"Option38", "False"}, {"Option39", "False"},
        {"Option42", "False"}, {"Option41", "False"}, {"Option40", "False"}, {"Option43", "True"},
        {"chkCAlpha", "0"}, {"chkSAlpha", "0"}, {"chkVowel", "0"}, {"chkDigit", "0"}, {"Check12", "0"},
        {"Text48", ""}, {"Option4", "True"}, {"Option5", "False"}, {"Text49", ""},
        {"cmbCompose", ""},
        {"chkOnTop", "0"}, {"Combo1", "<Sort Files>"}, {"lblStatus", ""}, {"Label1", ""},
        {"List4", "@-1"}, {"lstExif", "@-1"}, {"txtEdit", ""},
    };
    for (int i = 3; i <= 11; ++i)
        table.push_back({QStringLiteral("Check%1").arg(i), "0"});
    const char *counterDefaults[6] = {"1", "1", "3", "0", "", ""};
    const char *alphaDefaults[6] = {"A", "1", "", "", "3", "0"};
    for (const TokenNames &t : Tokens) {
        for (int i = 0; i < 6; ++i) {
            table.push_back({el((std::string(t.boxStem) + "C").c_str(), i), QString::fromUtf8(counterDefaults[i])});
            table.push_back({el((std::string(t.boxStem) + "A").c_str(), i), QString::fromUtf8(alphaDefaults[i])});
        }
        table.push_back({el(t.caseName, 0), "True"});
        table.push_back({el(t.caseName, 1), "False"});
        if (*t.frameStem) {
            for (const char *kind : {"C", "A", "R"})
                table.push_back({QLatin1String(t.frameStem) + QLatin1String(kind), "hidden"});
        }
        if (t.mask)
            table.push_back({QLatin1String(t.mask), "AAaa##"});
    }
    const QString help = QStringLiteral("A : Capital Alphabet.\na : Small Alphabet.\n# : A Digit.\n"
                                        "N : Alphanumeric Character.\nH : Hexadecimal Character.\n");
    for (const char *name : {"Text51(0)", "Text51(1)", "Text51(2)", "Text57", "Text60", "Text63", "Text2"})
        table.push_back({QLatin1String(name), help});
    table.push_back({"Text58", "A : Capital Alphabet ;# : A Digit\na : Small Alphabet ; N : Alphanumeric "
                               "Character.\nH : Hexadecimal Character.\n"});
    return table;
}

std::vector<Expect> captions()
{
    std::vector<Expect> table = {
        {"cmdUp", "Move Up"}, {"cmdDown", "Move Down"},
        {"Label10(18)", "(Change order also by dragging with mouse.)"},
        {"Command1", "&Manage"}, {"cmdValidate", "&Validate"}, {"Command12", "Create Rename &drop"},
        {"cmdPreview", "&Preview"}, {"cmdExecute", "&Rename Now!"}, {"Command14", "&File Selection"},
        {"chkOnTop", "On Top"}, {"Command13", "&STOP!"}, {"lblLegendOK", "OK"},
        {"lblLegendDuplicate", "Duplicate"}, {"lblLegendNotChanged", "Not Changed"},
        {"cmdRefresh", "R&efresh"}, {"Label10(21)", "(Double click to manually rename)"},
        {"cmdClear", "&Clear"}, {"cmdClose", "E&xit"},
        {"frmReplace", "Replace"}, {"frmReplaceFirst", "Replace First Characters"},
        {"frmReplaceMid", "Replace Mid Characters"}, {"frmReplaceLast", "Replace Last Characters"},
        {"frmReplaceAll", "Replace All"}, {"frmInsert", "Insert Strings"}, {"frmSuffix", "Add Suffix"},
        {"frmPrefix", "Add Prefix"}, {"frmLength", "Make all filenames same length"},
        {"frmCase", "Change Case"}, {"frmExtension", "Change Extension"}, {"frmClean", "Clean Filename"},
        {"frmCompose", "Compose Name"},
        {"Command2", "Replace Options"}, {"Label10(3)", "Replace First"}, {"Label10(4)", "characters, with"},
        {"Label10(6)", "Replace"}, {"Label10(7)", "characters starting at position"}, {"Label10(9)", "with"},
        {"Label10(10)", "Replace Last"}, {"Label10(11)", "characters"}, {"Label10(12)", "with"},
        {"Label10(54)", "Replace All Characters  with"}, {"Label10(41)", "Insert"},
        {"frmInsPos", "Position from the Start of FIlename:"}, {"frmInsStr1", "Insert"}, {"frmInsStr2", ""},
        {"Check2", "Match Case"}, {"Label10(15)", "First:"}, {"Label10(47)", ",Second:"},
        {"Check1", "Match Case"}, {"Frame2", "String to Insert:"},
        {"Label10(17)", "Suffix filenames with:"}, {"Label10(16)", "Prefix filenames with:"},
        {"Label10(40)", "Length:"}, {"frmLengthOpt", ""}, {"Option1", "Take Characters from the beginning"},
        {"Option2", "Take Characters from the end"}, {"Option3", "Take Characters starting at position"},
        {"Frame4", "Padding"}, {"Option19", "Pad at the beginning with:"}, {"Option20", "Pad at the end with:"},
        {"Option37", "Change to Upper Case"}, {"Option38", "Change to Lower Case"}, {"Option39", "Invert Case"},
        {"Option42", "Change to Upper Case"}, {"Option41", "Change to LowerCase"}, {"Option40", "Invert Case"},
        {"Option43", ""}, {"Command3", "Replace With"},
        {"Label10(49)", "Remove"}, {"chkCAlpha", "Capital Letters"}, {"chkSAlpha", "Small Letters"},
        {"chkVowel", "Vowels"}, {"chkDigit", "Digits"}, {"Check12", "Remove any unwanted Special Characters:"},
        {"Frame3", ""}, {"Frame7", "Keep these Characters"}, {"Check3", "_"}, {"Check4", "-"},
        {"Check5", "("}, {"Check6", ")"}, {"Check7", "$"}, {"Check8", ","}, {"Check9", "#"},
        {"Check10", " "}, {"Check11", "."},
        {"Label10(55)", "Any Other Characters to Keep (Separate by comma):"},
        {"Label10(57)", "Replace the Removed Characters with:"}, {"Option4", "Space"}, {"Option5", ""},
        {"Command15", "Add"}, {"cmdCUp", "Move Up"}, {"cmdCDown", "Move Down"}, {"cmdDel", "Delete"},
        {"Frame6", ""}, {"Frame5", ""}, {"Frame8", ""},
    };
    for (int i = 4; i <= 11; ++i)
        table.push_back({QStringLiteral("Command%1").arg(i), "Test"});
    for (const TokenNames &t : Tokens) {
        table.push_back({el(t.caseName, 0), "Uppercase"});
        table.push_back({el(t.caseName, 1), "Lowercase"});
    }
    return table;
}

class RenamerWindow : public RenamerFixture {};

} // namespace

TEST_F(RenamerWindow, EveryControlStartsAtItsInitialValue)
{
    renamewin::frmRenamer &w = window();
    for (const Expect &e : initialValues()) {
        SCOPED_TRACE(e.name.toStdString());
        const QWidget *control = w.findChild<QWidget *>(e.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(valueOf(control), e.value);
    }
}

TEST_F(RenamerWindow, CaptionsAndTips)
{
    renamewin::frmRenamer &w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Morvane - Renamer"));
    for (const Expect &e : captions()) {
        SCOPED_TRACE(e.name.toStdString());
        const QWidget *control = w.findChild<QWidget *>(e.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(captionOf(control), e.value);
    }
    const struct {
        const char *name;
        const char *tip;
    } tips[] = {{"chkOnTop", "Select to make this window topmost."}, {"Check3", "UnderScore"},
                {"Check4", "Hyphen"}, {"Check8", "Comma"}, {"Check10", "Space"}, {"Check11", "Point"},
                {"lstExif", "Double Click to change"}};
    for (const auto &t : tips)
        EXPECT_EQ(w.findChild<QWidget *>(QLatin1String(t.name))->toolTip(), QLatin1String(t.tip)) << t.name;

    const QStringList longList = {"$Counter$", "$AlphaCounter$", "$Upper_Case$", "$Lower_Case$",
                                  "$Invert_Case$", "$current_date$", "$current_time$", "$modified_date$",
                                  "$modified_time$", "$filesizeB$", "$filesizeKB$", "$filesizeMB$",
                                  "$foldername$", "$Random String$", "$Exif Data$", "$MP3 Data$"};
    QStringList shortList = longList;
    shortList.remove(2, 3);
    const auto items = [](const QComboBox *c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    };
    for (QComboBox *c : {w.cmbFirst, w.cmbMid, w.cmbLast, w.cmbAll})
        EXPECT_EQ(items(c), longList) << c->objectName().toStdString();
    for (QComboBox *c : {w.cmbInsertS, w.cmbSuffix, w.cmbPrefix, w.cmbCompose})
        EXPECT_EQ(items(c), shortList) << c->objectName().toStdString();
    EXPECT_EQ(items(w.cmbLength), QStringList({"=Longest Original Filename Length", "=Shortest Original Filename Length",
                                               "=Longest Modified Filename Length", "=Shortest Modified Filename Length"}));
    EXPECT_EQ(items(w.Combo1),
              QStringList({"Name (A-Z)", "Name (Z-A)", "Size (Ascending)", "Size (Descending)",
                           "Date Created (Old to New)", "Date Created (New to Old)",
                           "Picture Taken Date (Old to New)", "Picture Taken Date (New to Old)",
                           "Path (A-Z)", "Path (Z-A)", "FileType (A-Z)", "FileType (Z-A)",
                           "Folder Name (A-Z)", "Folder Name (Z-A)"}));
    EXPECT_EQ(w.SSTab1->tabText(1), QStringLiteral("Alpha Counter"));
    EXPECT_EQ(w.SSTab2->tabText(1), QStringLiteral("Alpha Counter"));
}

TEST_F(RenamerWindow, AFreshWindowHandsTheEngineItsDefaults)
{
    renamewin::frmRenamer &w = window();
    EXPECT_EQ(w.renameSettings(), engine::RenameSettings());
    EXPECT_EQ(w.windowState(), settingsfiles::RenameWindowState());
    EXPECT_FALSE(w.Previewed());
}

TEST_F(RenamerWindow, LoadSetsUpTheWindow)
{
    app.StopFlag = true;
    renamewin::frmRenamer &w = window();
    EXPECT_FALSE(app.StopFlag);
    EXPECT_EQ(app.RenamerLoaded, 1);
    EXPECT_EQ(w.UpperCaseChars, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(w.LowerCaseChars, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(w.VowelChars, QStringLiteral("aeiouAEIOU"));
    EXPECT_EQ(w.DigitChars, QStringLiteral("0123456789"));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(w.size(), QSize(697, 662));

    ASSERT_EQ(w.GridPre->Columns(), 8);
    const char *headers[] = {"Original", "Preview", "Path", "Size", "Modified", "Folder", "Type", "Picture Taken Date"};
    const int half = 328;  // 10305 twips = 687 pixels: 687 / 2 - 15 = 328.5, a half to even
    for (int c = 1; c <= 8; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(w.GridPre->ColumnKey(c), QString::number(c));
        EXPECT_EQ(w.GridPre->ColumnHeader(c), QLatin1String(headers[c - 1]));
        EXPECT_EQ(w.GridPre->ColumnVisible(c), c <= 2);
        EXPECT_EQ(w.GridPre->ColumnWidth(c), c <= 2 ? half : 0);
    }
    EXPECT_TRUE(w.GridPre->GridLines());
    EXPECT_TRUE(w.GridPre->Editable());
    EXPECT_FALSE(w.GridPre->view()->horizontalHeader()->sectionsMovable());

    form.reset();
    EXPECT_EQ(app.RenamerLoaded, 0);
}

TEST_F(RenamerWindow, LoadWithTheRenameWindowOnTop)
{
    for (int16_t code : {0, 1, 7, 9}) {
        SCOPED_TRACE(code);
        app.TopMostWindow = code;
        form.reset();
        renamewin::frmRenamer &w = window();
        EXPECT_EQ(w.chkOnTop->isChecked(), code == 7);
        EXPECT_EQ(bool(w.windowFlags() & Qt::WindowStaysOnTopHint), code == 7);
        EXPECT_EQ(app.TopMostWindow, code);
    }
}

TEST_F(RenamerWindow, SettingsAndStateRoundTripThroughTheControls)
{
    renamewin::frmRenamer &w = window();
    w.ListRowMove(w.List3, 6, 0);
    w.List3->item(0)->setCheckState(Qt::Checked);
    w.List3->item(9)->setCheckState(Qt::Checked);
    w.List3->setCurrentRow(4);
    for (int i = 0; i < engine::TokenActionCount; ++i) {
        const auto &t = w.tokenControls(TokenAction(i));
        for (int box = 0; box < 6; ++box) {
            t.counterBoxes[size_t(box)]->setText(QStringLiteral("c%1%2").arg(i).arg(box));
            t.alphaBoxes[size_t(box)]->setText(QStringLiteral("a%1%2").arg(i).arg(box));
        }
        t.caseOptions[size_t(i % 2)]->setChecked(true);
        if (t.combo) {
            t.combo->setEditText(QStringLiteral("text %1").arg(i));
            t.mask->setText(QStringLiteral("##%1").arg(i));
            t.alphaFrame->setVisible(i % 3 == 0);
            t.counterFrame->setVisible(i % 3 == 1);
            t.randomFrame->setVisible(i % 3 == 2);
        }
    }
    w.Text1->setText("4");
    w.Text12->setText("5");
    w.Text13->setText("6");
    w.Text14->setText("7");
    w.cmbInsert->setCurrentIndex(4);
    w.Text38->setText("8");
    w.Text43->setText("x");
    w.Check2->setChecked(true);
    w.Text44->setText("y");
    w.Text45->setText("z");
    w.Check1->setChecked(true);
    w.lstCompose->addItems({"one", "$Random$_AA"});
    w.Option40->setChecked(true);
    w.Option39->setChecked(true);
    w.chkVowel->setChecked(true);
    w.Check5->setChecked(true);
    w.Check10->setChecked(true);
    w.Check12->setChecked(true);
    w.Text48->setText("@,!");
    w.Option5->setChecked(true);
    w.Text49->setText("_");
    w.cmbLength->setEditText("12");
    w.Option3->setChecked(true);
    w.Text37->setText("2");
    w.Option20->setChecked(true);
    w.Text18->setText("p");
    w.Text19->setText("q");

    const engine::RenameSettings settings = w.renameSettings();
    const settingsfiles::RenameWindowState state = w.windowState();
    EXPECT_NE(settings, engine::RenameSettings());
    EXPECT_EQ(settings.ActionList[0].Name, QStringLiteral("Suffix"));
    EXPECT_TRUE(settings.ActionList[0].Checked);
    EXPECT_EQ(settings.InsertMode, 4);
    EXPECT_EQ(settings.ExtensionMode, engine::ExtensionOption::Invert);
    EXPECT_EQ(settings.counter(TokenAction::ReplaceMid).AlphaCase, engine::AlphaCaseOption::Lowercase);
    EXPECT_EQ(settings.ComposeElements, QStringList({"one", "$Random$_AA"}));
    EXPECT_EQ(state.CurrentAction, 4);
    EXPECT_EQ(state.ComposeToken, QStringLiteral("text 9"));

    form.reset();
    renamewin::frmRenamer &fresh = window();
    fresh.applySettings(settings, state);
    EXPECT_EQ(fresh.renameSettings(), settings);
    EXPECT_EQ(fresh.windowState(), state);
    EXPECT_TRUE(fresh.frmReplaceLast->isVisibleTo(&fresh)) << "the current action shows its panel";
    EXPECT_TRUE(fresh.frmInsStr2->isVisibleTo(fresh.frmInsert)) << "the Insert mode switches its frames";

    // No current action: the panel shown stays.
    settingsfiles::RenameWindowState none = state;
    none.CurrentAction = -1;
    fresh.applySettings(settings, none);
    EXPECT_EQ(fresh.List3->currentRow(), -1);
    EXPECT_TRUE(fresh.frmReplaceLast->isVisibleTo(&fresh));
}

TEST_F(RenamerWindow, EachControlFillsItsOwnSetting)
{
    using S = engine::RenameSettings;
    struct Wire {
        const char *control;
        std::function<QString(const S &)> field;
    };
    // Each box gets its own name as its text, so a box read into another field shows up.
    const Wire boxes[] = {
        {"Text1", [](const S &s) { return s.FirstCount; }},
        {"Text12", [](const S &s) { return s.MidCount; }},
        {"Text13", [](const S &s) { return s.MidPosition; }},
        {"Text14", [](const S &s) { return s.LastCount; }},
        {"cmbFirst", [](const S &s) { return s.FirstSource; }},
        {"cmbMid", [](const S &s) { return s.MidSource; }},
        {"cmbLast", [](const S &s) { return s.LastSource; }},
        {"cmbAll", [](const S &s) { return s.AllSource; }},
        {"cmbInsertS", [](const S &s) { return s.InsertSource; }},
        {"cmbSuffix", [](const S &s) { return s.SuffixSource; }},
        {"cmbPrefix", [](const S &s) { return s.PrefixSource; }},
        {"Text50", [](const S &s) { return s.FirstRandomMask; }},
        {"Text53", [](const S &s) { return s.MidRandomMask; }},
        {"Text55", [](const S &s) { return s.LastRandomMask; }},
        {"Text56", [](const S &s) { return s.AllRandomMask; }},
        {"Text59", [](const S &s) { return s.InsertRandomMask; }},
        {"Text61", [](const S &s) { return s.SuffixRandomMask; }},
        {"Text62", [](const S &s) { return s.PrefixRandomMask; }},
        {"Text3", [](const S &s) { return s.ComposeElementMask; }},
        {"Text38", [](const S &s) { return s.InsertPosition; }},
        {"Text43", [](const S &s) { return s.InsertSearchText; }},
        {"Text44", [](const S &s) { return s.InsertFirstText; }},
        {"Text45", [](const S &s) { return s.InsertSecondText; }},
        {"Text48", [](const S &s) { return s.CleanKeepOther; }},
        {"Text49", [](const S &s) { return s.CleanReplaceChar; }},
        {"cmbLength", [](const S &s) { return s.LengthTarget; }},
        {"Text37", [](const S &s) { return s.LengthStartPosition; }},
    };
    renamewin::frmRenamer &w = window();
    for (const Wire &wire : boxes) {
        QWidget *control = w.findChild<QWidget *>(QLatin1String(wire.control));
        ASSERT_NE(control, nullptr) << wire.control;
        if (auto *box = qobject_cast<QLineEdit *>(control))
            box->setText(QLatin1String(wire.control));
        else
            qobject_cast<QComboBox *>(control)->setEditText(QLatin1String(wire.control));
    }
    const S filled = w.renameSettings();
    for (const Wire &wire : boxes)
        EXPECT_EQ(wire.field(filled), QLatin1String(wire.control)) << wire.control;

    // Counter boxes, alpha boxes and case options of every token action.
    const char *boxStems[engine::TokenActionCount] = {"txtFirst", "txtMid", "txtLast", "txtAll", "txtInsert",
                                                      "txtSuffix", "txtPrefix", "txtExt", "txtReplace", "txtCompose"};
    const char *caseNames[engine::TokenActionCount] = {"OptFACase", "OptMACase", "OptLACase", "OptAACase", "OptIACase",
                                                       "OptSACase", "OptPACase", "OptEACase", "OptRACase", "OptComACase"};
    for (int a = 0; a < engine::TokenActionCount; ++a) {
        for (int box = 0; box < 6; ++box) {
            for (const char *kind : {"C", "A"}) {
                const QString name = QStringLiteral("%1%2(%3)").arg(QLatin1String(boxStems[a]), QLatin1String(kind)).arg(box);
                auto *edit = w.findChild<QLineEdit *>(name);
                ASSERT_NE(edit, nullptr) << name.toStdString();
                edit->setText(name);
            }
        }
        if (a % 2)
            w.findChild<QRadioButton *>(QStringLiteral("%1(1)").arg(QLatin1String(caseNames[a])))->setChecked(true);
    }
    const S counted = w.renameSettings();
    for (int a = 0; a < engine::TokenActionCount; ++a) {
        SCOPED_TRACE(boxStems[a]);
        const engine::CounterSettings &c = counted.counter(TokenAction(a));
        const auto name = [&](const char *kind, int box) {
            return QStringLiteral("%1%2(%3)").arg(QLatin1String(boxStems[a]), QLatin1String(kind)).arg(box);
        };
        EXPECT_EQ(c.CounterStart, name("C", 0));
        EXPECT_EQ(c.CounterStep, name("C", 1));
        EXPECT_EQ(c.CounterPadWidth, name("C", 2));
        EXPECT_EQ(c.CounterPadChar, name("C", 3));
        EXPECT_EQ(c.CounterPrefix, name("C", 4));
        EXPECT_EQ(c.CounterSuffix, name("C", 5));
        EXPECT_EQ(c.AlphaStart, name("A", 0));
        EXPECT_EQ(c.AlphaStep, name("A", 1));
        EXPECT_EQ(c.AlphaPrefix, name("A", 2));
        EXPECT_EQ(c.AlphaSuffix, name("A", 3));
        EXPECT_EQ(c.AlphaPadWidth, name("A", 4));
        EXPECT_EQ(c.AlphaPadChar, name("A", 5));
        EXPECT_EQ(c.AlphaCase, a % 2 ? engine::AlphaCaseOption::Lowercase : engine::AlphaCaseOption::Uppercase);
    }

    // Check boxes, one at a time.
    const struct {
        const char *control;
        std::function<bool(const S &)> field;
    } checks[] = {
        {"Check2", [](const S &s) { return s.InsertSearchMatchCase == 1; }},
        {"Check1", [](const S &s) { return s.InsertBetweenMatchCase == 1; }},
        {"chkCAlpha", [](const S &s) { return s.CleanClasses[engine::CapitalLetters]; }},
        {"chkSAlpha", [](const S &s) { return s.CleanClasses[engine::SmallLetters]; }},
        {"chkVowel", [](const S &s) { return s.CleanClasses[engine::Vowels]; }},
        {"chkDigit", [](const S &s) { return s.CleanClasses[engine::Digits]; }},
        {"Check12", [](const S &s) { return s.CleanRemoveSpecial; }},
        {"Check3", [](const S &s) { return s.CleanKeepChars[0]; }},
        {"Check4", [](const S &s) { return s.CleanKeepChars[1]; }},
        {"Check5", [](const S &s) { return s.CleanKeepChars[2]; }},
        {"Check6", [](const S &s) { return s.CleanKeepChars[3]; }},
        {"Check7", [](const S &s) { return s.CleanKeepChars[4]; }},
        {"Check8", [](const S &s) { return s.CleanKeepChars[5]; }},
        {"Check9", [](const S &s) { return s.CleanKeepChars[6]; }},
        {"Check10", [](const S &s) { return s.CleanKeepChars[7]; }},
        {"Check11", [](const S &s) { return s.CleanKeepChars[8]; }},
    };
    for (const auto &check : checks) {
        SCOPED_TRACE(check.control);
        auto *box = w.findChild<QCheckBox *>(QLatin1String(check.control));
        ASSERT_NE(box, nullptr);
        const S before = w.renameSettings();
        EXPECT_FALSE(check.field(before));
        box->setChecked(true);
        S after = w.renameSettings();
        EXPECT_TRUE(check.field(after));
        box->setChecked(false);
        EXPECT_EQ(w.renameSettings(), before) << "the box sets only its own field";
    }

    // Option buttons: each selects its own value.
    const struct {
        const char *control;
        std::function<bool(const S &)> selected;
    } options[] = {
        {"Option42", [](const S &s) { return s.ExtensionMode == engine::ExtensionOption::Upper; }},
        {"Option41", [](const S &s) { return s.ExtensionMode == engine::ExtensionOption::Lower; }},
        {"Option40", [](const S &s) { return s.ExtensionMode == engine::ExtensionOption::Invert; }},
        {"Option43", [](const S &s) { return s.ExtensionMode == engine::ExtensionOption::Replace; }},
        {"Option38", [](const S &s) { return s.CaseMode == engine::CaseOption::Lower; }},
        {"Option39", [](const S &s) { return s.CaseMode == engine::CaseOption::Invert; }},
        {"Option37", [](const S &s) { return s.CaseMode == engine::CaseOption::Upper; }},
        {"Option5", [](const S &s) { return s.CleanReplaceMode == engine::CleanReplaceOption::OwnCharacter; }},
        {"Option4", [](const S &s) { return s.CleanReplaceMode == engine::CleanReplaceOption::Blank; }},
        {"Option2", [](const S &s) { return s.LengthTakeMode == engine::LengthTakeOption::End; }},
        {"Option3", [](const S &s) { return s.LengthTakeMode == engine::LengthTakeOption::Position; }},
        {"Option1", [](const S &s) { return s.LengthTakeMode == engine::LengthTakeOption::Beginning; }},
        {"Option20", [](const S &s) { return s.LengthPadMode == engine::LengthPadOption::End; }},
        {"Option19", [](const S &s) { return s.LengthPadMode == engine::LengthPadOption::Beginning; }},
    };
    for (const auto &option : options) {
        SCOPED_TRACE(option.control);
        auto *button = w.findChild<QRadioButton *>(QLatin1String(option.control));
        ASSERT_NE(button, nullptr);
        button->setChecked(true);
        EXPECT_TRUE(option.selected(w.renameSettings()));
    }
    for (int mode = 4; mode >= 0; --mode) {
        w.cmbInsert->setCurrentIndex(mode);
        EXPECT_EQ(w.renameSettings().InsertMode, mode);
    }
}

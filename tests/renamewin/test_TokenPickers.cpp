// The token combos of the rename window and the pickers they open, driven as a user drives them:
// items chosen from the opened drop-down list, typed text confirmed with Enter, real clicks on
// "Test", and every way of closing a picker.
#include "Grid.h"
#include "RenamerFixture.h"
#include "ShownWhole.h"
#include "TokenCellTarget.h"
#include "TokenPicker.h"
#include "TokenPickers.h"
#include "formSelExif.h"
#include "formSelID3.h"
#include "frmDateFormat.h"
#include "frmEDateFormat.h"
#include "frmRandom.h"
#include "frmTimeFormat.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <QFile>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QTest>

using namespace renamewintest;
using engine::TokenAction;
using renamewin::PickerKind;

namespace {

const QStringList PickerNames = {"frmTimeFormat", "frmDateFormat", "frmEDateFormat",
                                 "frmRandom",     "formSelExif",   "formSelID3"};

/** A grid with an in-cell token field: records what the pickers write back. */
class CellGrid : public QObject, public renamewin::TokenCellTarget {
public:
    void writeTokenCell(int row, int col, const QString &text) override
    {
        writes << QStringLiteral("%1,%2=%3").arg(row).arg(col).arg(text);
        editor.hide();
    }
    QComboBox editor;
    QStringList writes;
};

class TokenPickersTest : public RenamerFixture {
protected:
    void SetUp() override
    {
        RenamerFixture::SetUp();
        window().setTokenPickers(&pickers);
        window().show();
    }
    void TearDown() override
    {
        form.reset();
        RenamerFixture::TearDown();
    }

    /** Shows the panel of `action` so that its combo can be used. */
    void showPanel(TokenAction action)
    {
        const QComboBox *combo = window().tokenControls(action).combo;
        for (int row = 0; row < window().List3->count(); ++row) {
            window().List3->setCurrentRow(row);
            if (combo->isVisible())
                return;
        }
        FAIL() << "no panel shows " << combo->objectName().toStdString();
    }
    /** Opens the drop-down list with a click on the combo's arrow and clicks `item` in it. */
    static void choose(QComboBox *combo, const QString &item)
    {
        const int index = combo->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        ASSERT_TRUE(combo->isVisible()) << combo->objectName().toStdString();
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxArrow, combo);
        QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
        QAbstractItemView *list = combo->view();
        ASSERT_TRUE(list->isVisible()) << "the drop-down list opens";
        const QModelIndex at = combo->model()->index(index, 0);
        list->scrollTo(at);
        // Moving onto the item with the keys, then confirming it in the list.
        list->setCurrentIndex(at);
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_FALSE(list->isVisible()) << "the drop-down list closes";
    }
    /** Types `text` into the combo's edit field and presses Enter. */
    static void typeAndEnter(QComboBox *combo, const QString &text)
    {
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, text);
        QTest::keyClick(combo, Qt::Key_Return);
    }
    QComboBox *combo(TokenAction action) { return window().tokenControls(action).combo; }
    /** The open picker windows by their names. */
    QStringList openPickers()
    {
        QStringList open;
        for (int k = 0; k < renamewin::PickerKindCount; ++k) {
            if (renamewin::TokenPicker *p = pickers.openPicker(PickerKind(k)))
                open << p->objectName();
        }
        return open;
    }
    template <class Picker>
    Picker *picker(PickerKind kind)
    {
        auto *p = qobject_cast<Picker *>(pickers.openPicker(kind));
        EXPECT_NE(p, nullptr) << "picker " << int(kind) << " open";
        return p;
    }
    /** Clicks the list row `row` of a field-name picker. */
    static void clickRow(renamewin::TagListPicker *p, int row, bool twice = false)
    {
        QListWidget *list = p->list1;
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    static int rowOf(const renamewin::TagListPicker *p, const QString &text)
    {
        const QList<QListWidgetItem *> found = p->list1->findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? -1 : p->list1->row(found.first());
    }
    static void clickButton(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    /** Deletes closed pickers. */
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QString frames(TokenAction action)
    {
        const auto &t = window().tokenControls(action);
        return QStringLiteral("%1%2%3").arg(t.counterFrame->isHidden() ? '-' : 'C')
            .arg(t.alphaFrame->isHidden() ? '-' : 'A').arg(t.randomFrame->isHidden() ? '-' : 'R');
    }

    renamewin::TokenPickers pickers{app};
};

} // namespace

TEST_F(TokenPickersTest, EveryItemOfBothListsHasItsEffect)
{
    struct Effect {
        const char *item;
        const char *frames;  // C counter, A alpha counter, R random, on a panel that showed none
        const char *picker;  // the picker window that opens, or ""
        bool longListOnly;
    };
    const Effect effects[] = {
        {"$Counter$", "C--", "", false},
        {"$AlphaCounter$", "-A-", "", false},
        {"$Upper_Case$", "---", "", true},
        {"$Lower_Case$", "---", "", true},
        {"$Invert_Case$", "---", "", true},
        {"$current_date$", "---", "frmDateFormat", false},
        {"$current_time$", "---", "frmTimeFormat", false},
        {"$modified_date$", "---", "frmDateFormat", false},
        {"$modified_time$", "---", "frmTimeFormat", false},
        {"$filesizeB$", "---", "", false},
        {"$filesizeKB$", "---", "", false},
        {"$filesizeMB$", "---", "", false},
        {"$foldername$", "---", "", false},
        {"$Random String$", "--R", "", false},
        {"$Exif Data$", "---", "formSelExif", false},
        {"$MP3 Data$", "---", "formSelID3", false},
    };
    for (TokenAction action : {TokenAction::ReplaceFirst, TokenAction::Compose}) {
        showPanel(action);
        QComboBox *field = combo(action);
        EXPECT_EQ(field->count(), action == TokenAction::Compose ? 13 : 16);
        for (const Effect &e : effects) {
            if (e.longListOnly && action == TokenAction::Compose) {
                EXPECT_EQ(field->findText(QString::fromUtf8(e.item)), -1) << e.item;
                continue;
            }
            SCOPED_TRACE(field->objectName().toStdString() + " " + e.item);
            const auto &t = window().tokenControls(action);
            for (QWidget *frame : {t.counterFrame, t.alphaFrame, t.randomFrame})
                frame->hide();
            choose(field, QString::fromUtf8(e.item));
            EXPECT_EQ(frames(action), QLatin1String(e.frames));
            EXPECT_EQ(app.TokenTargetText, QString::fromUtf8(e.item));
            EXPECT_EQ(app.TokenTargetCombo.data(), field);
            const QStringList expected = *e.picker ? QStringList{QString::fromUtf8(e.picker)} : QStringList();
            EXPECT_EQ(openPickers(), expected);
            if (*e.picker) {
                // Centred under the combo, its top edge at the combo's bottom edge.
                const QRect placed = pickers.openPicker(renamewin::pickerForItem(QString::fromUtf8(e.item), false).value())->frameGeometry();
                const QPoint comboBottom = field->mapToGlobal(QPoint(field->width() / 2, field->height()));
                EXPECT_EQ(placed.top(), comboBottom.y());
                EXPECT_LE(std::abs(placed.left() + placed.width() / 2 - comboBottom.x()), 1);
                pickers.close({PickerKind::Time, PickerKind::Date, PickerKind::Exif, PickerKind::Mp3,
                               PickerKind::PictureDate});
                settle();
            }
        }
    }
}

TEST_F(TokenPickersTest, TypingAnItemAndEnterOpensNothing)
{
    showPanel(TokenAction::Suffix);
    choose(combo(TokenAction::Suffix), QStringLiteral("$AlphaCounter$"));
    for (const char *typed : {"$current_date$", "$modified_time$", "$Exif Data$", "$MP3 Data$",
                              "$Counter$", "$Random String$"}) {
        SCOPED_TRACE(typed);
        typeAndEnter(combo(TokenAction::Suffix), QString::fromUtf8(typed));
        EXPECT_EQ(openPickers(), QStringList());
        EXPECT_EQ(frames(TokenAction::Suffix), QStringLiteral("-A-")) << "the sub-frames stay";
        EXPECT_EQ(app.TokenTargetText, QStringLiteral("$AlphaCounter$"));
        EXPECT_EQ(combo(TokenAction::Suffix)->count(), 13) << "typed text is not added to the list";
        EXPECT_EQ(window().renameSettings().SuffixSource, QString::fromUtf8(typed));
    }
}

TEST_F(TokenPickersTest, TypingAnItemAndLeavingTheFieldRunsNothing)
{
    renamewin::frmRenamer &w = window();
    QWidget other;
    other.show();
    for (TokenAction action : {TokenAction::Suffix, TokenAction::ReplaceFirst}) {
        showPanel(action);
        QComboBox *field = combo(action);
        struct Leave {
            const char *name;
            std::function<void()> away;
        };
        const Leave ways[] = {
            {"Tab", [field] { QTest::keyClick(field, Qt::Key_Tab); }},
            {"click elsewhere", [&w] { QTest::mouseClick(w.cmdRefresh, Qt::LeftButton, {}, w.cmdRefresh->rect().center()); }},
            {"another window", [&other] { QApplication::setActiveWindow(&other); }},
        };
        for (const char *typed : {"$Counter$", "$current_date$", "$current_time$", "$Exif Data$", "$MP3 Data$",
                                  "$Random String$"}) {
            for (const Leave &way : ways) {
                SCOPED_TRACE(field->objectName().toStdString() + " " + typed + " " + way.name);
                QApplication::setActiveWindow(&w);  // focus moves only in the active window
                field->setFocus();
                ASSERT_TRUE(field->hasFocus());
                field->lineEdit()->selectAll();
                QTest::keyClicks(field, QString::fromUtf8(typed));
                way.away();
                EXPECT_FALSE(field->hasFocus());
                EXPECT_EQ(openPickers(), QStringList());
                EXPECT_EQ(frames(action), QStringLiteral("---"));
                EXPECT_EQ(field->currentText(), QString::fromUtf8(typed));
            }
        }
    }
    // A choice from the list still acts.
    choose(combo(TokenAction::ReplaceFirst), QStringLiteral("$Counter$"));
    EXPECT_EQ(frames(TokenAction::ReplaceFirst), QStringLiteral("C--"));
}

TEST_F(TokenPickersTest, PickersClosedWithoutAChoiceWriteNothing)
{
    renamewin::frmRenamer &w = window();
    showPanel(TokenAction::Suffix);
    QComboBox *suffix = combo(TokenAction::Suffix);
    app.TimeFormatText = QStringLiteral("$min$");
    app.DateFormatText = QStringLiteral("$yyyy$");
    struct Opener {
        const char *item;
        PickerKind kind;
        int16_t exifIndex;  // remembered EXIF row
        int16_t mp3Index;   // remembered MP3 row
    };
    const Opener openers[] = {
        {"$current_time$", PickerKind::Time, -1, -1},
        {"$modified_date$", PickerKind::Date, -1, -1},
        {"$Exif Data$", PickerKind::Exif, renamewin::ExifDateTimeIndex, -1},
        {"$Exif Data$", PickerKind::Exif, -1, -1},
        {"$MP3 Data$", PickerKind::Mp3, -1, -1},
        {"$MP3 Data$", PickerKind::Mp3, -1, 2},
    };
    enum Way { Escape, CloseBox, FocusLoss };
    for (const Opener &o : openers) {
        for (Way way : {Escape, CloseBox, FocusLoss}) {
            SCOPED_TRACE(std::string(o.item) + " remembered " + std::to_string(o.exifIndex) + "/"
                         + std::to_string(o.mp3Index) + " way " + std::to_string(way));
            app.LastListIndex = o.exifIndex;
            app.LastID3ListIndex = o.mp3Index;
            choose(suffix, QString::fromUtf8(o.item));
            renamewin::TokenPicker *p = pickers.openPicker(o.kind);
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(openPickers(), QStringList{p->objectName()}) << "nothing leads on by itself";
            // The picker takes the keyboard: its list or combo gets the focus.
            QApplication::setActiveWindow(p);
            QWidget *control = p->findChild<QComboBox *>(QStringLiteral("cmbFirst"));
            if (!control)
                control = p->findChild<QListWidget *>(QStringLiteral("list1"));
            ASSERT_NE(control, nullptr);
            control->setFocus();
            QPointer<renamewin::TokenPicker> window = p;
            switch (way) {
            case Escape:
                QTest::keyClick(control, Qt::Key_Escape);
                break;
            case CloseBox: {
                QCloseEvent event;
                QApplication::sendEvent(p->windowHandle(), &event);
                break;
            }
            case FocusLoss:
                QApplication::setActiveWindow(&w);
                QTest::mouseClick(w.List3->viewport(), Qt::LeftButton, {},
                                  w.List3->visualItemRect(w.List3->item(0)).center());
                showPanel(TokenAction::Suffix);
                break;
            }
            EXPECT_EQ(suffix->currentText(), QString::fromUtf8(o.item));
            EXPECT_EQ(window.isNull() || !window->isVisible(), way != FocusLoss);
            pickers.close({PickerKind::Time, PickerKind::Date, PickerKind::Exif, PickerKind::Mp3,
                           PickerKind::PictureDate});
            settle();
            EXPECT_EQ(suffix->currentText(), QString::fromUtf8(o.item)) << "closing writes nothing either";
        }
    }
}

TEST_F(TokenPickersTest, PickersWriteTheTokenGrammarTheEngineEvaluates)
{
    addFile(QStringLiteral("a.txt"));
    const QDateTime modified(QDate(2019, 11, 28), QTime(7, 8, 9));
    {
        QFile file(folder() + "a.txt");
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    addFile(QStringLiteral("p.jpg"), "x", true, QStringLiteral("JPEG Image"));
    metadata.pictures.insert(folder() + "p.jpg", {"Make: Canon", "Model: EOS", "Tag #41990: 2",
                                                  "DateTime: 2021:07:04 10:11:12"});
    renamewin::frmRenamer &w = window();
    w.Refreshrnm();
    w.List3->item(6)->setCheckState(Qt::Checked);
    showPanel(TokenAction::Suffix);
    QComboBox *suffix = combo(TokenAction::Suffix);

    struct Grammar {
        const char *opener;    // chosen in the Suffix combo
        PickerKind picker;
        const char *pick;      // chosen in the picker
        const char *token;     // what the field holds then
        const char *fileName;  // preview of "a.txt" ("" when the row is not asked)
        const char *picture;   // preview of "p.jpg"
    };
    const Grammar cases[] = {
        {"$current_time$", PickerKind::Time, "$hour$", "$hour$", "a21.txt", ""},
        {"$modified_time$", PickerKind::Time, "$min$", "$mod_min$", "a8.txt", ""},
        {"$current_date$", PickerKind::Date, "$dd_mm_yyyy$", "$dd_mm_yyyy$", "a03_02_2026.txt", ""},
        {"$modified_date$", PickerKind::Date, "$yyyy_mm_dd$", "$mod_yyyy_mm_dd$", "a2019_11_28.txt", ""},
        {"$Exif Data$", PickerKind::Exif, "Model", "$Exif_Model", "", "pEOS.jpg"},
        {"$Exif Data$", PickerKind::Exif, "Tag #41990", "$Exif_Tag #41990", "", "p2.jpg"},
        {"$Exif Data$", PickerKind::Exif, "DateTime", "$Exif_date_$mmddyyyy$", "", "p07042021.jpg"},
        {"$MP3 Data$", PickerKind::Mp3, "Year", "$MP3_ID3_Year", "", ""},
    };
    for (const Grammar &g : cases) {
        SCOPED_TRACE(std::string(g.opener) + " " + g.pick);
        choose(suffix, QString::fromUtf8(g.opener));
        renamewin::TokenPicker *p = pickers.openPicker(g.picker);
        ASSERT_NE(p, nullptr);
        if (auto *format = qobject_cast<renamewin::FormatPicker *>(p))
            choose(format->cmbFirst, QString::fromUtf8(g.pick));
        else if (auto *list = qobject_cast<renamewin::TagListPicker *>(p))
            clickRow(list, rowOf(list, QString::fromUtf8(g.pick)));
        EXPECT_EQ(suffix->currentText(), QString::fromUtf8(g.token));
        w.cmdPreview_Click();
        if (*g.fileName) {
            EXPECT_EQ(w.GridPre->CellText(1, 2), QString::fromUtf8(g.fileName));
        }
        if (*g.picture) {
            EXPECT_EQ(w.GridPre->CellText(2, 2), QString::fromUtf8(g.picture));
        }
        pickers.close({PickerKind::Time, PickerKind::Date, PickerKind::Exif, PickerKind::Mp3,
                       PickerKind::PictureDate});
        settle();
        app.LastListIndex = -1;
    }
}

TEST_F(TokenPickersTest, EveryPickerItemGivesATokenTheEngineKnows)
{
    // A token the engine does not know would land in the name as it is.
    addFile(QStringLiteral("p.jpg"), "x", true, QStringLiteral("JPEG Image"));
    addFile(QStringLiteral("s.mp3"), "x", true, QStringLiteral("MP3 File"));
    metadata.pictures.insert(folder() + "p.jpg", {"Make: Canon", "DateTime: 2021:07:04 10:11:12"});
    renamewin::frmRenamer &w = window();
    w.Refreshrnm();
    w.List3->item(6)->setCheckState(Qt::Checked);
    struct Form {
        const char *opener;
        const QStringList &items;
    };
    const Form forms[] = {
        {"$current_time$", renamewin::timeFormatItems()},  {"$modified_time$", renamewin::timeFormatItems()},
        {"$current_date$", renamewin::dateFormatItems()},  {"$modified_date$", renamewin::dateFormatItems()},
        {"$Exif Data$", renamewin::pictureDateItems()},
    };
    std::vector<QString> tokens;
    for (const Form &f : forms) {
        for (const QString &item : f.items)
            tokens.push_back(renamewin::formatPickerToken(item, QString::fromUtf8(f.opener)));
    }
    for (const QString &field : renamewin::mp3FieldItems())
        tokens.push_back(renamewin::mp3FieldToken(field));
    for (const QString &token : tokens) {
        SCOPED_TRACE(token.toStdString());
        w.cmbSuffix->setEditText(token);
        w.cmdPreview_Click();
        for (size_t row = 1; row <= 2; ++row)
            EXPECT_FALSE(w.GridPre->CellText(row, 2).contains(u'$')) << w.GridPre->CellText(row, 2).toStdString();
    }
}

TEST_F(TokenPickersTest, ExifDateTimeLeadsOnToThePictureDatePicker)
{
    showPanel(TokenAction::Prefix);
    QComboBox *prefix = combo(TokenAction::Prefix);
    app.LastListIndex = -1;
    EXPECT_FALSE(app.ExifDateChosen);
    choose(prefix, QStringLiteral("$Exif Data$"));
    auto *exif = picker<renamewin::formSelExif>(PickerKind::Exif);
    ASSERT_NE(exif, nullptr);
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif Data$")) << "no index to restore";
    clickRow(exif, renamewin::ExifDateTimeIndex);
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$mmddyyyy$"));
    EXPECT_TRUE(app.ExifDateChosen);
    auto *pictureDate = picker<renamewin::frmEDateFormat>(PickerKind::PictureDate);
    ASSERT_NE(pictureDate, nullptr);
    EXPECT_TRUE(pictureDate->isVisible());
    EXPECT_EQ(pictureDate->cmbFirst->count(), 27);
    choose(pictureDate->cmbFirst, QStringLiteral("$yyyy$"));
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$yyyy$"));
    choose(pictureDate->cmbFirst, QStringLiteral("$hh_mm_ss$"));
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$hh_mm_ss$"));
    EXPECT_EQ(app.DateFormatText, QStringLiteral("$hh_mm_ss$"));

    // The two date pickers have their own open flags.
    EXPECT_TRUE(app.PictureDatePickerOpen);
    EXPECT_FALSE(app.DatePickerOpen);

    // Closed on "DateTime": opening the EXIF picker again shows it selected and writes nothing;
    // "OK" writes it and leads on to the picture-date picker.
    clickButton(exif->Command1);
    clickButton(pictureDate->Command1);
    settle();
    EXPECT_EQ(openPickers(), QStringList());
    EXPECT_EQ(app.LastListIndex, renamewin::ExifDateTimeIndex);
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$hh_mm_ss$")) << "OK after a choice only closes";
    choose(prefix, QStringLiteral("$Exif Data$"));
    EXPECT_EQ(openPickers(), QStringList({"formSelExif"}));
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif Data$"));
    exif = picker<renamewin::formSelExif>(PickerKind::Exif);
    EXPECT_EQ(exif->list1->currentRow(), renamewin::ExifDateTimeIndex);
    app.ExifDateChosen = false;
    clickButton(exif->Command1);
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$mmddyyyy$"));
    EXPECT_TRUE(app.ExifDateChosen);
    EXPECT_EQ(openPickers(), QStringList({"frmEDateFormat"}));
    pictureDate = picker<renamewin::frmEDateFormat>(PickerKind::PictureDate);
    EXPECT_EQ(pictureDate->cmbFirst->currentText(), QStringLiteral("$hh_mm_ss$")) << "the remembered format shows again";
    // Leaving the picture-date picker writes nothing.
    QApplication::setActiveWindow(pictureDate);
    pictureDate->cmbFirst->setFocus();
    QApplication::setActiveWindow(&window());
    prefix->setFocus();
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$mmddyyyy$"));
}

TEST_F(TokenPickersTest, RememberedListIndexes)
{
    showPanel(TokenAction::Suffix);
    QComboBox *suffix = combo(TokenAction::Suffix);
    // The EXIF picker closes on "Orientation"; it opens there again and writes nothing.
    choose(suffix, QStringLiteral("$Exif Data$"));
    auto *exif = picker<renamewin::formSelExif>(PickerKind::Exif);
    clickRow(exif, 2, true);
    settle();
    EXPECT_EQ(openPickers(), QStringList()) << "a double-click closes";
    EXPECT_EQ(app.LastListIndex, 2);
    choose(suffix, QStringLiteral("$Exif Data$"));
    EXPECT_EQ(suffix->currentText(), QStringLiteral("$Exif Data$"));
    exif = picker<renamewin::formSelExif>(PickerKind::Exif);
    EXPECT_EQ(exif->list1->currentRow(), 2);
    exif->close();
    settle();

    // The MP3 picker keeps its own index and restoring it writes nothing.
    choose(suffix, QStringLiteral("$MP3 Data$"));
    auto *mp3 = picker<renamewin::formSelID3>(PickerKind::Mp3);
    EXPECT_EQ(mp3->list1->currentRow(), -1);
    EXPECT_EQ(suffix->currentText(), QStringLiteral("$MP3 Data$"));
    clickRow(mp3, 19, true);
    settle();
    EXPECT_EQ(suffix->currentText(), QStringLiteral("$MP3_ID3_Year"));
    EXPECT_EQ(openPickers(), QStringList());
    choose(suffix, QStringLiteral("$MP3 Data$"));
    mp3 = picker<renamewin::formSelID3>(PickerKind::Mp3);
    EXPECT_EQ(mp3->list1->currentRow(), 19);
    EXPECT_EQ(suffix->currentText(), QStringLiteral("$MP3 Data$"));
    // A click on the shown field picks it.
    clickRow(mp3, 19);
    EXPECT_EQ(suffix->currentText(), QStringLiteral("$MP3_ID3_Year"));
    EXPECT_EQ(app.LastListIndex, 2) << "the MP3 picker leaves the EXIF index alone";
}

TEST_F(TokenPickersTest, EachPickerWritesOnlyToTheFieldOfTheLastChoice)
{
    showPanel(TokenAction::Suffix);
    QComboBox *suffix = combo(TokenAction::Suffix);
    choose(suffix, QStringLiteral("$modified_time$"));
    auto *time = picker<renamewin::frmTimeFormat>(PickerKind::Time);
    choose(time->cmbFirst, QStringLiteral("$min$"));
    EXPECT_EQ(suffix->currentText(), QStringLiteral("$mod_min$"));
    EXPECT_EQ(app.TimeFormatText, QStringLiteral("$min$"));

    // The same picker, chosen from another combo, moves under it and keeps its text.
    showPanel(TokenAction::ReplaceAll);
    QComboBox *all = combo(TokenAction::ReplaceAll);
    choose(all, QStringLiteral("$current_time$"));
    EXPECT_EQ(pickers.openPicker(PickerKind::Time), time);
    EXPECT_EQ(time->frameGeometry().top(), all->mapToGlobal(QPoint(0, all->height())).y());
    EXPECT_EQ(time->cmbFirst->currentText(), QStringLiteral("$min$"));
    choose(time->cmbFirst, QStringLiteral("$sec$"));
    EXPECT_EQ(all->currentText(), QStringLiteral("$sec$"));
    EXPECT_EQ(suffix->currentText(), QStringLiteral("$mod_min$"));

    // A date picked while the field asked for the current time is a current date too.
    choose(all, QStringLiteral("$current_date$"));
    auto *date = picker<renamewin::frmDateFormat>(PickerKind::Date);
    choose(all, QStringLiteral("$current_time$"));
    choose(date->cmbFirst, QStringLiteral("$yyyy$"));
    EXPECT_EQ(all->currentText(), QStringLiteral("$yyyy$"));

    // A typed format reaches the field through "OK" only.
    typeAndEnter(time->cmbFirst, QStringLiteral("$hhmmss$"));
    EXPECT_EQ(all->currentText(), QStringLiteral("$yyyy$"));
    clickButton(time->Command1);
    EXPECT_EQ(all->currentText(), QStringLiteral("$hhmmss$"));
    EXPECT_EQ(app.TimeFormatText, QStringLiteral("$sec$")) << "OK remembers nothing";

    // Choosing the generic item again opens its picker again.
    settle();
    choose(all, QStringLiteral("$current_time$"));
    EXPECT_NE(pickers.openPicker(PickerKind::Time), nullptr);
    EXPECT_EQ(all->currentText(), QStringLiteral("$current_time$"));

    // A field that is gone receives nothing.
    auto *gone = new QComboBox;
    gone->setEditable(true);
    gone->addItem(QStringLiteral("$current_time$"));
    gone->setCurrentIndex(0);
    pickers.itemChosen(gone);
    delete gone;
    auto *again = picker<renamewin::frmTimeFormat>(PickerKind::Time);
    choose(again->cmbFirst, QStringLiteral("$hour$"));
    EXPECT_EQ(all->currentText(), QStringLiteral("$current_time$"));
    clickButton(again->Command1);
}

TEST_F(TokenPickersTest, GridCellWriteBack)
{
    CellGrid grid;
    grid.editor.setEditable(true);
    grid.editor.addItems({QStringLiteral("$current_date$"), QStringLiteral("$Exif Data$"),
                          QStringLiteral("$Random String$")});
    const auto cellChoice = [&grid, this](int index) {
        grid.editor.show();
        grid.editor.setCurrentIndex(index);
        return pickers.itemChosen(&grid.editor, {&grid, 3, 2}, true);
    };

    // The picker opened from the cell writes the cell once when it closes; a second picker
    // closing afterwards writes no cell.
    showPanel(TokenAction::Prefix);
    choose(combo(TokenAction::Prefix), QStringLiteral("$MP3 Data$"));
    cellChoice(0);
    EXPECT_EQ(app.TokenTargetGrid.data(), &grid);
    auto *date = picker<renamewin::frmDateFormat>(PickerKind::Date);
    choose(date->cmbFirst, QStringLiteral("$mmddyy$"));
    clickButton(date->Command1);
    EXPECT_EQ(grid.writes, QStringList({"3,2=$mmddyy$"}));
    EXPECT_TRUE(grid.editor.isHidden());
    EXPECT_EQ(app.TokenTargetGrid.data(), nullptr);
    picker<renamewin::formSelID3>(PickerKind::Mp3)->close();
    EXPECT_EQ(grid.writes.size(), 1);
    settle();

    // The sequence that used to corrupt a cell: a cell opens the picker, a rename-window combo
    // takes the target, the picker closes: only the combo gets the token.
    grid.writes.clear();
    cellChoice(0);
    showPanel(TokenAction::Suffix);
    QComboBox *suffix = combo(TokenAction::Suffix);
    choose(suffix, QStringLiteral("$current_date$"));
    date = picker<renamewin::frmDateFormat>(PickerKind::Date);
    choose(date->cmbFirst, QStringLiteral("$yyyymmdd$"));
    date->close();
    EXPECT_EQ(suffix->currentText(), QStringLiteral("$yyyymmdd$"));
    EXPECT_TRUE(suffix->isVisible());
    EXPECT_EQ(grid.writes, QStringList());
    EXPECT_EQ(grid.editor.currentText(), QStringLiteral("$current_date$"));
    settle();

    // The random picker of a cell: closing it writes the mask token, then the cell.
    grid.writes.clear();
    app.RandomMaskText = QStringLiteral("##");
    cellChoice(2);
    auto *random = picker<renamewin::frmRandom>(PickerKind::Random);
    EXPECT_EQ(random->Text62->text(), QStringLiteral("##"));
    random->Text62->setText(QStringLiteral("Aa"));
    clickButton(random->Command1);
    EXPECT_EQ(grid.writes, QStringList({"3,2=$Rand$_Aa"}));
    EXPECT_EQ(app.RandomMaskText, QStringLiteral("Aa"));
    settle();

    // A picture date chosen in the EXIF picker leaves the cell to the picture-date picker.
    grid.writes.clear();
    app.LastListIndex = -1;
    cellChoice(1);
    auto *exif = picker<renamewin::formSelExif>(PickerKind::Exif);
    clickRow(exif, renamewin::ExifDateTimeIndex);
    clickButton(exif->Command1);
    EXPECT_EQ(grid.writes, QStringList());
    auto *pictureDate = picker<renamewin::frmEDateFormat>(PickerKind::PictureDate);
    choose(pictureDate->cmbFirst, QStringLiteral("$dd$"));
    QTest::keyClick(pictureDate, Qt::Key_Escape);
    EXPECT_EQ(grid.writes, QStringList({"3,2=$Exif_date_$dd$"}));
}

TEST_F(TokenPickersTest, ClosingEachPickerByEachPath)
{
    struct Opener {
        PickerKind kind;
        const char *item;
        bool AppState::*flag;
    };
    const Opener openers[] = {
        {PickerKind::Time, "$current_time$", &AppState::TimePickerOpen},
        {PickerKind::Date, "$current_date$", &AppState::DatePickerOpen},
        {PickerKind::Random, "$Random String$", &AppState::RandomPickerOpen},
        {PickerKind::Exif, "$Exif Data$", &AppState::ExifPickerOpen},
        {PickerKind::Mp3, "$MP3 Data$", &AppState::ID3PickerOpen},
        {PickerKind::PictureDate, "", &AppState::PictureDatePickerOpen},
    };
    enum Path { OkButton, Escape, CloseBox };
    QComboBox field;
    field.setEditable(true);
    field.addItems({"$current_time$", "$current_date$", "$Random String$", "$Exif Data$", "$MP3 Data$"});
    field.show();
    app.LastListIndex = -1;
    for (const Opener &o : openers) {
        for (Path path : {OkButton, Escape, CloseBox}) {
            SCOPED_TRACE(PickerNames[int(o.kind)].toStdString() + " path " + std::to_string(path));
            renamewin::TokenPicker *p = nullptr;
            if (*o.item) {
                field.setCurrentIndex(field.findText(QString::fromUtf8(o.item)));
                p = pickers.itemChosen(&field, {}, true);
            } else {
                pickers.showPictureDate();
                p = pickers.openPicker(o.kind);
            }
            ASSERT_NE(p, nullptr);
            EXPECT_TRUE(p->isVisible());
            EXPECT_TRUE(app.*o.flag);
            QPointer<renamewin::TokenPicker> window = p;
            field.setEditText(QStringLiteral("typed"));
            switch (path) {
            case OkButton:
                clickButton(p->findChild<QPushButton *>(QStringLiteral("Command1")));
                break;
            case Escape:
                QTest::keyClick(p, Qt::Key_Escape);
                break;
            case CloseBox:
                p->close();
                break;
            }
            EXPECT_FALSE(app.*o.flag);
            EXPECT_EQ(pickers.openPicker(o.kind), nullptr);
            settle();
            EXPECT_TRUE(window.isNull()) << "a closed picker is gone";
            // Only "OK" of the pickers with a text of their own writes; closing otherwise writes
            // nothing.
            const QString expected = o.kind == PickerKind::Random && path == OkButton ? QStringLiteral("$Rand$_")
                                     : o.kind == PickerKind::Time && path == OkButton ? QString()
                                     : o.kind == PickerKind::Date && path == OkButton ? QString()
                                                                                      : QStringLiteral("typed");
            EXPECT_EQ(field.currentText(), expected);
        }
    }

    // A picker opened again before the closed one is gone stays open.
    field.setCurrentIndex(0);
    pickers.itemChosen(&field, {}, true)->close();
    pickers.itemChosen(&field, {}, true);
    settle();
    EXPECT_TRUE(app.TimePickerOpen);
    EXPECT_NE(pickers.openPicker(PickerKind::Time), nullptr);
}

TEST_F(TokenPickersTest, TestButtonsShowASampleOnlyWhileHeld)
{
    // The rename window's Test: a press whose release is lost still gives the mask back.
    showPanel(TokenAction::Suffix);
    choose(combo(TokenAction::Suffix), QStringLiteral("$Random String$"));
    renamewin::frmRenamer &w = window();
    w.Text61->setText(QStringLiteral("AAaa##"));
    QApplication::setActiveWindow(&w);  // focus moves only in the active window
    const QPoint middle = w.Command9->rect().center();
    QTest::mousePress(w.Command9, Qt::LeftButton, {}, middle);
    EXPECT_EQ(w.Text61->text(), QStringLiteral("AAaa00"));
    QTest::mousePress(w.Command9, Qt::LeftButton, {}, middle);
    EXPECT_EQ(w.Text61->text(), QStringLiteral("AAaa00"));
    w.Text60->setFocus();  // the release goes elsewhere
    EXPECT_EQ(w.Text61->text(), QStringLiteral("AAaa##"));
    QTest::mousePress(w.Command9, Qt::LeftButton, {}, middle);
    w.List3->setCurrentRow(0);  // another panel: the button hides
    EXPECT_EQ(w.Text61->text(), QStringLiteral("AAaa##"));
    showPanel(TokenAction::Suffix);
    QTest::mouseClick(w.Command9, Qt::RightButton, {}, middle);
    EXPECT_EQ(w.Text61->text(), QStringLiteral("AAaa##"));
    w.Command9->setFocus();
    QTest::keyClick(w.Command9, Qt::Key_Space);
    EXPECT_EQ(w.Text61->text(), QStringLiteral("AAaa##")) << "the keyboard shows nothing";

    // The random picker's Test; closing while it is held confirms the mask, not the sample.
    QComboBox field;
    field.setEditable(true);
    field.addItem(QStringLiteral("$Random String$"));
    field.show();
    pickers.itemChosen(&field, {}, true);
    auto *random = picker<renamewin::frmRandom>(PickerKind::Random);
    EXPECT_EQ(random->Text62->text(), QString()) << "no mask confirmed yet";
    random->Text62->setText(QStringLiteral("H-N"));
    QTest::mousePress(random->Command10, Qt::LeftButton, {}, random->Command10->rect().center());
    EXPECT_EQ(random->Text62->text(), QStringLiteral("0-A"));
    QTest::mouseRelease(random->Command10, Qt::LeftButton, {}, random->Command10->rect().center());
    EXPECT_EQ(random->Text62->text(), QStringLiteral("H-N"));
    QTest::mousePress(random->Command10, Qt::LeftButton, {}, random->Command10->rect().center());
    clickButton(random->Command1);
    EXPECT_EQ(field.currentText(), QStringLiteral("$Rand$_H-N"));
    EXPECT_EQ(app.RandomMaskText, QStringLiteral("H-N"));
}

TEST_F(TokenPickersTest, RenameWindowUnloadClosesItsPickers)
{
    showPanel(TokenAction::Suffix);
    QComboBox *suffix = combo(TokenAction::Suffix);
    for (const char *item : {"$current_time$", "$current_date$", "$MP3 Data$", "$Exif Data$"})
        choose(suffix, QString::fromUtf8(item));
    QComboBox field;
    field.setEditable(true);
    field.addItem(QStringLiteral("$Random String$"));
    pickers.itemChosen(&field, {}, true);
    form.reset();
    EXPECT_EQ(openPickers(), QStringList({"frmRandom", "formSelID3"}));
    EXPECT_FALSE(app.TimePickerOpen || app.DatePickerOpen || app.ExifPickerOpen);
}

TEST_F(TokenPickersTest, Screenshots)
{
    showPanel(TokenAction::Suffix);
    QComboBox *suffix = combo(TokenAction::Suffix);
    app.LastListIndex = -1;
    for (const char *item : {"$current_time$", "$current_date$", "$Exif Data$", "$MP3 Data$"})
        choose(suffix, QString::fromUtf8(item));
    pickers.showPictureDate();
    QComboBox field;
    field.setEditable(true);
    field.addItem(QStringLiteral("$Random String$"));
    pickers.itemChosen(&field, {}, true);
    picker<renamewin::frmRandom>(PickerKind::Random)->Text62->setText(QStringLiteral("AAaa##"));
    for (int k = 0; k < renamewin::PickerKindCount; ++k) {
        renamewin::TokenPicker *p = pickers.openPicker(PickerKind(k));
        ASSERT_NE(p, nullptr);
        // Each picker shows its controls whole and apart, and its texts.
        shownwhole::expectShownWhole(*p);
        const QString path = testfiles::artifactFolder() + "/renamewin_" + p->objectName() + ".png";
        EXPECT_TRUE(p->grab().save(path)) << path.toStdString();
    }

    // The date picker open under its combo, over the rename window.
    choose(suffix, QStringLiteral("$current_date$"));
    renamewin::TokenPicker *date = pickers.openPicker(PickerKind::Date);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->frameGeometry().top(), suffix->mapToGlobal(QPoint(0, suffix->height())).y());
    const QRect window = this->window().frameGeometry();
    QPixmap scene(window.size());
    scene.fill(Qt::white);
    QPainter painter(&scene);
    this->window().render(&painter);
    const QPoint at = date->frameGeometry().topLeft() - this->window().mapToGlobal(QPoint(0, 0));
    date->render(&painter, at);
    painter.end();
    const QString path = testfiles::artifactFolder() + "/renamewin_frmDateFormat_under_cmbSuffix.png";
    EXPECT_TRUE(scene.save(path)) << path.toStdString();
}

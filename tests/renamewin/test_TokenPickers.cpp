// The token combos of the rename window and the pickers they open, driven as a user drives them:
// items chosen from the opened drop-down list, typed text confirmed with Enter or left, and the
// tokens the pickers write as the engine reads them.
#include "TokenPickersFixture.h"

using namespace renamewintest;

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

// Wherever the rename window stands, each picker opens against the field it writes into, below it
// where there is room and above it otherwise, wholly on the screen: the picture-date picker that
// the EXIF picker's "DateTime" opens as well.
TEST_F(TokenPickersTest, EveryPickerOpensAgainstItsFieldWhollyOnTheScreen)
{
    renamewin::frmRenamer &w = window();
    showPanel(TokenAction::Suffix);
    QComboBox *field = combo(TokenAction::Suffix);
    const QRect screen = field->screen()->availableGeometry();
    struct Place {
        const char *name;
        QPoint fieldAt;  // the field's top-left corner on the screen
        bool above;      // no room below the field
    };
    const Place places[] = {
        {"high on the screen", {screen.left() + 250, screen.top() + 40}, false},
        {"low on the screen", {screen.left() + 250, screen.bottom() - 40}, true},
        {"at the right edge", {screen.right() - field->width() / 2, screen.top() + 40}, false},
        {"in the bottom-left corner", {screen.left(), screen.bottom() - field->height()}, true},
    };
    struct Opener {
        const char *item;
        std::vector<PickerKind> open;
    };
    const Opener openers[] = {
        {"$current_date$", {PickerKind::Date}},
        {"$modified_time$", {PickerKind::Time}},
        {"$MP3 Data$", {PickerKind::Mp3}},
        {"$Exif Data$", {PickerKind::Exif, PickerKind::PictureDate}},
    };
    for (const Place &place : places) {
        w.move(w.pos() + place.fieldAt - field->mapToGlobal(QPoint(0, 0)));
        const QRect at(field->mapToGlobal(QPoint(0, 0)), field->size());
        ASSERT_EQ(at.topLeft(), place.fieldAt);
        for (const Opener &o : openers) {
            SCOPED_TRACE(std::string(place.name) + " " + o.item);
            choose(field, QString::fromUtf8(o.item));
            if (auto *exif = qobject_cast<renamewin::TagListPicker *>(pickers.openPicker(PickerKind::Exif)))
                clickRow(exif, rowOf(exif, QStringLiteral("DateTime")));
            for (PickerKind kind : o.open) {
                const renamewin::TokenPicker *p = pickers.openPicker(kind);
                ASSERT_NE(p, nullptr) << int(kind);
                ASSERT_TRUE(p->isVisible());
                const QRect frame = p->frameGeometry();
                EXPECT_TRUE(screen.contains(frame)) << p->objectName().toStdString();
                EXPECT_FALSE(frame.intersects(at)) << p->objectName().toStdString();
                if (place.above)
                    EXPECT_EQ(frame.bottom() + 1, at.top()) << p->objectName().toStdString();
                else
                    EXPECT_EQ(frame.top(), at.bottom() + 1) << p->objectName().toStdString();
            }
            pickers.close({PickerKind::Time, PickerKind::Date, PickerKind::Exif, PickerKind::Mp3,
                           PickerKind::PictureDate});
            settle();
            app.LastListIndex = -1;
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

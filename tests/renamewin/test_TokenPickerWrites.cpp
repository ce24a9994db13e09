// What each token picker writes and when: only a choice or "OK" writes, into the field of the
// last choice or the grid cell that opened it; every way of closing a picker, the rows it
// remembers, its "Test" button held, and its look.
#include "ComboItemChoice.h"
#include "ShownWhole.h"
#include "TokenPickersFixture.h"

using namespace renamewintest;

TEST_F(TokenPickersTest, PickersClosedWithoutAChoiceWriteNothing)
{
    renamewin::frmRenamer &w = window();
    showPanel(TokenAction::Suffix);
    QComboBox *suffix = combo(TokenAction::Suffix);
    app.TimeFormatText = QStringLiteral("$min$");
    app.DateFormatText = QStringLiteral("$yyyy$");
    app.RandomMaskText = QStringLiteral("##");
    // The random picker comes from the fields of the replace lists, not from the rename window.
    QComboBox randomField;
    randomField.setEditable(true);
    randomField.addItem(QStringLiteral("$Random String$"));
    randomField.setCurrentIndex(-1);
    QObject::connect(new renamewin::ComboItemChoice(&randomField), &renamewin::ComboItemChoice::chosen,
                     &randomField, [&] { pickers.itemChosen(&randomField, {}, true); });
    randomField.show();
    enum Way { Escape, CloseBox, FocusLoss };
    struct Opener {
        const char *item;
        PickerKind kind;
        int16_t exifIndex;  // remembered EXIF row
        int16_t mp3Index;   // remembered MP3 row
        const char *kept;   // the field's text while the picker is open: the item unless given
        bool focusLossOnly; // the random picker's closing is its "OK"
    };
    const Opener openers[] = {
        {"$current_time$", PickerKind::Time, -1, -1, nullptr, false},
        {"$modified_date$", PickerKind::Date, -1, -1, nullptr, false},
        {"$Exif Data$", PickerKind::Exif, renamewin::ExifDateTimeIndex, -1, nullptr, false},
        {"$Exif Data$", PickerKind::Exif, -1, -1, nullptr, false},
        {"$MP3 Data$", PickerKind::Mp3, -1, -1, nullptr, false},
        {"$MP3 Data$", PickerKind::Mp3, -1, 2, nullptr, false},
        {"$Random String$", PickerKind::Random, -1, -1, nullptr, true},
        // The EXIF picker's "DateTime" leads on to the picture-date picker.
        {"$Exif Data$", PickerKind::PictureDate, -1, -1, "$Exif_date_$mmddyyyy$", false},
    };
    for (const Opener &o : openers) {
        for (Way way : {Escape, CloseBox, FocusLoss}) {
            if (o.focusLossOnly && way != FocusLoss)
                continue;
            SCOPED_TRACE(std::string(o.item) + " picker " + std::to_string(int(o.kind)) + " remembered "
                         + std::to_string(o.exifIndex) + "/" + std::to_string(o.mp3Index) + " way "
                         + std::to_string(way));
            app.LastListIndex = o.exifIndex;
            app.LastID3ListIndex = o.mp3Index;
            QComboBox *field = o.kind == PickerKind::Random ? &randomField : suffix;
            choose(field, QString::fromUtf8(o.item));
            QStringList expectedOpen;
            if (o.kind == PickerKind::PictureDate) {
                clickRow(picker<renamewin::formSelExif>(PickerKind::Exif), renamewin::ExifDateTimeIndex);
                expectedOpen << QStringLiteral("formSelExif");
            }
            const QString kept = QString::fromUtf8(o.kept ? o.kept : o.item);
            EXPECT_EQ(field->currentText(), kept);
            renamewin::TokenPicker *p = pickers.openPicker(o.kind);
            ASSERT_NE(p, nullptr);
            expectedOpen.prepend(p->objectName());
            EXPECT_EQ(openPickers(), expectedOpen) << "nothing leads on by itself";
            // The picker takes the keyboard: its list, combo or mask box gets the focus.
            QApplication::setActiveWindow(p);
            QWidget *control = p->findChild<QComboBox *>(QStringLiteral("cmbFirst"));
            if (!control)
                control = p->findChild<QListWidget *>(QStringLiteral("list1"));
            if (!control)
                control = p->findChild<QLineEdit *>(QStringLiteral("Text62"));
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
            EXPECT_EQ(field->currentText(), kept);
            EXPECT_EQ(window.isNull() || !window->isVisible(), way != FocusLoss);
            pickers.close({PickerKind::Time, PickerKind::Date, PickerKind::Exif, PickerKind::Mp3,
                           PickerKind::PictureDate, PickerKind::Random});
            settle();
            if (o.kind != PickerKind::Random) {
                EXPECT_EQ(field->currentText(), kept) << "closing writes nothing either";
            }
        }
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
    // Leaving the picture-date picker writes nothing; its "OK" writes the format it shows.
    QApplication::setActiveWindow(pictureDate);
    pictureDate->cmbFirst->setFocus();
    QApplication::setActiveWindow(&window());
    prefix->setFocus();
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$mmddyyyy$"));
    QApplication::setActiveWindow(pictureDate);
    clickButton(pictureDate->Command1);
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$hh_mm_ss$"));
    EXPECT_EQ(openPickers(), QStringList());
    settle();

    // "DateTime" picked again while the picture-date picker is open writes the default picture
    // date; the format the picker shows is then written by its "OK".
    choose(prefix, QStringLiteral("$Exif Data$"));
    exif = picker<renamewin::formSelExif>(PickerKind::Exif);
    clickRow(exif, renamewin::ExifDateTimeIndex);
    pictureDate = picker<renamewin::frmEDateFormat>(PickerKind::PictureDate);
    choose(pictureDate->cmbFirst, QStringLiteral("$yyyy$"));
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$yyyy$"));
    clickRow(exif, renamewin::ExifDateTimeIndex);
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$mmddyyyy$"));
    EXPECT_EQ(pictureDate->cmbFirst->currentText(), QStringLiteral("$yyyy$"));
    clickButton(pictureDate->Command1);
    EXPECT_EQ(prefix->currentText(), QStringLiteral("$Exif_date_$yyyy$"));
    EXPECT_EQ(openPickers(), QStringList({"formSelExif"}));
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

    // A cell opens the picker, a rename-window combo takes the target, the picker closes: only
    // the combo gets the token, the cell keeps its text.
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

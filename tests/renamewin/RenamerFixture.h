#pragma once
// A rename window wired to test services: recorded message boxes, file dialogs and shell, a
// fixed clock and random numbers, a main list served from a table, and a temporary program
// folder (VEXLO_HOME) so the rename log lands in the test's own folder.
#include "AppState.h"
#include "Clock.h"
#include "Dialogs.h"
#include "MainFileList.h"
#include "MessageService.h"
#include "MetadataSource.h"
#include "RenamerInput.h"
#include "RandomSource.h"
#include "Shell.h"
#include "DragListBox.h"
#include "TestFiles.h"
#include "frmRenamer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace renamewintest {

/** The main list as a table of items. */
class TableMainList : public renamewin::MainFileList {
public:
    int32_t Count() const override { return int32_t(items.size()); }
    renamewin::MainListItem Item(int32_t index) const override { return items.at(size_t(index - 1)); }
    std::vector<renamewin::MainListItem> items;
};

/** Picture lines by full path; counts the pictures read. */
class TableMetadata : public engine::MetadataSource {
public:
    QStringList exifLines(const QString &fullPath) override
    {
        read << fullPath;
        return pictures.value(fullPath);
    }
    void setMusicFile(const QString &) override {}
    QString musicText(engine::Id3Field) const override { return {}; }
    double musicNumber(engine::Id3Field) const override { return 0; }
    QHash<QString, QStringList> pictures;
    QStringList read;
};

class RenamerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(files.isValid());
        qputenv("VEXLO_HOME", home.path().toLocal8Bit());
        app.services = {&messages, &dialogs, &shell, &clock, &random};
    }
    void TearDown() override { qunsetenv("VEXLO_HOME"); }

    /** Builds the window (after the test has prepared AppState). */
    renamewin::frmRenamer &window()
    {
        if (!form) {
            form = std::make_unique<renamewin::frmRenamer>(app, &metadata);
            form->setMainFileList(&mainList);
        }
        return *form;
    }

    /** A file in the temporary folder, listed (checked) in the main list. */
    void addFile(const QString &name, const QByteArray &bytes = "x", bool checked = true,
                 const QString &type = QStringLiteral("TXT File"))
    {
        testfiles::writeFile(folder() + name, bytes);
        mainList.items.push_back({name, folder(), type, checked});
        if (checked)
            ++app.SelFileCount;
    }
    QString folder() const { return files.path() + u'/'; }

    // ---- A user's clicks and keys on the shown window (RenamerInput.h) ----
    static void clickCentre(QWidget *control) { renamewintest::clickCentre(control); }
    void clickAction(int row) { renamewintest::clickRow(window().List3, row); }
    void clickActionCheck(int row) { renamewintest::clickCheck(window().List3, row); }
    static void chooseItem(QComboBox *combo, const QString &item) { renamewintest::chooseItem(combo, item); }

    QTemporaryDir home;
    QTemporaryDir files;
    AppState app;
    RecordingMessageService messages;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9))};
    FixedRandom random{{0.0f}};
    TableMainList mainList;
    TableMetadata metadata;
    std::unique_ptr<renamewin::frmRenamer> form;
};

} // namespace renamewintest

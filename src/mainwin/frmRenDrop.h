#pragma once
/**
 * The rename-drop review dialog: walks through the preview rows one at a time, renaming each
 * with its proposed or an edited name, or skipping it. Closing it ends the rename-drop run.
 */
#include "FolderFollower.h"
#include "RenamedItems.h"

#include <QDialog>
#include <QHash>
#include <cstddef>

class QLabel;
class QLineEdit;
class QPushButton;
class MessageService;

namespace engine {
class PreviewTable;
}

namespace mainwin {

class frmRenDrop : public QDialog {
    Q_OBJECT
public:
    /** Rows inside a folder the dialog renames follow it: their Path in `grid` is changed. */
    frmRenDrop(engine::PreviewTable &grid, MessageService &messages, QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLineEdit *txtOrig = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *txtCalc = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *txtModPath = nullptr;
    QLineEdit *txtModName = nullptr;
    QPushButton *Command3 = nullptr; ///< "Rename"
    QPushButton *Command2 = nullptr; ///< "Skip"
    QPushButton *Command4 = nullptr; ///< "Rename All"
    QPushButton *Command1 = nullptr; ///< "Skip All"

    /** The row shown (1-based); beyond the last row once every row was handled. */
    size_t CurrentRow = 1;
    /** How many moves failed in this dialog (a retried row counts once per failure). */
    int FailedMoves = 0;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    /** Escape: closes the dialog, which ends the run. */
    void reject() override;

signals:
    /** The dialog closed (however it was closed): the run is over. */
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowDropRow(size_t row);
    bool RenameDropRow(size_t row, QString &error);
    size_t rowCount() const;

    engine::PreviewTable &m_grid;
    MessageService &m_messages;
    engine::FolderFollower m_follower;
    // The items renamed in this run, with the row that did it.
    engine::RenamedItems m_renamed;
    bool m_unloaded = false;
    bool m_closing = false;
};

} // namespace mainwin

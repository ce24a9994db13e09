#pragma once
/**
 * The main window's folder tree: folders only, from the file system's root, with hidden folders
 * on request and a check-box mode for picking several folders. A click on a folder is reported
 * with a hit-test code: 64 when it hit the folder's check box, 4 when it hit the folder itself.
 */
#include <QElapsedTimer>
#include <QTreeView>

class QFileSystemModel;
class QTimer;

namespace mainwin {

class FolderCheckModel;

class FolderTree : public QTreeView {
    Q_OBJECT
public:
    /** The hit-test codes of FolderClick. */
    enum HitCode : int { OnItemLabel = 4, OnItemStateIcon = 64 };

    explicit FolderTree(QWidget *parent = nullptr);

    /** The selected folder's path without a trailing "/" (the root is "/"); empty when no
     *  folder is selected. */
    QString SelectedFolder() const;
    /** Selects an existing folder, opening the tree down to it; other paths are ignored. */
    void SetSelectedFolder(const QString &path);

    /** Check-box mode: 1 shows a check box beside every folder, 0 none. Switching clears the
     *  check marks. */
    void SetCheckBoxes(int mode);
    int CheckBoxes() const;
    bool IsChecked(const QString &path) const;
    /** Sets a folder's check mark (in check-box mode) without raising FolderClick. */
    void SetChecked(const QString &path, bool checked);

    /** Shows or hides folders whose names start with ".". */
    void SetShowHidden(bool show);
    bool ShowHidden() const;

    /** Re-reads the folders from disk, keeping the selection. */
    void RefreshFolders();

    /** Acts as a click on a folder: selects it, toggles its check box when `onCheckBox` (in
     *  check-box mode) and raises FolderClick with the matching code. */
    void ClickFolder(const QString &path, bool onCheckBox = false);

signals:
    /** A folder was clicked; `Code` is the hit-test code of the click. */
    void FolderClick(int Code);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void createModel();
    QModelIndex indexOf(const QString &path) const;

    QFileSystemModel *m_files = nullptr;
    FolderCheckModel *m_checks = nullptr;
    bool m_showHidden = false;
    QPersistentModelIndex m_pressed;
    bool m_toggled = false;
    bool m_scrollPending = false;
    QString m_pendingPath;
    QElapsedTimer m_pendingSince;
    QTimer *m_scrollTimer = nullptr;
};

} // namespace mainwin

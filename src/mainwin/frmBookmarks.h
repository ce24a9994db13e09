#pragma once
/**
 * The bookmarks window: the bookmark names beside their folders, one row per bookmark. A left
 * click on either list selects the bookmark in both and takes the main window's folder tree to
 * its folder; the arrow keys move both lists together, so the Delete key and the menu's
 * "Delete" always remove one whole bookmark. The window reads "bookmarks.bks" when it is
 * loaded and writes it when it is closed.
 */
#include "BookmarkStore.h"

#include <QWidget>

class QAction;
class QListWidget;
class QMenu;
struct AppState;

namespace mainwin {

class frmBookmarks : public QWidget {
    Q_OBJECT
public:
    /** Loads the window (reads the bookmarks file) without showing it. */
    frmBookmarks(AppState &state, QWidget *parent = nullptr);

    QListWidget *lstNames = nullptr;
    QListWidget *lstBookmarks = nullptr;
    QMenu *mnuPopup = nullptr;
    QAction *mnuDelete = nullptr;
    QAction *mnuOnTop = nullptr;
    QAction *mnuClearAll = nullptr;

    const BookmarkStore &Store() const { return m_store; }
    /** Appends a bookmark unless its folder is already there; a folder or name the file cannot
     *  keep is refused with a message. */
    void AddBookmark(const QString &name, const QString &folder);

    void mnuDelete_Click();
    void mnuClearAll_Click();
    void mnuOnTop_Click();
    /** Another window went on top: the entry loses its tick and the window leaves the top,
     *  without touching TopMostWindow. */
    void ClearOnTop();

signals:
    /** A bookmark was chosen: the folder tree goes to `folder`. */
    void bookmarkChosen(const QString &folder);
    /** The window went on top: the other windows clear their on-top boxes. */
    void onTopTaken();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void FillLists();
    void SelectRow(int row);
    /** The bookmark of the row the user works on in `list`; -1 for none. */
    int RowOf(const QListWidget *list) const;
    void DeleteRow(int row);

    AppState &m_state;
    BookmarkStore m_store;
    QListWidget *m_menuList = nullptr;
    bool m_unloaded = false;
};

} // namespace mainwin

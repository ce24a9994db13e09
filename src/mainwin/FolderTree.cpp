#include "FolderTree.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSet>
#include <QTimer>
#include <QWheelEvent>

namespace mainwin {

namespace {
// How long the selected folder is kept in view while the tree reads its folders.
constexpr qint64 KeepInViewMs = 3000;
} // namespace

/** Adds check boxes to the folders of a file-system model; the marks are kept by path. */
class FolderCheckModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    bool enabled = false;
    QSet<QString> checked;

    QString pathOf(const QModelIndex &index) const
    {
        return sourceModel()->data(mapToSource(index), QFileSystemModel::FilePathRole).toString();
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = QIdentityProxyModel::flags(index);
        if (enabled && index.column() == 0)
            f |= Qt::ItemIsUserCheckable;
        return f;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::CheckStateRole) {
            if (!enabled || index.column() != 0)
                return {};
            return checked.contains(pathOf(index)) ? Qt::Checked : Qt::Unchecked;
        }
        return QIdentityProxyModel::data(index, role);
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::CheckStateRole)
            return QIdentityProxyModel::setData(index, value, role);
        if (!enabled || index.column() != 0)
            return false;
        const QString path = pathOf(index);
        if (value.toInt() == Qt::Checked)
            checked.insert(path);
        else
            checked.remove(path);
        emit dataChanged(index, index, {Qt::CheckStateRole});
        emit toggled();
        return true;
    }

signals:
    void toggled();
};

FolderTree::FolderTree(QWidget *parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("ftv"));
    setToolTip(QStringLiteral("Select drawing folder(s)"));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_scrollTimer = new QTimer(this);
    m_scrollTimer->setSingleShot(true);
    m_scrollTimer->setInterval(30);
    connect(m_scrollTimer, &QTimer::timeout, this, [this] {
        if (currentIndex().isValid())
            scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    createModel();
    const QModelIndex home = indexOf(QDir::homePath());
    if (home.isValid()) {
        setExpanded(home, true);
        for (QModelIndex p = home.parent(); p.isValid(); p = p.parent())
            setExpanded(p, true);
    }
}

void FolderTree::createModel()
{
    auto *files = new QFileSystemModel(this);
    QDir::Filters filters = QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives;
    if (m_showHidden)
        filters |= QDir::Hidden;
    files->setFilter(filters);
    files->setReadOnly(true);
    // The tree shows the folders as it read them: rows never move under the pointer because a
    // folder appeared somewhere on disk. Expanding a folder reads it; "Re&fresh Folders" reads
    // the whole tree anew.
    files->setOption(QFileSystemModel::DontWatchForChanges);
    files->setRootPath(QDir::rootPath());
    // Folders load in the background and arrive in batches: keep the selected folder in view
    // until the user takes the tree over.
    // That ends once the folder holding it has been read, or after a few seconds at most:
    // folders that appear later (other programs create them all the time) must not move the
    // tree under the user's pointer.
    auto keepInView = [this] {
        if (m_scrollPending && m_pendingSince.isValid() && m_pendingSince.elapsed() > KeepInViewMs)
            m_scrollPending = false;
        if (m_scrollPending)
            m_scrollTimer->start();
    };
    connect(files, &QAbstractItemModel::rowsInserted, this, keepInView);
    connect(files, &QAbstractItemModel::layoutChanged, this, keepInView);
    connect(files, &QFileSystemModel::directoryLoaded, this, [this](const QString &folder) {
        if (m_scrollPending && QDir::cleanPath(folder) == QFileInfo(m_pendingPath).path()) {
            m_scrollTimer->start();
            m_scrollPending = false;
        }
    });

    auto *checks = new FolderCheckModel(this);
    checks->setSourceModel(files);
    if (m_checks) {
        checks->enabled = m_checks->enabled;
        checks->checked = m_checks->checked;
    }
    connect(checks, &FolderCheckModel::toggled, this, [this] { m_toggled = true; });
    setModel(checks);
    for (int c = 1; c < checks->columnCount(); ++c)
        hideColumn(c);

    delete m_checks;
    delete m_files;
    m_files = files;
    m_checks = checks;
}

QModelIndex FolderTree::indexOf(const QString &path) const
{
    if (path.isEmpty() || path.contains(QChar(0)) || !QFileInfo(path).isDir())
        return {};
    return m_checks->mapFromSource(m_files->index(QDir::cleanPath(path)));
}

QString FolderTree::SelectedFolder() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current))
        return {};
    return QDir::cleanPath(m_checks->pathOf(current));
}

void FolderTree::SetSelectedFolder(const QString &path)
{
    const QModelIndex index = indexOf(path);
    if (!index.isValid())
        return;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        setExpanded(p, true);
    setCurrentIndex(index);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_scrollPending = true;
    m_pendingPath = QDir::cleanPath(path);
    m_pendingSince.start();
}

void FolderTree::SetCheckBoxes(int mode)
{
    m_checks->enabled = mode == 1;
    m_checks->checked.clear();
    viewport()->update();
}

int FolderTree::CheckBoxes() const
{
    return m_checks->enabled ? 1 : 0;
}

bool FolderTree::IsChecked(const QString &path) const
{
    return m_checks->checked.contains(QDir::cleanPath(path));
}

void FolderTree::SetChecked(const QString &path, bool checked)
{
    const QModelIndex index = indexOf(path);
    if (index.isValid())
        m_checks->setData(index, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void FolderTree::SetShowHidden(bool show)
{
    if (show == m_showHidden)
        return;
    m_showHidden = show;
    QDir::Filters filters = m_files->filter();
    filters.setFlag(QDir::Hidden, show);
    m_files->setFilter(filters);
}

bool FolderTree::ShowHidden() const
{
    return m_showHidden;
}

void FolderTree::RefreshFolders()
{
    const QString selected = SelectedFolder();
    createModel();
    SetSelectedFolder(selected.isEmpty() ? QDir::homePath() : selected);
    if (selected.isEmpty())
        clearSelection();
}

void FolderTree::ClickFolder(const QString &path, bool onCheckBox)
{
    const QModelIndex index = indexOf(path);
    if (!index.isValid())
        return;
    SetSelectedFolder(path);
    m_toggled = false;
    if (onCheckBox && m_checks->enabled)
        SetChecked(path, !IsChecked(path));
    emit FolderClick(m_toggled ? OnItemStateIcon : OnItemLabel);
}

void FolderTree::mousePressEvent(QMouseEvent *event)
{
    m_scrollPending = false;
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    // Presses on the branch indicator only open or close the folder.
    m_pressed = index.isValid() && pos.x() >= visualRect(index).left() ? QPersistentModelIndex(index)
                                                                       : QPersistentModelIndex();
    QTreeView::mousePressEvent(event);
}

void FolderTree::mouseReleaseEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    m_toggled = false;
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && index.isValid() && index == m_pressed) {
        // A click on a check box does not move the selection by itself; the folder whose box
        // was ticked becomes the current folder, as with the keyboard.
        if (m_toggled && index != currentIndex())
            setCurrentIndex(index);
        emit FolderClick(m_toggled ? OnItemStateIcon : OnItemLabel);
    }
    m_pressed = QPersistentModelIndex();
}

void FolderTree::wheelEvent(QWheelEvent *event)
{
    m_scrollPending = false;
    QTreeView::wheelEvent(event);
}

void FolderTree::keyPressEvent(QKeyEvent *event)
{
    m_scrollPending = false;
    m_toggled = false;
    QTreeView::keyPressEvent(event);
    if (!currentIndex().isValid())
        return;
    if (m_toggled)
        emit FolderClick(OnItemStateIcon);
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit FolderClick(OnItemLabel);
}

} // namespace mainwin

#include "FolderTree.moc"

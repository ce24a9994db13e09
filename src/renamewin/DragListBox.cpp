#include "DragListBox.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace renamewin {

namespace {
const QString RowDragFormat = QStringLiteral("application/x-morvane-list-row");

QListWidget *sourceList(const QDropEvent *event)
{
    return qobject_cast<QListWidget *>(event->source());
}
} // namespace

DragListBox::DragListBox(QWidget *parent) : QListWidget(parent)
{
    setDragEnabled(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
}

void DragListBox::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // A press on a row's check box selects the row too, as anywhere else on the row.
    const int row = indexAt(event->position().toPoint()).row();
    if (row >= 0 && row != currentRow())
        setCurrentRow(row);
    m_pressed = true;
    m_pressAt = event->position().toPoint();
    if (onMouseDown)
        onMouseDown(m_pressAt.y());
}

void DragListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressAt).manhattanLength() >= QApplication::startDragDistance()) {
        m_pressed = false;
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        data->setData(RowDragFormat, QByteArray());
        drag->setMimeData(data);
        drag->exec(Qt::MoveAction);
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void DragListBox::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    QListWidget::mouseReleaseEvent(event);
}

void DragListBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(RowDragFormat) && sourceList(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DragListBox::dragMoveEvent(QDragMoveEvent *event)
{
    QListWidget *source = sourceList(event);
    if (!event->mimeData()->hasFormat(RowDragFormat) || !source) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (onDragOver)
        onDragOver(source, event->position().toPoint().y());
}

void DragListBox::dropEvent(QDropEvent *event)
{
    QListWidget *source = sourceList(event);
    if (!event->mimeData()->hasFormat(RowDragFormat) || !source) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (onDragDrop)
        onDragDrop(source, event->position().toPoint().y());
}

} // namespace renamewin

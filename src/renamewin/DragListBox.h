#pragma once
/**
 * A list box whose rows the user reorders by dragging with the left button. A left press selects
 * the row under the pointer, its check box included. The list tells its owner where the drag
 * began, where it moves over a list and where it is dropped (positions in the list's own
 * pixels), and the owner moves the rows.
 */
#include <QListWidget>
#include <functional>

namespace renamewin {

class DragListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DragListBox(QWidget *parent = nullptr);

    /** The left button went down at `y`. */
    std::function<void(int y)> onMouseDown;
    /** A drag from `source` moves over this list at `y`. */
    std::function<void(QListWidget *source, int y)> onDragOver;
    /** A drag from `source` was dropped on this list at `y`. */
    std::function<void(QListWidget *source, int y)> onDragDrop;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QPoint m_pressAt;
    bool m_pressed = false;
};

} // namespace renamewin

#pragma once
/**
 * The anchor component's property page: lists the controls of the anchored window and lets the
 * user switch each control's four edge anchors on and off; "Apply" writes them into the
 * control's tag, where the component's DoInit reads them.
 */
#include <QDialog>
#include <QList>
#include <QPointer>

class QDialogButtonBox;
class QLabel;
class QListWidget;

namespace common {

class ppAnchors : public QDialog {
    Q_OBJECT
public:
    /** The page on `host` (the window of the last anchor component when null). */
    explicit ppAnchors(QWidget *host = nullptr, QWidget *parent = nullptr);

    QListWidget *lstCtrls;
    /** Left, Top, Right, Bottom; black = anchored, white = not. */
    QList<QLabel *> lblSides;

    void PropertyPage_Initialize();
    void lstCtrls_Click();
    void lblSides_Click(int Index);
    void PropertyPage_ApplyChanges();

    /** Whether an edge label shows "anchored". */
    bool sideAnchored(int Index) const;
    bool Changed() const { return m_changed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QObject *selectedControl() const;
    void setSide(int Index, bool anchoredOn);
    void setChanged(bool changed);

    QPointer<QWidget> m_host;
    QDialogButtonBox *m_buttons;
    bool m_changed = false;
};

} // namespace common

#pragma once
/**
 * Reports the items chosen from a combo box's list: a click in the drop-down list, the arrow
 * keys or the wheel. A text typed into the edit field is no choice, even when it spells an item
 * and Enter confirms it or the field is left. The edit field shows the chosen item's text when
 * `chosen` is emitted.
 */
#include <QObject>
#include <QString>

class QComboBox;

namespace renamewin {

class ComboItemChoice : public QObject {
    Q_OBJECT
public:
    /** Watches `combo`; the watcher is a child of the combo. */
    explicit ComboItemChoice(QComboBox *combo);

signals:
    void chosen(const QString &item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void activated(int index);

    QComboBox *m_combo;
    bool m_enterTyped = false;
    bool m_leaving = false;
};

} // namespace renamewin

#pragma once
/**
 * The list control's properties dialog, opened from its popup menu: the General, Sort,
 * Highlight Column, File Search and Column Headers pages over one control. "Apply" and "OK"
 * check every changed value on every page first and write nothing when one is refused.
 */
#include <QDialog>
#include <vector>

class MessageService;
class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace filelist {

class ListViewEditable;
class PropertyPage;

class ListPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    ListPropertiesDialog(ListViewEditable &control, MessageService &messages, QWidget *parent = nullptr);

    QTabWidget *tabPages;
    const std::vector<PropertyPage *> &Pages() const { return m_pages; }
    QPushButton *cmdApply() const;

    /** Checks and writes the changes of every page; false (nothing written) when one is
     *  refused, after saying why. */
    bool ApplyChanges();

private:
    void updateApply();

    ListViewEditable &m_control;
    MessageService &m_messages;
    std::vector<PropertyPage *> m_pages;
    QDialogButtonBox *m_buttons;
};

} // namespace filelist

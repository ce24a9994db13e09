#include "ListPropertiesDialog.h"

#include "ListViewEditable.h"
#include "MessageService.h"
#include "VbError.h"
#include "pagColumnHeaders.h"
#include "pagFileSearch.h"
#include "pagGeneral.h"
#include "pagHighlightColumn.h"
#include "pagSort.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace filelist {

ListPropertiesDialog::ListPropertiesDialog(ListViewEditable &control, MessageService &messages, QWidget *parent)
    : QDialog(parent), m_control(control), m_messages(messages)
{
    setObjectName(QStringLiteral("frmListProperties"));
    setWindowTitle(QStringLiteral("Properties"));
    tabPages = new QTabWidget(this);
    tabPages->setObjectName(QStringLiteral("tabPages"));
    m_pages = {new pagGeneral, new pagSort, new pagHighlightColumn, new pagColumnHeaders, new pagFileSearch};
    for (PropertyPage *page : m_pages) {
        tabPages->addTab(page, page->Caption());
        page->PropertyPage_SelectionChanged(&m_control);
        connect(page, &PropertyPage::ChangedChanged, this, &ListPropertiesDialog::updateApply);
    }
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(cmdApply(), &QPushButton::clicked, this, [this] { ApplyChanges(); });
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        if (ApplyChanges())
            accept();
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabPages, 1);
    layout->addWidget(m_buttons);
    updateApply();
}

QPushButton *ListPropertiesDialog::cmdApply() const
{
    return m_buttons->button(QDialogButtonBox::Apply);
}

void ListPropertiesDialog::updateApply()
{
    bool any = false;
    // "Apply" is offered while some value differs from the one loaded.
    for (const PropertyPage *page : m_pages)
        any = any || page->HasChanges();
    cmdApply()->setEnabled(any);
}

bool ListPropertiesDialog::ApplyChanges()
{
    for (PropertyPage *page : m_pages) {
        if (const auto refusal = page->ValidateChanges()) {
            const QString text = refusal->message.isEmpty()
                                     ? QStringLiteral("%1: %2").arg(refusal->what, vb::errorText(refusal->error))
                                     : refusal->message;
            tabPages->setCurrentWidget(page);
            m_messages.MsgBox(text, msg::Exclamation, windowTitle());
            return false;
        }
    }
    for (PropertyPage *page : m_pages)
        page->PropertyPage_ApplyChanges();
    // The applied values are the control's values now: the pages start again from them.
    for (PropertyPage *page : m_pages)
        page->PropertyPage_SelectionChanged(&m_control);
    updateApply();
    return true;
}

} // namespace filelist

#include "frmBName.h"

#include "AppState.h"
#include "FolderTree.h"
#include "frmBookmarks.h"
#include "frmMain.h"
#include "frmPref.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mainwin {

frmBName::frmBName(AppState &state, frmMain &main) : QDialog(&main), m_state(state), m_main(main)
{
    setObjectName(QStringLiteral("frmBName"));
    setWindowTitle(QStringLiteral("Bookmark Name"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *label = new QLabel(QStringLiteral("Bookmark &Name:"), this);
    txtBName = new QLineEdit(this);
    txtBName->setObjectName(QStringLiteral("txtBName"));
    txtBName->setMinimumWidth(220);
    label->setBuddy(txtBName);
    Check1 = new QCheckBox(QStringLiteral("Don't Ask Names"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    // Enter anywhere in the dialog presses "OK".
    Command1->setDefault(true);

    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(txtBName, 1, 0, 1, 2);
    layout->addWidget(Check1, 2, 0);
    layout->addWidget(Command1, 2, 1);

    // Form_Load: the box shows the preference.
    Check1->setChecked(m_state.SkipBookmarkName != 0);
    connect(Check1, &QCheckBox::toggled, this, &frmBName::Check1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmBName::Command1_Click);
}

void frmBName::Check1_Click()
{
    const int16_t value = Check1->isChecked() ? 1 : 0;
    m_state.SkipBookmarkName = value;
    frmPref &pref = m_main.Pref();
    pref.EnsureLoaded();
    pref.chkBkr->setChecked((value ^ 1) != 0);
}

void frmBName::Command1_Click()
{
    frmBookmarks &bookmarks = m_main.Bookmarks();
    const QString folder = m_main.ftv->SelectedFolder();
    if (!folder.isEmpty() && !bookmarks.Store().Contains(folder))
        bookmarks.AddBookmark(Check1->isChecked() ? bookmarks.Store().DefaultName() : txtBName->text(), folder);
    close();
}

} // namespace mainwin

#include "ReplaceListDialogs.h"

#include "TokenPickers.h"
#include "WindowHelpers.h"
#include "frmExtReplace.h"
#include "frmMain.h"
#include "frmRenamer.h"
#include "frmSReplace.h"

#include <QCheckBox>
#include <QComboBox>
#include <utility>

namespace replacelists {

ReplaceListDialogs::ReplaceListDialogs(AppState &app, renamewin::frmRenamer &renamer,
                                       mainwin::frmMain *main, renamewin::TokenPickers *pickers)
    : QObject(&renamer), m_app(app), m_renamer(renamer), m_main(main), m_pickers(pickers)
{
    connect(&renamer, &renamewin::frmRenamer::replaceOptionsRequested, this, &ReplaceListDialogs::ShowStrings);
    connect(&renamer, &renamewin::frmRenamer::extensionReplaceRequested, this, &ReplaceListDialogs::ShowExtensions);
    connect(&renamer, &renamewin::frmRenamer::onTopChecked, this, &ReplaceListDialogs::onTopTaken);
    if (main) {
        connect(main, &mainwin::frmMain::onTopTaken, this, &ReplaceListDialogs::onTopTaken);
        connect(main, &mainwin::frmMain::unloading, this, &ReplaceListDialogs::Unload);
    }
}

ReplaceListDialogs::~ReplaceListDialogs()
{
    Unload();
}

void ReplaceListDialogs::connectDialog(frmSReplace *dialog)
{
    connect(dialog, &frmSReplace::onTopChecked, this, [this] {
        m_renamer.chkOnTop->setChecked(false);
        if (m_main)
            m_main->chkOnTop->setChecked(false);
    });
    if (m_pickers) {
        connect(dialog, &frmSReplace::tokenItemChosen, this,
                [this, dialog](QComboBox *field, int row, int column) {
                    const renamewin::TokenCell cell{row > 0 ? dialog : nullptr, row, column};
                    m_pickers->itemChosen(field, cell, true);
                });
    }
    // A closed dialog is gone for good, even before its deletion: the next showing loads anew.
    connect(dialog, &frmSReplace::unloaded, this, [this, dialog] {
        std::erase_if(m_closed, [](const QPointer<frmSReplace> &closed) { return closed.isNull(); });
        m_closed.emplace_back(dialog);
        if (m_strings == dialog)
            m_strings = nullptr;
        if (m_extensions == dialog)
            m_extensions = nullptr;
    });
    common::CenterForm(dialog);
}

void ReplaceListDialogs::ShowStrings()
{
    if (!m_strings) {
        m_strings = new frmSReplace(m_app);
        connectDialog(m_strings);
    }
    common::BringToFront(m_strings);
}

void ReplaceListDialogs::ShowExtensions()
{
    if (!m_extensions) {
        m_extensions = new frmExtReplace(m_app);
        connectDialog(m_extensions);
    }
    common::BringToFront(m_extensions);
}

frmSReplace *ReplaceListDialogs::strings() const
{
    return m_strings.data();
}

frmExtReplace *ReplaceListDialogs::extensions() const
{
    return m_extensions.data();
}

void ReplaceListDialogs::Unload()
{
    delete m_strings.data();
    delete m_extensions.data();
    for (const QPointer<frmSReplace> &dialog : std::exchange(m_closed, {}))
        delete dialog.data();
}

void ReplaceListDialogs::onTopTaken()
{
    if (m_strings)
        m_strings->chkOnTop->setChecked(false);
}

} // namespace replacelists

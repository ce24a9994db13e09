#include "RenListManInstance.h"

#include "frmRenListMan.h"
#include "WindowHelpers.h"
#include "frmRenamer.h"

namespace settingsfiles {

RenListManInstance::RenListManInstance(renamewin::frmRenamer &renamer)
    : QObject(&renamer), m_renamer(renamer)
{
    connect(&renamer, &renamewin::frmRenamer::manageRequested, this, &RenListManInstance::Show);
}

RenListManInstance::~RenListManInstance()
{
    delete m_window.data();
}

void RenListManInstance::Show()
{
    if (!m_window) {
        m_window = new frmRenListMan(m_renamer);
        common::CenterForm(m_window);
    }
    common::BringToFront(m_window);
}

frmRenListMan *RenListManInstance::window() const
{
    return m_window.data();
}

void RenListManInstance::Unload()
{
    delete m_window.data();
}

} // namespace settingsfiles

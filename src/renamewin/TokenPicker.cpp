#include "TokenPicker.h"

#include "AppState.h"
#include "TokenCellTarget.h"
#include "TokenPickers.h"
#include "WindowHelpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>

namespace renamewin {

TokenPicker::TokenPicker(AppState &app, TokenPickers &pickers, PickerKind kind,
                         const QString &caption, int clientWidthTwips, int clientHeightTwips,
                         bool resizable)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      m_app(app),
      m_pickers(pickers),
      m_layout(this, clientWidthTwips, clientHeightTwips),
      m_kind(kind),
      m_resizable(resizable)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    // A resizable picker grows with its list; below its design size its controls, whose fonts
    // do not shrink, would overlap.
    if (resizable) {
        resize(m_layout.designSize());
        setMinimumSize(m_layout.designSize());
    } else
        setFixedSize(m_layout.designSize());
}

TokenPicker::~TokenPicker()
{
    // A closed picker cleared its flag already, which a new picker of its kind may have set.
    if (!m_unloaded)
        openFlag() = false;
}

bool &TokenPicker::openFlag() const
{
    switch (m_kind) {
    case PickerKind::Time: return m_app.TimePickerOpen;
    case PickerKind::Date: return m_app.DatePickerOpen;
    case PickerKind::PictureDate: return m_app.PictureDatePickerOpen;
    case PickerKind::Random: return m_app.RandomPickerOpen;
    case PickerKind::Exif: return m_app.ExifPickerOpen;
    case PickerKind::Mp3: return m_app.ID3PickerOpen;
    }
    return m_app.TimePickerOpen;
}

void TokenPicker::Form_Load()
{
    load();
    common::SetWindowTopMost(this, true);
    openFlag() = true;
}

void TokenPicker::writeToken(const QString &token)
{
    auto *field = qobject_cast<QComboBox *>(m_app.TokenTargetCombo.data());
    if (field)
        field->setEditText(token);
}

void TokenPicker::Form_Unload()
{
    beforeUnload();
    if (m_app.TokenTargetGrid && !leavesCellToPictureDate()) {
        auto *cell = dynamic_cast<TokenCellTarget *>(m_app.TokenTargetGrid.data());
        auto *field = qobject_cast<QComboBox *>(m_app.TokenTargetCombo.data());
        m_app.TokenTargetGrid = nullptr;
        if (cell && field)
            cell->writeTokenCell(m_app.TokenTargetRow, m_app.TokenTargetCol, field->currentText());
    }
    afterUnload();
    openFlag() = false;
    m_unloaded = true;
}

void TokenPicker::closeEvent(QCloseEvent *event)
{
    m_pickers.closing(this);
    Form_Unload();
    QWidget::closeEvent(event);
}

void TokenPicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TokenPicker::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_resizable)
        m_layout.ResizeForm();
}

} // namespace renamewin

#include "FormatPicker.h"

#include "AppState.h"
#include "ComboItemChoice.h"

#include <QComboBox>
#include <QPushButton>

namespace renamewin {

FormatPicker::FormatPicker(AppState &app, TokenPickers &pickers, PickerKind kind,
                           const QString &caption, const QStringList &items,
                           QString AppState::*remembered)
    : TokenPicker(app, pickers, kind, caption, 4575, 3345, false), m_remembered(remembered)
{
    cmbFirst = m_layout.combo(this, QStringLiteral("cmbFirst"), items, true, {240, 360, 4095, 315});
    Command1 = m_layout.button(this, QStringLiteral("Command1"), QStringLiteral("OK"), {1680, 2640, 1215, 375});
    connect(new ComboItemChoice(cmbFirst), &ComboItemChoice::chosen, this, &FormatPicker::cmbFirst_Click);
    connect(Command1, &QPushButton::clicked, this, &FormatPicker::Command1_Click);
}

void FormatPicker::load()
{
    // The remembered format is shown selected; only a choice or "OK" writes it.
    const QString remembered = m_app.*m_remembered;
    const int index = cmbFirst->findText(remembered);
    if (index >= 0)
        cmbFirst->setCurrentIndex(index);
    cmbFirst->setEditText(remembered);
}

void FormatPicker::cmbFirst_Click()
{
    writeToken(formatPickerToken(cmbFirst->currentText(), m_app.TokenTargetText));
    m_app.*m_remembered = cmbFirst->currentText();
    m_chosen = true;
}

void FormatPicker::Command1_Click()
{
    writeToken(formatPickerToken(cmbFirst->currentText(), m_app.TokenTargetText));
    close();
}

} // namespace renamewin

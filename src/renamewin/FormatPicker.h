#pragma once
/**
 * The three date and time pickers: a combo of format words `cmbFirst` and an "OK" button
 * `Command1`. Choosing an item writes it as a token (formatPickerToken, by the generic item the
 * field asked for) and remembers the combo's text; a typed text reaches the field only through
 * "OK". The load step shows the remembered text again without writing it.
 */
#include "TokenPicker.h"

class QComboBox;
class QPushButton;

namespace renamewin {

class FormatPicker : public TokenPicker {
    Q_OBJECT
public:
    QComboBox *cmbFirst = nullptr;
    QPushButton *Command1 = nullptr;

    /** An item chosen in cmbFirst. */
    void cmbFirst_Click();
    /** "OK": writes the combo's text through the same grammar and closes. */
    virtual void Command1_Click();

protected:
    /** `remembered` is the program-wide text the picker restores and keeps. */
    FormatPicker(AppState &app, TokenPickers &pickers, PickerKind kind, const QString &caption,
                 const QStringList &items, QString AppState::*remembered);
    void load() override;

    /** An item was chosen (and so written) since the picker opened. */
    bool m_chosen = false;

private:
    QString AppState::*m_remembered;
};

} // namespace renamewin

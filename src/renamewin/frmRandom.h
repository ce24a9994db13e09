#pragma once
/**
 * The random-mask picker "Random Strings": a mask box `Text62` with its "Test" button
 * `Command10` and the legend of the mask letters, and "OK" `Command1`. Confirming writes
 * "$Rand$_" and the mask and remembers the mask (AppState::RandomMaskText); only "OK" confirms,
 * with the mask itself even while Test is held. Closed otherwise, the picker writes nothing.
 */
#include "TokenPicker.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace renamewin {

class MaskTest;

class frmRandom : public TokenPicker {
    Q_OBJECT
public:
    frmRandom(AppState &app, TokenPickers &pickers);

    QGroupBox *frmPrefixR = nullptr;
    QLabel *Label66 = nullptr;
    QLineEdit *Text62 = nullptr;
    QPushButton *Command10 = nullptr;
    QPlainTextEdit *Text63 = nullptr;
    QPushButton *Command1 = nullptr;

    /** "OK": confirms and closes. */
    void Command1_Click();
    /** The Test button pressed (true) or released, with a mouse button code (1 = left). */
    void Command10_Mouse(bool pressed, int button);

protected:
    void load() override;
    void beforeUnload() override;

private:
    void confirm();

    MaskTest *m_test = nullptr;
};

} // namespace renamewin

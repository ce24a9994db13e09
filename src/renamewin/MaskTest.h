#pragma once
/**
 * The "Test" button of a random mask: while the left mouse button holds it down, the mask box
 * shows a random string drawn from its mask, and the mask comes back on the release. The mask
 * waits in the box's "Tag" property meanwhile. A release that never arrives (the button loses
 * the focus or is hidden first) brings the mask back too, and a second press never takes a
 * sample for the mask. Other mouse buttons and the keyboard show nothing.
 */
#include <QObject>

class QLineEdit;
class QPushButton;
class RandomSource;

namespace renamewin {

class MaskTest : public QObject {
    Q_OBJECT
public:
    /** Watches `button` for the mask box `mask`; the watcher is a child of the button. */
    MaskTest(QPushButton *button, QLineEdit *mask, RandomSource &random);

    /** A mouse button pressed (true) or released on the Test button; `button` is the mouse
     *  button code (1 = left, 2 = right, 4 = middle). */
    void mouse(bool pressed, int button);
    /** Puts a mask that waits in the tag back into the box. */
    void restore();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_mask;
    RandomSource &m_random;
};

} // namespace renamewin

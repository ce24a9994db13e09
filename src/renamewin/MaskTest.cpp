#include "MaskTest.h"

#include "Functions.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVariant>

namespace renamewin {

namespace {

// Where the mask waits while its sample shows.
const char *const MaskTag = "Tag";

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

} // namespace

MaskTest::MaskTest(QPushButton *button, QLineEdit *mask, RandomSource &random)
    : QObject(button), m_mask(mask), m_random(random)
{
    button->installEventFilter(this);
}

void MaskTest::mouse(bool pressed, int button)
{
    if (button != 1)
        return;
    if (!pressed) {
        restore();
        return;
    }
    if (!m_mask->property(MaskTag).isValid())
        m_mask->setProperty(MaskTag, m_mask->text());
    m_mask->setText(common::RandomStringFromMask(m_mask->property(MaskTag).toString(), m_random));
}

void MaskTest::restore()
{
    const QVariant saved = m_mask->property(MaskTag);
    if (!saved.isValid())
        return;
    m_mask->setText(saved.toString());
    m_mask->setProperty(MaskTag, QVariant());
}

bool MaskTest::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        mouse(event->type() == QEvent::MouseButtonPress,
              buttonCode(static_cast<QMouseEvent *>(event)->button()));
        break;
    case QEvent::FocusOut:
    case QEvent::Hide:
        restore();
        break;
    default:
        break;
    }
    return false;
}

} // namespace renamewin

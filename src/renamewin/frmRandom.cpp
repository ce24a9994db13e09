#include "frmRandom.h"

#include "AppState.h"
#include "MaskTest.h"
#include "TokenPickers.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace renamewin {

frmRandom::frmRandom(AppState &app, TokenPickers &pickers)
    : TokenPicker(app, pickers, PickerKind::Random, QStringLiteral("Random Strings"), 4680, 3090, false)
{
    setObjectName(QStringLiteral("frmRandom"));
    FormLayout &f = m_layout;
    frmPrefixR = f.frame(this, QStringLiteral("frmPrefixR"), QString(), {120, 60, 4440, 2340});
    Label66 = f.label(frmPrefixR, QStringLiteral("Label66"), QStringLiteral("Mask String:"), {120, 300, 1080, 255});
    Text62 = f.text(frmPrefixR, QStringLiteral("Text62"), QStringLiteral("AAaa##"), {1260, 270, 1620, 285});
    Command10 = f.button(frmPrefixR, QStringLiteral("Command10"), QStringLiteral("Test"), {3060, 240, 1200, 345});
    Text63 = f.memo(frmPrefixR, QStringLiteral("Text63"), maskLegend(), {120, 720, 4200, 1500});
    Text63->setReadOnly(true);
    Text63->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text63->setFrameShape(QFrame::NoFrame);
    QPalette face = Text63->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    Text63->setPalette(face);
    Command1 = f.button(this, QStringLiteral("Command1"), QStringLiteral("OK"), {1740, 2550, 1215, 375});

    m_test = new MaskTest(Command10, Text62, pickers.random());
    connect(Command1, &QPushButton::clicked, this, &frmRandom::Command1_Click);
}

void frmRandom::load()
{
    Text62->setText(m_app.RandomMaskText);
}

void frmRandom::confirm()
{
    m_test->restore();
    writeToken(randomMaskToken(Text62->text()));
    m_app.RandomMaskText = Text62->text();
}

void frmRandom::Command1_Click()
{
    // Only "OK" confirms: a picker closed otherwise writes nothing.
    confirm();
    close();
}

void frmRandom::Command10_Mouse(bool pressed, int button)
{
    m_test->mouse(pressed, button);
}

void frmRandom::beforeUnload()
{
    m_test->restore();
}

} // namespace renamewin

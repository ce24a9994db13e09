#include "frmSplash.h"

#include "SplashPicture.h"
#include "WindowHelpers.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

namespace mainwin {

frmSplash::frmSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setObjectName(QStringLiteral("Frame1"));

    Image1 = new QLabel(Frame1);
    Image1->setPixmap(QPixmap::fromImage(SplashPicture(QSize(320, 240))));

    lblProductName = new QLabel(Frame1);
    QFont big = lblProductName->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    lblProductName->setFont(big);
    lblVersion = new QLabel(Frame1);
    Label3 = new QLabel(QStringLiteral("For Files and Folders"), Frame1);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(Label3->font().pointSizeF() * 1.2);
    arial.setItalic(true);
    Label3->setFont(arial);
    Command1 = new QPushButton(QStringLiteral("Skip"), Frame1);
    connect(Command1, &QPushButton::clicked, this, &frmSplash::Command1_Click);

    const std::pair<QWidget *, const char *> names[] = {
        {Image1, "Image1"}, {lblProductName, "lblProductName"}, {lblVersion, "lblVersion"},
        {Label3, "Label3"}, {Command1, "Command1"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));

    auto *texts = new QVBoxLayout;
    texts->addStretch();
    texts->addWidget(lblProductName);
    texts->addWidget(Label3);
    texts->addSpacing(12);
    texts->addWidget(lblVersion);
    texts->addStretch();
    texts->addWidget(Command1, 0, Qt::AlignRight);
    auto *inner = new QHBoxLayout(Frame1);
    inner->addWidget(Image1);
    inner->addSpacing(12);
    inner->addLayout(texts);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Frame1);

    Form_Load();
}

void frmSplash::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version 1.1.0"));
    lblProductName->setText(QStringLiteral("Morvane"));
}

void frmSplash::Command1_Click()
{
    close();
    if (m_mainWindow)
        common::CenterForm(m_mainWindow);
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    close();
}

} // namespace mainwin

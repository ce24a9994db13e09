#include "frmAbout.h"

#include "Shell.h"
#include "SplashPicture.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

namespace mainwin {

namespace {

QLabel *linkLabel(const QString &caption, const QString &address, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setProperty("Tag", address);
    label->setCursor(Qt::PointingHandCursor);
    QFont f = label->font();
    f.setUnderline(true);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 192));
    label->setPalette(p);
    return label;
}

} // namespace

frmAbout::frmAbout(Shell *shell, QWidget *parent) : QDialog(parent), m_shell(shell)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));

    auto *picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(SplashPicture(QSize(96, 72))));

    Label1 = new QLabel(QStringLiteral("Morvane (Ver 1.0.0)"), this);
    QFont title = Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    Label1->setFont(title);
    Label2 = new QLabel(QStringLiteral("A program to batch rename files and folders."), this);
    Label3 = new QLabel(QStringLiteral("Copyright (C) the Morvane developers. Free to use, copy and share."), this);
    Label3->setWordWrap(true);
    Label9 = linkLabel(QStringLiteral("Home"), QStringLiteral("https://morvane.example.org/"), this);
    Label16 = linkLabel(QStringLiteral("Contact"), QStringLiteral("https://morvane.example.org/contact"), this);
    Label9->installEventFilter(this);
    Label16->installEventFilter(this);

    Frame10 = new QFrame(this);
    Frame10->setFrameShape(QFrame::HLine);
    Frame10->setFrameShadow(QFrame::Sunken);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);

    picture->setObjectName(QStringLiteral("Image1"));
    const std::pair<QWidget *, const char *> names[] = {
        {Label1, "Label1"}, {Label2, "Label2"},   {Label3, "Label3"},    {Label9, "Label9"},
        {Label16, "Label16"}, {Frame10, "Frame10"}, {Command1, "Command1"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));

    auto *texts = new QVBoxLayout;
    texts->addWidget(Label1);
    texts->addWidget(Label2);
    texts->addWidget(Label3);
    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label9);
    bottom->addSpacing(16);
    bottom->addWidget(Label16);
    bottom->addStretch();
    bottom->addWidget(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Frame10);
    layout->addLayout(bottom);
    setFixedWidth(sizeHint().width() + 40);
}

void frmAbout::Command1_Click()
{
    close();
}

void frmAbout::Label9_Click()
{
    OpenLink(Label9->property("Tag").toString());
}

void frmAbout::Label16_Click()
{
    OpenLink(Label16->property("Tag").toString());
}

void frmAbout::OpenLink(const QString &Address)
{
    if (m_shell)
        m_shell->open(Address);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == Label9)
            Label9_Click();
        else if (watched == Label16)
            Label16_Click();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace mainwin

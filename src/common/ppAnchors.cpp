#include "ppAnchors.h"

#include "Anchor.h"
#include "FormControls.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace common {

namespace {

const QString DefaultFlags = QStringLiteral("TTFF*/");
const char *const SideCaptions[] = {"Left", "Top", "Right", "Bottom"};

QString entryText(const QObject *control)
{
    const int index = ControlIndex(control);
    return index < 0 ? control->objectName() : QStringLiteral("%1(%2)").arg(control->objectName()).arg(index);
}

// Named objects of the window that have no place on it (timers, actions): not listed.
QList<QObject *> unplacedObjects(const QWidget *host)
{
    QList<QObject *> out;
    for (QObject *child : host->findChildren<QObject *>()) {
        if (!child->isWidgetType() && !child->objectName().isEmpty() &&
            !child->objectName().startsWith(QLatin1String("qt_")))
            out.append(child);
    }
    return out;
}

} // namespace

ppAnchors::ppAnchors(QWidget *host, QWidget *parent)
    : QDialog(parent), m_host(host ? host : Anchor::AnchorHost())
{
    setObjectName(QStringLiteral("ppAnchors"));
    setWindowTitle(QStringLiteral("Anchors"));
    lstCtrls = new QListWidget(this);
    lstCtrls->setObjectName(QStringLiteral("lstCtrls"));
    auto *grid = new QGridLayout;
    // The four edges sit around a square that stands for the control.
    const QPoint cells[] = {{0, 1}, {1, 0}, {2, 1}, {1, 2}};
    for (int k = 0; k < 4; ++k) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblSides"));
        label->setProperty("Index", k);
        label->setToolTip(QLatin1String(SideCaptions[k]));
        label->setAutoFillBackground(true);
        label->setMinimumSize(k % 2 ? 60 : 14, k % 2 ? 14 : 60);
        label->installEventFilter(this);
        grid->addWidget(label, cells[k].y(), cells[k].x(), k % 2 ? Qt::AlignmentFlag(0) : Qt::AlignHCenter);
        lblSides.append(label);
        setSide(k, false);
    }
    auto *box = new QLabel(QStringLiteral("Control"), this);
    box->setAlignment(Qt::AlignCenter);
    box->setFrameShape(QFrame::Box);
    box->setMinimumSize(60, 60);
    grid->addWidget(box, 1, 1);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    auto *row = new QHBoxLayout;
    row->addWidget(lstCtrls, 1);
    row->addLayout(grid);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(m_buttons);

    connect(lstCtrls, &QListWidget::currentRowChanged, this, [this] { lstCtrls_Click(); });
    connect(m_buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] {
        PropertyPage_ApplyChanges();
        setChanged(false);
    });
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        if (m_changed)
            PropertyPage_ApplyChanges();
        accept();
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setChanged(false);
    PropertyPage_Initialize();
}

void ppAnchors::setChanged(bool changed)
{
    m_changed = changed;
    m_buttons->button(QDialogButtonBox::Apply)->setEnabled(changed);
}

void ppAnchors::setSide(int Index, bool anchoredOn)
{
    QLabel *label = lblSides.value(Index);
    if (!label)
        return;
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, anchoredOn ? Qt::black : Qt::white);
    label->setPalette(pal);
}

bool ppAnchors::sideAnchored(int Index) const
{
    const QLabel *label = lblSides.value(Index);
    return label && label->palette().color(QPalette::Window) == QColor(Qt::black);
}

void ppAnchors::PropertyPage_Initialize()
{
    lstCtrls->clear();
    if (!m_host)
        return;
    for (QWidget *control : FormControls(m_host)) {
        lstCtrls->addItem(entryText(control));
        const QString tag = ControlTag(control);
        if (!tag.contains(QStringLiteral("*/")))
            SetControlTag(control, DefaultFlags + tag);
    }
    for (QObject *object : unplacedObjects(m_host)) {
        const QString tag = ControlTag(object);
        if (tag.contains(QStringLiteral("*/")))
            SetControlTag(object, tag.mid(6));
    }
    if (lstCtrls->count() > 0)
        lstCtrls->setCurrentRow(0);
}

QObject *ppAnchors::selectedControl() const
{
    const QListWidgetItem *item = lstCtrls->currentItem();
    if (!item || !m_host)
        return nullptr;
    const QString text = item->text();
    const qsizetype open = text.indexOf(u'(');
    const QString name = open < 0 ? text : text.left(open);
    int index = -1;
    if (open >= 0)
        index = text.mid(open + 1, text.indexOf(u')', open) - open - 1).toInt();
    for (QWidget *control : FormControls(m_host)) {
        if (control->objectName() == name && (open < 0 || ControlIndex(control) == index))
            return control;
    }
    return nullptr;
}

void ppAnchors::lstCtrls_Click()
{
    const QObject *control = selectedControl();
    if (!control)
        return;
    const QString tag = ControlTag(control);
    for (int k = 0; k < 4; ++k)
        setSide(k, tag.size() > k && tag.at(k) == u'T');
}

void ppAnchors::lblSides_Click(int Index)
{
    setChanged(true);
    setSide(Index, !sideAnchored(Index));
}

void ppAnchors::PropertyPage_ApplyChanges()
{
    QObject *control = selectedControl();
    if (!control)
        return;
    QString tag = ControlTag(control);
    if (tag.size() >= 4)
        tag.remove(0, 4);
    for (int k = 3; k >= 0; --k)
        tag.prepend(sideAnchored(k) ? u'T' : u'F');
    SetControlTag(control, tag);
}

bool ppAnchors::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const int k = lblSides.indexOf(qobject_cast<QLabel *>(watched));
        if (k >= 0 && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            lblSides_Click(k);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace common

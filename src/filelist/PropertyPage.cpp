#include "PropertyPage.h"

#include "FormControls.h"
#include "modMSComctLib.h"
#include "VbConvert.h"
#include "VbError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdlib>

namespace filelist {

namespace {

template <class W>
W *arrayMember(W *w, const char *name, int index)
{
    w->setObjectName(QLatin1String(name));
    w->setProperty("Index", index);
    return w;
}

// What the user calls a control: its label's caption without the access key, else its name.
QString captionOf(const QWidget *control)
{
    for (const QLabel *label : control->parentWidget()->findChildren<QLabel *>()) {
        if (label->buddy() == control) {
            QString text = label->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
            if (text.endsWith(u':'))
                text.chop(1);
            return text;
        }
    }
    return QStringLiteral("%1(%2)").arg(control->objectName()).arg(common::ControlIndex(control));
}

} // namespace

PropertyPage::PropertyPage(const QString &name, const QString &caption, QWidget *parent)
    : QWidget(parent), m_caption(caption)
{
    setObjectName(name);
}

void PropertyPage::setChanged(bool changed)
{
    m_changed = changed;
    emit ChangedChanged(changed);
}

QWidget *PropertyPage::arrayControl(const char *name, int index) const
{
    for (QWidget *w : common::FormControls(this)) {
        if (w->objectName() == QLatin1String(name) && common::ControlIndex(w) == index)
            return w;
    }
    return nullptr;
}

QComboBox *PropertyPage::cboProp(int index) const { return qobject_cast<QComboBox *>(arrayControl("cboProp", index)); }
QCheckBox *PropertyPage::chkProp(int index) const { return qobject_cast<QCheckBox *>(arrayControl("chkProp", index)); }
QLineEdit *PropertyPage::txtProp(int index) const { return qobject_cast<QLineEdit *>(arrayControl("txtProp", index)); }
QLabel *PropertyPage::lblProp(int index) const { return qobject_cast<QLabel *>(arrayControl("lblProp", index)); }
QPushButton *PropertyPage::cmdDo(int index) const { return qobject_cast<QPushButton *>(arrayControl("cmdDo", index)); }

QComboBox *PropertyPage::addCombo(int index)
{
    auto *c = arrayMember(new QComboBox(this), "cboProp", index);
    connect(c, &QComboBox::currentIndexChanged, this, [this, index](int i) {
        if (i >= 0)
            cboProp_Click(index);
    });
    return c;
}

QCheckBox *PropertyPage::addCheck(int index, const QString &caption)
{
    auto *c = arrayMember(new QCheckBox(caption, this), "chkProp", index);
    connect(c, &QCheckBox::toggled, this, [this, index] { chkProp_Click(index); });
    return c;
}

QLineEdit *PropertyPage::addText(int index)
{
    auto *t = arrayMember(new QLineEdit(this), "txtProp", index);
    connect(t, &QLineEdit::textChanged, this, [this, index] { txtProp_Change(index); });
    return t;
}

QLabel *PropertyPage::addLabel(int index, const QString &caption, QWidget *buddy)
{
    auto *l = arrayMember(new QLabel(caption, this), "lblProp", index);
    l->setBuddy(buddy);
    return l;
}

QPushButton *PropertyPage::addButton(int index, const QString &caption)
{
    auto *b = arrayMember(new QPushButton(caption, this), "cmdDo", index);
    connect(b, &QPushButton::clicked, this, [this, index] { cmdDo_Click(index); });
    return b;
}

void PropertyPage::cboProp_Click(int Index)
{
    QComboBox *c = cboProp(Index);
    setChanged(SetTagNewValue(c, QString::number(c->currentData().toInt())));
}

void PropertyPage::chkProp_Click(int Index)
{
    QCheckBox *c = chkProp(Index);
    setChanged(SetTagNewValue(c, c->isChecked() ? QStringLiteral("1") : QStringLiteral("0")));
}

void PropertyPage::txtProp_Change(int Index)
{
    QLineEdit *t = txtProp(Index);
    setChanged(SetTagNewValue(t, t->text()));
}

QString PropertyPage::recordedValue(const QWidget *control) const
{
    if (const auto *text = qobject_cast<const QLineEdit *>(control))
        return text->text();
    return GetTagNewValue(control);
}

std::vector<std::pair<const PropertyPage::Target *, QVariant>>
PropertyPage::converted(const std::vector<Target> &targets, std::optional<Refusal> *refusal) const
{
    std::vector<std::pair<const Target *, QVariant>> out;
    for (QWidget *control : common::FormControls(this)) {
        if (common::ControlTag(control).isEmpty() || !IsTagChanged(control))
            continue;
        const Target *target = nullptr;
        for (const Target &t : targets) {
            if (t.name == control->objectName() && t.index == common::ControlIndex(control))
                target = &t;
        }
        if (!target)
            continue;
        const QString text = recordedValue(control);
        QVariant value;
        int error = vb::NoError;
        switch (target->conversion) {
        case Conversion::Whole: {
            const auto v = vb::CLng(vb::Val(text));
            error = v.error();
            value = v.valueOr(0);
            break;
        }
        case Conversion::Boolean:
            value = vb::Val(text) != 0;
            break;
        case Conversion::Int16: {
            const auto v = vb::CInt(vb::Val(text));
            error = v.error();
            value = int(v.valueOr(0));
            break;
        }
        case Conversion::Long: {
            const auto v = vb::CLng(text);
            error = v.error();
            value = v.valueOr(0);
            break;
        }
        case Conversion::Text:
            value = text;
            break;
        }
        if (error != vb::NoError) {
            if (refusal && !*refusal)
                *refusal = Refusal{error, captionOf(control), QString()};
            continue;
        }
        out.emplace_back(target, value);
    }
    return out;
}

std::optional<PropertyPage::Refusal> PropertyPage::ValidateChanges() const
{
    std::optional<Refusal> refusal;
    (void)converted(Targets(), &refusal);
    return refusal;
}

void PropertyPage::PropertyPage_ApplyChanges()
{
    if (!EditedControl)
        return;
    const std::vector<Target> targets = Targets();
    for (const auto &[target, value] : converted(targets, nullptr))
        target->write(*EditedControl, value);
}

} // namespace filelist

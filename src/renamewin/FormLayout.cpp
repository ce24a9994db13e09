#include "FormLayout.h"

#include "Functions.h"
#include "Resize.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace renamewin {

QRect Twips::pixels() const
{
    return QRect(common::twipsToPixels(left), common::twipsToPixels(top),
                 common::twipsToPixels(width), common::twipsToPixels(height));
}

FormLayout::FormLayout(QWidget *form, int clientWidthTwips, int clientHeightTwips)
    : m_form(form),
      m_design(common::twipsToPixels(clientWidthTwips), common::twipsToPixels(clientHeightTwips))
{
    // The design geometry was made for an 8-point dialog font.
    QFont font = form->font();
    font.setPointSizeF(DesignFontPoints);
    form->setFont(font);
}

void FormLayout::placeWidget(QWidget *widget, QWidget *parent, const QString &name, Twips at)
{
    widget->setParent(parent ? parent : m_form);
    widget->setObjectName(name);
    widget->setGeometry(at.pixels());
    m_placed.push_back({widget, at.pixels()});
}

QLabel *FormLayout::label(QWidget *parent, const QString &name, const QString &caption, Twips at)
{
    auto *w = place(new QLabel(caption), parent, name, at);
    w->setWordWrap(true);
    w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return w;
}

QPushButton *FormLayout::button(QWidget *parent, const QString &name, const QString &caption, Twips at)
{
    return place(new QPushButton(caption), parent, name, at);
}

QLineEdit *FormLayout::text(QWidget *parent, const QString &name, const QString &text, Twips at)
{
    return place(new QLineEdit(text), parent, name, at);
}

QPlainTextEdit *FormLayout::memo(QWidget *parent, const QString &name, const QString &text, Twips at)
{
    return place(new QPlainTextEdit(text), parent, name, at);
}

QCheckBox *FormLayout::check(QWidget *parent, const QString &name, const QString &caption, Twips at)
{
    return place(new QCheckBox(caption), parent, name, at);
}

QRadioButton *FormLayout::option(QWidget *parent, const QString &name, const QString &caption, Twips at)
{
    return place(new QRadioButton(caption), parent, name, at);
}

QGroupBox *FormLayout::frame(QWidget *parent, const QString &name, const QString &caption, Twips at)
{
    return place(new QGroupBox(caption), parent, name, at);
}

QComboBox *FormLayout::combo(QWidget *parent, const QString &name, const QStringList &items,
                             bool editable, Twips at)
{
    auto *w = place(new QComboBox, parent, name, at);
    w->setEditable(editable);
    if (editable)
        w->setInsertPolicy(QComboBox::NoInsert);
    w->addItems(items);
    w->setCurrentIndex(-1);
    if (editable)
        w->setEditText(QString());
    return w;
}

QListWidget *FormLayout::list(QWidget *parent, const QString &name, Twips at)
{
    return place(new QListWidget, parent, name, at);
}

void FormLayout::ResizeForm() const
{
    // The window is recorded from its design, so the first resize already scales.
    std::vector<std::pair<const QWidget *, QRect>> design;
    design.reserve(m_placed.size());
    for (const Placed &p : m_placed)
        design.emplace_back(p.widget, p.design);
    common::RecordForm(m_form, m_design, design);
    common::ResizeForm(m_form);
}

} // namespace renamewin

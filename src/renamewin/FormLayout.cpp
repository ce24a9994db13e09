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
#include <QRegularExpression>
#include <QStyle>
#include <functional>

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
    if (name.isEmpty()) {
        // A control the window never names still scales with it: it gets a name of its own, as
        // one element of an array of such controls.
        widget->setObjectName(QStringLiteral("ctlPlaced"));
        widget->setProperty("Index", int(m_placed.size()));
    } else {
        widget->setObjectName(name);
    }
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

namespace {

// The smallest font a caption is shrunk to so that it fits its design rectangle.
constexpr double SmallestPoints = 6.5;

// A caption wider than its design control would lose its end: a slightly smaller font keeps it
// whole. `needed` gives the width the control needs with a font.
void fitCaption(QWidget *control, const std::function<int()> &needed)
{
    QFont font = control->font();
    while (needed() > control->width() && font.pointSizeF() - 0.5 >= SmallestPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        control->setFont(font);
    }
}

} // namespace

QPushButton *FormLayout::button(QWidget *parent, const QString &name, const QString &caption, Twips at)
{
    QPushButton *b = place(new QPushButton(caption), parent, name, at);
    QString shown = caption;
    shown.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    const QStyle *style = b->style();
    const int margins = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b)
                             + style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b));
    fitCaption(b, [b, shown, margins] { return b->fontMetrics().horizontalAdvance(shown) + margins; });
    return b;
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
    QCheckBox *box = place(new QCheckBox(caption), parent, name, at);
    fitCaption(box, [box] { return box->sizeHint().width(); });
    return box;
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

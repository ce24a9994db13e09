#include "pagColumnHeaders.h"

#include "FormControls.h"
#include "Functions.h"
#include "ListViewEditable.h"
#include "modMSComctLib.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace filelist {

namespace {

QRect twips(int left, int top, int width, int height)
{
    return QRect(common::twipsToPixels(left), common::twipsToPixels(top), common::twipsToPixels(width),
                 common::twipsToPixels(height));
}

// Labels stand left of their editors, 1560 twips wide.
void placeLabel(QLabel *label, const QRect &editor)
{
    label->setGeometry(editor.x() - common::twipsToPixels(1620), editor.y(), common::twipsToPixels(1560), editor.height());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool unsafe(const QString &text)
{
    return text.contains(u'|') || text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

pagColumnHeaders::pagColumnHeaders(QWidget *parent)
    : PropertyPage(QStringLiteral("pagColumnHeaders"), QStringLiteral("Column Headers"), parent)
{
    setMinimumSize(common::twipsToPixels(7545), common::twipsToPixels(3090));
    QLineEdit *index = addText(0);
    index->setGeometry(twips(1680, 210, 915, 280));
    index->setReadOnly(true);
    placeLabel(addLabel(0, QStringLiteral("Index(&I):"), index), index->geometry());
    hsbIndex = new QScrollBar(Qt::Horizontal, this);
    hsbIndex->setObjectName(QStringLiteral("hsbIndex"));
    hsbIndex->setGeometry(twips(2640, 210, 495, 315));
    connect(hsbIndex, &QScrollBar::valueChanged, this, [this] { hsbIndex_Change(); });
    addButton(1, QStringLiteral("Insert New(&N)"))->setGeometry(twips(3270, 210, 2000, 280));
    addButton(2, QStringLiteral("Remove Column(&R)"))->setGeometry(twips(5370, 210, 2000, 280));
    QLineEdit *text = addText(1);
    text->setGeometry(twips(1680, 600, 5685, 280));
    placeLabel(addLabel(1, QStringLiteral("Text(&T):"), text), text->geometry());
    QComboBox *dataType = addCombo(1);
    dataType->setGeometry(twips(1710, 990, 2565, 315));
    placeLabel(addLabel(7, QStringLiteral("Data Type(&D):"), dataType), dataType->geometry());
    QComboBox *alignment = addCombo(0);
    alignment->setGeometry(twips(1710, 1350, 2565, 315));
    placeLabel(addLabel(2, QStringLiteral("Alignment(&M):"), alignment), alignment->geometry());
    QLineEdit *width = addText(2);
    width->setGeometry(twips(1710, 1740, 2565, 280));
    placeLabel(addLabel(3, QStringLiteral("Width(&W):"), width), width->geometry());
    QLineEdit *key = addText(3);
    key->setGeometry(twips(1710, 2100, 2565, 280));
    placeLabel(addLabel(4, QStringLiteral("Key(&K):"), key), key->geometry());
    addButton(0, QStringLiteral("Revert to Defaullt"))->setGeometry(twips(1710, 2550, 2565, 285));
}

void pagColumnHeaders::enableEditors(bool on)
{
    hsbIndex->setEnabled(on);
    for (QWidget *w : common::FormControls(this)) {
        if (!w->objectName().startsWith(QLatin1String("lbl")))
            w->setEnabled(on);
    }
    cmdDo(1)->setEnabled(true);
}

void pagColumnHeaders::PropertyPage_SelectionChanged(ListViewEditable *control)
{
    m_loaded = false;
    m_dirty = false;
    EditedControl = control;
    if (!control)
        return;
    FillColumnAlignmentCombo(cboProp(0), 0);
    FillDataTypeCombo(cboProp(1), 0);
    m_copy = ColHeaders();
    m_copy.AddFromColumnHeaders(control->ColumnHeaders());
    if (m_copy.Count() > 0) {
        enableEditors(true);
        hsbIndex->setMinimum(1);
        hsbIndex->setMaximum(m_copy.Count());
        hsbIndex->setValue(1);
        showColumn(1);
    } else {
        hsbIndex->setRange(0, 0);
        enableEditors(false);
    }
    QCoreApplication::processEvents();
    m_loaded = true;
    setChanged(false);
}

ColHeader *pagColumnHeaders::current()
{
    const int column = hsbIndex->value();
    if (column < 1 || column > m_copy.Count())
        return nullptr;
    return &m_copy.Item(int32_t(column));
}

void pagColumnHeaders::showColumn(int column)
{
    if (column < 1 || column > m_copy.Count())
        return;
    const ColHeader item = m_copy.Item(int32_t(column));
    txtProp(0)->setText(QString::number(column));
    cboProp(0)->setCurrentIndex(item.Alignment);
    cboProp(1)->setCurrentIndex(item.DataType);
    txtProp(1)->setText(item.Text);
    txtProp(2)->setText(WidthText(item.Width));
    txtProp(3)->setText(item.Key);
}

void pagColumnHeaders::hsbIndex_Change()
{
    if (hsbIndex->value() >= 1)
        showColumn(hsbIndex->value());
}

void pagColumnHeaders::cboProp_Click(int Index)
{
    ColHeader *item = current();
    if (!item)
        return;
    const int position = cboProp(Index)->currentIndex();
    if (Index == 0 && item->Alignment != position)
        item->Alignment = position, m_dirty = true;
    else if (Index == 1 && item->DataType != position)
        item->DataType = position, m_dirty = true;
    if (m_loaded && m_dirty)
        setChanged(true);
}

void pagColumnHeaders::txtProp_Change(int Index)
{
    ColHeader *item = current();
    if (!item || Index == 0)
        return;
    const QString text = txtProp(Index)->text();
    const ColHeader before = *item;
    if (Index == 1)
        item->Text = text;
    else if (Index == 2)
        item->Width = float(LeadingDecimal(text));
    else if (Index == 3)
        item->Key = text;
    if (!(before == *item))
        m_dirty = true;
    if (m_loaded && m_dirty)
        setChanged(true);
}

void pagColumnHeaders::cmdDo_Click(int Index)
{
    switch (Index) {
    case 0:
        cboProp(0)->setCurrentIndex(0);
        cboProp(1)->setCurrentIndex(0);
        txtProp(1)->setText(QStringLiteral("New Text"));
        txtProp(2)->setText(QStringLiteral("1500.00"));
        txtProp(3)->setText(QString());
        break;
    case 1: {
        const int old = hsbIndex->value();
        ColHeader fresh;
        fresh.Width = 1500;
        if (old == 0)
            m_copy.AddEx(&fresh, QString());
        else
            m_copy.AddEx(&fresh, QString(), ColHeaders::Index(int32_t(old)));
        enableEditors(true);
        hsbIndex->setMinimum(1);
        hsbIndex->setMaximum(m_copy.Count());
        hsbIndex->setValue(std::min(old + 1, m_copy.Count()));
        // The column that was current (now one place later) or the first one is shown.
        showColumn(hsbIndex->value());
        m_dirty = true;
        setChanged(true);
        break;
    }
    case 2: {
        const int column = hsbIndex->value();
        if (column >= 1)
            m_copy.Remove(ColHeaders::Index(int32_t(column)));
        m_dirty = true;
        setChanged(true);
        if (m_copy.Count() > 0) {
            hsbIndex->setMaximum(m_copy.Count());
            showColumn(hsbIndex->value());
        } else {
            hsbIndex->setRange(0, 0);
            enableEditors(false);
            cboProp(0)->setCurrentIndex(-1);
            cboProp(1)->setCurrentIndex(-1);
            for (int i = 0; i < 4; ++i)
                txtProp(i)->clear();
        }
        break;
    }
    default:
        break;
    }
}

std::optional<PropertyPage::Refusal> pagColumnHeaders::ValidateChanges() const
{
    if (!m_loaded || !m_dirty)
        return std::nullopt;
    for (const ColHeaders::Entry &e : m_copy) {
        if (unsafe(e.item.Text) || unsafe(e.item.Key))
            return Refusal{0, Caption(), QStringLiteral("A column caption or key may not contain \"|\" or a line break.")};
    }
    return std::nullopt;
}

void pagColumnHeaders::PropertyPage_ApplyChanges()
{
    if (!EditedControl || !m_loaded || !m_dirty)
        return;
    EditedControl->ListItems().SetColumnHeaders(m_copy.ToColumnHeaders());
    EditedControl->setColumnHeadersText(m_copy.GetTagText(QStringLiteral("\r\n")));
    m_dirty = false;
}

} // namespace filelist

#include "TagListPicker.h"

#include "AppState.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QEvent>
#include <QListWidget>
#include <QPushButton>

namespace renamewin {

namespace {
constexpr int ClientWidth = 2940;
}

TagListPicker::TagListPicker(AppState &app, TokenPickers &pickers, PickerKind kind,
                             const QString &caption, const QStringList &items,
                             int clientHeightTwips)
    : TokenPicker(app, pickers, kind, caption, ClientWidth, clientHeightTwips, true)
{
    list1 = m_layout.list(this, QStringLiteral("list1"), {60, 60, ClientWidth - 120, clientHeightTwips - 660});
    list1->setToolTip(QStringLiteral("Double Click to change"));
    list1->addItems(items);
    Command1 = m_layout.button(this, QStringLiteral("Command1"), QStringLiteral("OK"),
                               {(ClientWidth - 1215) / 2, clientHeightTwips - 495, 1215, 375});
    list1->installEventFilter(this);
    list1->viewport()->installEventFilter(this);

    // A press or a key that moves the selection picks through the row change; a click on the
    // row that was already selected picks again (the field may have changed since). A row that
    // becomes current otherwise (the remembered one, the list taking the focus) picks nothing.
    connect(list1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && m_userMoves)
            chosen();
    });
    connect(list1, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (list1->row(item) == m_rowAtPress)
            chosen();
    });
    connect(list1, &QListWidget::itemDoubleClicked, this, [this] {
        m_chosen = true;
        list1_DblClick();
    });
    connect(Command1, &QPushButton::clicked, this, &TagListPicker::Command1_Click);
}

void TagListPicker::chosen()
{
    m_chosen = true;
    list1_Click();
}

void TagListPicker::Command1_Click()
{
    // The row shown selected since the picker opened is written now, as a click on it would.
    if (!m_chosen && list1->currentRow() >= 0)
        chosen();
    close();
}

bool TagListPicker::leavesCellToPictureDate() const
{
    const auto *field = qobject_cast<const QComboBox *>(m_app.TokenTargetCombo.data());
    return field && field->currentText().contains(QLatin1String("$Exif_date"));
}

bool TagListPicker::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = watched == list1->viewport() && event->type() == QEvent::MouseButtonPress;
    const bool key = watched == list1 && event->type() == QEvent::KeyPress;
    if ((press || key) && !m_userMoves) {
        if (press)
            m_rowAtPress = list1->currentRow();
        // The list handles the event here, with the picker knowing that the user moves.
        const QScopedValueRollback moving(m_userMoves, true);
        QCoreApplication::sendEvent(watched, event);
        return true;
    }
    return TokenPicker::eventFilter(watched, event);
}

} // namespace renamewin

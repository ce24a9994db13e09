#include "formSelID3.h"

#include "AppState.h"

#include <QListWidget>

namespace renamewin {

formSelID3::formSelID3(AppState &app, TokenPickers &pickers)
    : TagListPicker(app, pickers, PickerKind::Mp3, QStringLiteral("Select MP3 Data"),
                    mp3FieldItems(), 4890)
{
    setObjectName(QStringLiteral("formSelID3"));
}

void formSelID3::load()
{
    const int index = m_app.LastID3ListIndex;
    if (index >= 0 && index < list1->count())
        list1->setCurrentRow(index);
}

void formSelID3::list1_Click()
{
    if (const QListWidgetItem *item = list1->currentItem())
        writeToken(mp3FieldToken(item->text()));
}

void formSelID3::list1_DblClick()
{
    list1_Click();
    close();
}

void formSelID3::afterUnload()
{
    m_app.LastID3ListIndex = int16_t(list1->currentRow());
}

} // namespace renamewin

#include "formSelExif.h"

#include "AppState.h"
#include "TokenPickers.h"

#include <QListWidget>

namespace renamewin {

formSelExif::formSelExif(AppState &app, TokenPickers &pickers)
    : TagListPicker(app, pickers, PickerKind::Exif, QStringLiteral("Select Exif Data"),
                    exifTagItems(), 5400)
{
    setObjectName(QStringLiteral("formSelExif"));
}

void formSelExif::load()
{
    const int index = m_app.LastListIndex;
    if (index >= 0 && index < list1->count())
        list1->setCurrentRow(index);
}

void formSelExif::pick(bool markDateChosen)
{
    const int index = list1->currentRow();
    if (index < 0)
        return;
    if (index == ExifDateTimeIndex) {
        m_pickers.showPictureDate();
        if (markDateChosen)
            m_app.ExifDateChosen = true;
        writeToken(exifDateTimeToken());
    } else {
        writeToken(exifTagToken(list1->item(index)->text()));
    }
}

void formSelExif::list1_Click()
{
    pick(true);
}

void formSelExif::list1_DblClick()
{
    pick(false);
    close();
}

void formSelExif::afterUnload()
{
    m_app.LastListIndex = int16_t(list1->currentRow());
}

} // namespace renamewin

#include "TitleWidth.h"

#include <QApplication>
#include <QFontMetrics>

namespace titlewidth {

int readableTitleWidth(const QString &title)
{
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    // The frame's icon and up to four buttons, each about a line high, and the margins.
    const int frameRoom = 6 * metrics.height() + 40;
    return metrics.horizontalAdvance(title) + frameRoom;
}

} // namespace titlewidth

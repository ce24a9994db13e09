#pragma once
/** How wide a window must be for its frame to show the whole title. */
#include <QString>

namespace titlewidth {

/** The width a window needs so that the frame's title bar holds `title` whole: the title in the
 *  title bar's bold font, with room beside it for the frame's icon and buttons (a window manager
 *  may give every window all of them, whatever the window asks for) and the margins. */
int readableTitleWidth(const QString &title);

} // namespace titlewidth

#pragma once
/** The program's picture, drawn in code: a stack of file sheets whose names change on the way
 *  through an arrow. Used by the splash and the about window. */
#include <QImage>
#include <QSize>

namespace mainwin {

/** The picture at `size` (it is drawn for a 4:3 frame and scaled to fit). */
QImage SplashPicture(QSize size = QSize(320, 240));

} // namespace mainwin

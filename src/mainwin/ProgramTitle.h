#pragma once
#include <QString>

namespace mainwin {

/** The program's name: the title of the main window's message boxes. */
inline const QString kProgramTitle = QStringLiteral("Morvane");

} // namespace mainwin

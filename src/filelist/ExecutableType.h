#pragma once
/** The Windows version a program file expects, read from its executable header. */
#include <QString>
#include <cstdint>

namespace filelist {

/**
 * For a Windows GUI program (PE) its subsystem version (major << 8 | minor, 0x0400 for 4.0);
 * for a 16-bit Windows program (NE) its expected Windows version; 0 for console programs,
 * MS-DOS programs and anything that is not a program or cannot be read. Reads at most a few
 * hundred bytes and checks every offset against the file size.
 */
uint16_t ExecutableWindowsVersion(const QString &path);

} // namespace filelist

#include "ExecutableType.h"

#include "FileByteSource.h"

#include <algorithm>

namespace filelist {

namespace {

// Offsets in the MS-DOS header, the PE headers and the NE header.
constexpr qint64 DosNewHeaderOffset = 0x3C;     // e_lfanew, 32-bit
constexpr qint64 PeOptionalHeader = 24;         // after "PE\0\0" and the 20-byte file header
constexpr qint64 PeSubsystemVersion = 48;       // MajorSubsystemVersion, MinorSubsystemVersion
constexpr qint64 PeSubsystem = 68;              // same place in PE32 and PE32+
constexpr qint64 NeExpectedVersion = 0x3E;      // minor byte, then major byte
constexpr uint16_t SubsystemWindowsGui = 2;

bool readAt(metadata::FileByteSource &f, qint64 offset, char *out, qint64 length)
{
    if (offset < 0 || offset + length > f.size())
        return false;
    const QByteArray bytes = f.read(offset, length);
    if (bytes.size() != length)
        return false;
    std::copy(bytes.cbegin(), bytes.cend(), out);
    return true;
}

uint16_t le16(const char *p)
{
    return uint16_t(uint8_t(p[0]) | uint8_t(p[1]) << 8);
}

uint32_t le32(const char *p)
{
    return uint32_t(le16(p)) | uint32_t(le16(p + 2)) << 16;
}

} // namespace

uint16_t ExecutableWindowsVersion(const QString &path)
{
    // By the name's own bytes, without waiting on a FIFO, and only a regular file.
    metadata::FileByteSource f(path);
    if (!f.open())
        return 0;
    char buf[4];
    if (!readAt(f, 0, buf, 2) || buf[0] != 'M' || buf[1] != 'Z')
        return 0;
    if (!readAt(f, DosNewHeaderOffset, buf, 4))
        return 0;
    const qint64 header = qint64(le32(buf));
    if (!readAt(f, header, buf, 4))
        return 0;
    if (buf[0] == 'P' && buf[1] == 'E' && buf[2] == 0 && buf[3] == 0) {
        char version[4];
        char subsystem[2];
        if (!readAt(f, header + PeOptionalHeader + PeSubsystemVersion, version, 4)
            || !readAt(f, header + PeOptionalHeader + PeSubsystem, subsystem, 2))
            return 0;
        if (le16(subsystem) != SubsystemWindowsGui)
            return 0;
        return uint16_t((le16(version) & 0xFF) << 8 | (le16(version + 2) & 0xFF));
    }
    if (buf[0] == 'N' && buf[1] == 'E') {
        if (!readAt(f, header + NeExpectedVersion, buf, 2))
            return 0;
        return le16(buf);
    }
    return 0;
}

} // namespace filelist

// The write side of clsID3: UpdateID3Tags and DeleteID3Tags.
#include "clsID3.h"

#include "FileByteSource.h"
#include "Id3TagWriter.h"
#include "SafeFileRewrite.h"

namespace metadata {

bool clsID3::UpdateID3Tags()
{
    return rewriteFile(true);
}

bool clsID3::DeleteID3Tags()
{
    clearTagFields();
    return rewriteFile(false);
}

bool clsID3::rewriteFile(bool withTags)
{
    m_writeError.clear();
    SafeFileRewrite rewrite(m_fileName); // keeps the times as they are before any read
    FileByteSource source(m_fileName);
    if (!source.open()) {
        m_writeError = QStringLiteral("Could not open the file %1.").arg(m_fileName);
        return false;
    }
    const Id3FileLayout layout = Id3TagWriter::inspect(source);
    if (!layout.error.isEmpty()) {
        m_writeError = layout.error;
        return false;
    }
    QByteArray head;
    QByteArray tail;
    if (withTags) {
        const auto tag = Id3TagWriter::buildId3v2(*this, layout);
        if (!tag) {
            m_writeError = QStringLiteral("The tag is too large for an ID3v2 tag.");
            return false;
        }
        head = *tag;
        tail = Id3TagWriter::buildLyrics3(*this, layout) + Id3TagWriter::buildId3v1(*this);
    }
    if (!rewrite.write(head, layout.audioStart, layout.audioEnd, tail)) {
        m_writeError = rewrite.errorString();
        return false;
    }
    return true;
}

} // namespace metadata

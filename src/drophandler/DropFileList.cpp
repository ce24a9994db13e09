#include "DropFileList.h"

#include "ObjectProtocol.h"
#include "TextConversion.h"

namespace drophandler {

namespace {

std::vector<std::string> parseNarrow(const char *list, std::size_t size)
{
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start < size) {
        const void *zero = std::memchr(list + start, '\0', size - start);
        if (!zero)
            break;
        const auto end = static_cast<std::size_t>(static_cast<const char *>(zero) - list);
        if (end == start)
            break;
        paths.emplace_back(list + start, end - start);
        start = end + 1;
    }
    return paths;
}

std::vector<std::string> parseWide(const unsigned char *list, std::size_t size)
{
    std::vector<std::string> paths;
    const std::size_t units = size / sizeof(char16_t);
    std::u16string entry;
    std::string converted;
    for (std::size_t i = 0; i < units; ++i) {
        char16_t unit;
        std::memcpy(&unit, list + i * sizeof(char16_t), sizeof unit);
        if (unit != 0) {
            entry += unit;
            continue;
        }
        if (entry.empty())
            break;
        // A path that cannot be converted cannot be passed on; leaving it out would start the
        // program with fewer items than were dropped, so the whole list is refused.
        if (!Utf16ToUtf8(entry, converted))
            return {};
        paths.push_back(converted);
        entry.clear();
    }
    return paths;
}

} // namespace

std::vector<std::string> DropFileList::parse(const void *bytes, std::size_t size)
{
    if (!bytes || size < sizeof(DROPFILES))
        return {};
    DROPFILES head;
    std::memcpy(&head, bytes, sizeof head);
    if (head.pFiles < sizeof(DROPFILES) || head.pFiles > size)
        return {};
    const auto *list = static_cast<const unsigned char *>(bytes) + head.pFiles;
    const std::size_t listSize = size - head.pFiles;
    if (head.fWide)
        return parseWide(list, listSize);
    return parseNarrow(reinterpret_cast<const char *>(list), listSize);
}

} // namespace drophandler

#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace drophandler {

/**
 * Reads the paths of a file-drop block (a DROPFILES head and its list of paths). The block
 * comes from another process's data object and is checked byte by byte: nothing is read
 * outside it.
 */
class DropFileList {
public:
    /**
     * The paths listed in the @p size bytes at @p bytes, in their order, 8-bit paths as they
     * are and UTF-16 paths converted to UTF-8. A head that does not fit, or a list offset
     * outside the block, gives no paths. The list ends at its empty entry or at the end of the
     * block; an entry that runs into the end of the block without its zero is cut off there and
     * not taken. A UTF-16 entry that is not well-formed gives no paths at all: the drop fails
     * rather than going on without it.
     */
    static std::vector<std::string> parse(const void *bytes, std::size_t size);
};

} // namespace drophandler

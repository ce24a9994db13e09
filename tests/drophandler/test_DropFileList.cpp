// File-drop blocks as another process may hand them over, well-formed or not.
#include "DropFileList.h"
#include "ObjectProtocol.h"

#include <gtest/gtest.h>

using namespace drophandler;

namespace {

using namespace std::string_literals;
using Paths = std::vector<std::string>;

/** The 20-byte head: list offset, drop point (8 bytes), non-client flag, wide flag. */
std::string head(std::uint32_t listOffset, bool wide)
{
    DROPFILES files{listOffset, {0, 0}, 0, wide ? 1 : 0};
    return std::string(reinterpret_cast<const char *>(&files), sizeof files);
}

/** The UTF-16 units of a literal, inner zeros included, without the literal's own end. */
template <std::size_t N>
std::string wideText(const char16_t (&text)[N])
{
    return std::string(reinterpret_cast<const char *>(text), (N - 1) * sizeof(char16_t));
}

TEST(DropFileList, ReadsOnlyWhatTheBlockHolds)
{
    struct Case {
        const char *name;
        std::string block;
        Paths expected;
    };
    const Case cases[] = {
        {"8-bit list", head(20, false) + "/a b.jpg\0/d\xC3\xA9j\xC3\xA0/\0\0"s,
         {"/a b.jpg", "/d\xC3\xA9j\xC3\xA0/"}},
        {"list after a gap", head(24, false) + "gap!/x\0\0"s, {"/x"}},
        {"entries after the end mark", head(20, false) + "/x\0\0/y\0\0"s, {"/x"}},
        {"no end mark", head(20, false) + "/x\0/y\0"s, {"/x", "/y"}},
        {"last entry cut off", head(20, false) + "/x\0/unterminated"s, {"/x"}},
        {"empty list", head(20, false) + "\0"s, {}},
        {"list offset at the end", head(20, false), {}},
        {"list offset past the end", head(21, false), {}},
        {"list offset inside the head", head(8, false) + "/x\0\0"s, {}},
        {"cut-off head", head(20, false).substr(0, 19), {}},
        {"wide list", head(20, true) + wideText(u"/\u0141\u00f3d\u017a\0/\U0001F600 x\0\0"),
         {"/\xC5\x81\xC3\xB3\x64\xC5\xBA", "/\xF0\x9F\x98\x80 x"}},
        {"wide list, odd last byte", head(20, true) + wideText(u"/x\0/y") + "\0"s, {"/x"}},
        {"wide lone surrogate refuses the list", head(20, true) + wideText(u"/a\xD800\0/b\0\0"), {}},
        {"wide lone surrogate after a good path", head(20, true) + wideText(u"/b\0/a\xDC00\0\0"), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // A copy of exactly the block's size, so reading past it is caught by the sanitizer.
        std::vector<char> bytes(c.block.begin(), c.block.end());
        EXPECT_EQ(DropFileList::parse(bytes.data(), bytes.size()), c.expected);
    }
    EXPECT_EQ(DropFileList::parse(nullptr, 100), Paths{});
}

} // namespace

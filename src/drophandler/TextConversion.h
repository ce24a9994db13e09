#pragma once
#include <string>
#include <string_view>

namespace drophandler {

/**
 * Converts UTF-16 to UTF-8, the encoding of file names on this system. False for text that is
 * not well-formed UTF-16 (a lone surrogate): such a name stands for no file and is not guessed at.
 */
bool Utf16ToUtf8(std::u16string_view text, std::string &out);

} // namespace drophandler

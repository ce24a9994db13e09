#pragma once
#include <string_view>

namespace drophandler {

/**
 * Where the library's one message goes, in place of a message box: appended as the line
 * "caption: text" to the file named by $TAMSEL_MESSAGE_LOG when that is set, else to standard
 * error.
 */
class MessageSink {
public:
    static constexpr const char *FileVariable = "TAMSEL_MESSAGE_LOG";

    static void show(std::string_view caption, std::string_view text);
};

} // namespace drophandler

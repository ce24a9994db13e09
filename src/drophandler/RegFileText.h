#pragma once
#include <string>
#include <string_view>

namespace drophandler {

class RegistryStore;

/**
 * The .reg text syntax of the registry file.
 *
 * @code
 * Windows Registry Editor Version 5.00
 *
 * [HKEY_CLASSES_ROOT\.rnp]
 * @="Morvane.RenameDrop"
 *
 * [HKEY_CLASSES_ROOT\Morvane.RenameDrop\ShellEx\Wyncourt]
 * @="/usr/bin/vexlo"
 * "Arguments"=""
 * "OmitTarget"=dword:00000001
 * @endcode
 *
 * Read: an optional header line ("Windows Registry Editor Version 5.00" or "REGEDIT4"), blank
 * lines and ";" comments; "[path]" opens a key and "[-path]" deletes a key with everything
 * below it; a value line is @c @ (the default value) or a quoted name, "=", and a quoted string
 * (escapes \\ and \"), @c dword:hhhhhhhh, @c hex:bb,bb,... or @c hex(t):bb,... (type t in
 * hex), or "-" to delete the value. Hex data may continue on the next line after a trailing
 * backslash. Lines may end in CR LF or LF. HKCR stands for HKEY_CLASSES_ROOT. The text is
 * UTF-8, and string data are its bytes.
 *
 * Written: the header, then every key in name order with its values; strings that hold a line
 * break or a zero byte, or lack their terminating zero, are written as hex(1) data.
 */
class RegFileText {
public:
    /** Adds the keys and values of @p text to @p store; false when the text is malformed. */
    static bool parse(std::string_view text, RegistryStore &store);

    /** The whole store as .reg text. */
    static std::string format(const RegistryStore &store);

    static constexpr std::string_view Header = "Windows Registry Editor Version 5.00";
};

} // namespace drophandler

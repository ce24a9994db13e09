#pragma once
#include <string>
#include <vector>

namespace drophandler {

/**
 * Starts a program detached from the caller, the way a file manager opens one: the program
 * runs in its own session with default signal handling and only the standard streams open,
 * and it is not left as a child of the caller, so no zombie remains when it ends.
 */
class ProgramLauncher {
public:
    /**
     * The environment variable that carries the command line's text to the started program,
     * for information: it is left out when the text is too long for one environment string.
     * The arguments themselves are always complete.
     */
    static constexpr const char *CommandLineVariable = "TAMSEL_COMMAND_LINE";

    /**
     * Starts @p program (searched in PATH when it holds no "/") with @p arguments after the
     * program name, and @p commandLine in the environment variable above (an inherited value of
     * it is never passed on). Returns 0 once the program runs, else the error number of the
     * failure (ENOENT, EACCES, ENOEXEC, ...).
     */
    static int start(const std::string &program, const std::vector<std::string> &arguments,
                     const std::string &commandLine);
};

} // namespace drophandler

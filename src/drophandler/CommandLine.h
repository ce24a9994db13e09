#pragma once
#include <optional>
#include <string>
#include <vector>

namespace drophandler {

/**
 * The command line a drop starts its program with: the "Arguments" value of the file type,
 * the dropped-on file (the target) unless it is left out, then every dropped item.
 *
 * It exists in two forms. text() is the line as one string, the form the receiving program
 * parses: the "Arguments" value as it is, each path between double quotes, single blanks
 * between the parts and none at either end; nothing in a path is escaped. arguments() is the
 * argument vector the line stands for, which is what the program is started with, so that a
 * path holding blanks or double quotes still arrives as one whole argument.
 */
class CommandLine {
public:
    CommandLine() = default;
    /** A line with the "Arguments" value (may be empty) and the target (none when left out). */
    CommandLine(std::string argumentsValue, std::optional<std::string> target);

    void setItems(std::vector<std::string> items);
    const std::vector<std::string> &items() const { return items_; }

    /** The line as text; throws std::length_error when it would not fit in memory. */
    std::string text() const;

    /**
     * The argument vector after the program name: the words of the "Arguments" value (split
     * at blanks outside double quotes, the quotes removed), the target, then every item.
     */
    std::vector<std::string> arguments() const;

    /** Splits text into words at blanks and tabs outside double quotes; quotes are removed. */
    static std::vector<std::string> splitWords(const std::string &text);

private:
    std::string argumentsValue_;
    std::optional<std::string> target_;
    std::vector<std::string> items_;
};

} // namespace drophandler

#include "CommandLine.h"

#include <limits>
#include <stdexcept>

namespace drophandler {

namespace {

void addLength(std::size_t &total, std::size_t length)
{
    if (length > std::numeric_limits<std::size_t>::max() - total)
        throw std::length_error("command line too long");
    total += length;
}

void appendQuotedPath(std::string &line, const std::string &path)
{
    if (!line.empty())
        line += ' ';
    line += '"';
    line += path;
    line += '"';
}

} // namespace

CommandLine::CommandLine(std::string argumentsValue, std::optional<std::string> target)
    : argumentsValue_(std::move(argumentsValue)), target_(std::move(target))
{
}

void CommandLine::setItems(std::vector<std::string> items)
{
    items_ = std::move(items);
}

std::string CommandLine::text() const
{
    // Every quoted part adds its path, two quotes and the blank before it.
    std::size_t total = 0;
    addLength(total, argumentsValue_.size());
    if (target_) {
        addLength(total, target_->size());
        addLength(total, 3);
    }
    for (const std::string &item : items_) {
        addLength(total, item.size());
        addLength(total, 3);
    }
    std::string line;
    line.reserve(total);
    line.append(argumentsValue_);
    if (target_)
        appendQuotedPath(line, *target_);
    for (const std::string &item : items_)
        appendQuotedPath(line, item);
    return line;
}

std::vector<std::string> CommandLine::arguments() const
{
    std::vector<std::string> arguments = splitWords(argumentsValue_);
    if (target_)
        arguments.push_back(*target_);
    arguments.insert(arguments.end(), items_.begin(), items_.end());
    return arguments;
}

std::vector<std::string> CommandLine::splitWords(const std::string &text)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

} // namespace drophandler

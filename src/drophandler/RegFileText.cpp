#include "RegFileText.h"

#include "RegistryStore.h"

#include <array>
#include <vector>

namespace drophandler {

namespace {

constexpr std::string_view OldHeader = "REGEDIT4";
constexpr char HexDigits[] = "0123456789abcdef";

struct RootAlias {
    std::string_view shortName;
    std::string_view fullName;
};

constexpr std::array<RootAlias, 5> RootAliases{{
    {"HKCR", "HKEY_CLASSES_ROOT"},
    {"HKCU", "HKEY_CURRENT_USER"},
    {"HKLM", "HKEY_LOCAL_MACHINE"},
    {"HKU", "HKEY_USERS"},
    {"HKCC", "HKEY_CURRENT_CONFIG"},
}};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/** Removes @p prefix from the front of @p text, ignoring ASCII case; false when it is not there. */
bool consumePrefix(std::string_view &text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

/** Parses up to 8 hex digits; false for no digits, more than 8 or any other character. */
bool parseHexNumber(std::string_view digits, DWORD &value)
{
    if (digits.empty() || digits.size() > 8)
        return false;
    value = 0;
    for (const char c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return false;
        value = (value << 4) | static_cast<DWORD>(d);
    }
    return true;
}

/** Reads a quoted string at the front of @p rest (which starts with a quote) and moves past it. */
bool parseQuoted(std::string_view &rest, std::string &out)
{
    out.clear();
    for (std::size_t i = 1; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '"') {
            rest.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\' && i + 1 < rest.size() && (rest[i + 1] == '\\' || rest[i + 1] == '"')) {
            out += rest[++i];
            continue;
        }
        out += c;
    }
    return false;
}

bool parseHexBytes(std::string_view list, std::string &out)
{
    out.clear();
    list = trimmed(list);
    if (list.empty())
        return true;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view item = trimmed(list.substr(0, comma));
        DWORD byte = 0;
        if (item.size() > 2 || !parseHexNumber(item, byte))
            return false;
        out += static_cast<char>(byte);
        if (comma == std::string_view::npos)
            return true;
        list.remove_prefix(comma + 1);
    }
}

std::string withFullRoot(std::string_view path)
{
    const std::size_t slash = path.find('\\');
    const std::string_view root = path.substr(0, slash);
    for (const RootAlias &alias : RootAliases) {
        const CaseInsensitiveLess less;
        if (less(root, alias.shortName) || less(alias.shortName, root))
            continue;
        std::string full(alias.fullName);
        if (slash != std::string_view::npos)
            full += path.substr(slash);
        return full;
    }
    return std::string(path);
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (;;) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return lines;
        text.remove_prefix(end + 1);
    }
}

/** Parses the data part of a value line; hex data may take further lines from @p lines. */
bool parseData(std::string_view data, const std::vector<std::string_view> &lines, std::size_t &index,
               DWORD &type, std::string &bytes)
{
    if (!data.empty() && data.front() == '"') {
        type = REG_SZ;
        if (!parseQuoted(data, bytes) || !trimmed(data).empty())
            return false;
        bytes += '\0';
        return true;
    }
    if (consumePrefix(data, "dword:")) {
        DWORD value = 0;
        if (!parseHexNumber(trimmed(data), value))
            return false;
        type = REG_DWORD;
        bytes.clear();
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        return true;
    }
    if (!consumePrefix(data, "hex"))
        return false;
    type = REG_BINARY;
    if (consumePrefix(data, "(")) {
        const std::size_t close = data.find(')');
        if (close == std::string_view::npos || !parseHexNumber(data.substr(0, close), type))
            return false;
        data.remove_prefix(close + 1);
    }
    if (!consumePrefix(data, ":"))
        return false;
    std::string list(data);
    while (!list.empty() && list.back() == '\\') {
        list.pop_back();
        if (++index >= lines.size())
            return false;
        list += trimmed(lines[index]);
    }
    return parseHexBytes(list, bytes);
}

void appendQuoted(std::string &out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

void appendHex(std::string &out, std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (i > 0)
            out += ',';
        out += HexDigits[b >> 4];
        out += HexDigits[b & 0xF];
    }
}

bool writableAsString(const RegistryValue &value)
{
    const std::string &d = value.data;
    return value.type == REG_SZ && !d.empty() && d.find('\0') == d.size() - 1
           && d.find_first_of("\r\n") == std::string::npos;
}

void appendData(std::string &out, const RegistryValue &value)
{
    if (writableAsString(value)) {
        appendQuoted(out, value.text());
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
            out += "dword:";
        for (int i = 3; i >= 0; --i) {
            const auto b = static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
            out += HexDigits[b >> 4];
            out += HexDigits[b & 0xF];
        }
    } else if (value.type == REG_BINARY) {
        out += "hex:";
        appendHex(out, value.data);
    } else {
            std::string type;
        for (DWORD t = value.type; t != 0 || type.empty(); t >>= 4)
            type.insert(type.begin(), HexDigits[t & 0xF]);
        out += "hex(" + type + "):";
        appendHex(out, value.data);
    }
}

} // namespace

bool RegFileText::parse(std::string_view text, RegistryStore &store)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    const std::vector<std::string_view> lines = splitLines(text);
    std::string currentKey;
    bool firstLine = true;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        std::string_view line = trimmed(lines[index]);
        if (line.empty() || line.front() == ';')
            continue;
        if (firstLine) {
            firstLine = false;
            if (line == Header || line == OldHeader)
                continue;
        }
        if (line.front() == '[') {
            if (line.size() < 2 || line.back() != ']')
                return false;
            std::string_view inner = line.substr(1, line.size() - 2);
            const bool remove = !inner.empty() && inner.front() == '-';
            if (remove)
                inner.remove_prefix(1);
            const std::string path = withFullRoot(inner);
            if (!RegistryStore::isValidPath(path))
                return false;
            currentKey.clear();
            if (remove) {
                store.deleteTree(path);
            } else {
                store.createKey(path);
                currentKey = path;
            }
            continue;
        }
        if (currentKey.empty())
            return false;
        std::string name;
        if (line.front() == '@')
            line.remove_prefix(1);
        else if (line.front() != '"' || !parseQuoted(line, name))
            return false;
        line = trimmed(line);
        if (!consumePrefix(line, "="))
            return false;
        line = trimmed(line);
        if (line == "-") {
            store.deleteValue(currentKey, name);
            continue;
        }
        DWORD type = REG_SZ;
        std::string bytes;
        if (!parseData(line, lines, index, type, bytes))
            return false;
        store.setValue(currentKey, name, type, std::move(bytes));
    }
    return true;
}

std::string RegFileText::format(const RegistryStore &store)
{
    std::string out(Header);
    out += "\n\n";
    for (const auto &[path, key] : store.keys()) {
        out += '[';
        out += key.path;
        out += "]\n";
        for (const auto &[name, value] : key.values) {
            if (value.name.empty())
                out += '@';
            else
                appendQuoted(out, value.name);
            out += '=';
            appendData(out, value);
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

} // namespace drophandler

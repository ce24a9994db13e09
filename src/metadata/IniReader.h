#pragma once
/**
 * A small reader for Windows-style profile files ("[Section]" lines followed by "Key=Value"
 * lines), answering look-ups the way the profile API does: section and key names match without
 * regard to letter case, the first match wins, blanks around names and values are dropped, one
 * pair of enclosing quotes is removed, and a value is at most 1023 characters long.
 */
#include <QString>

#include <vector>

namespace metadata {

class IniReader {
public:
    IniReader() = default;
    /** Reads the whole file at once; a missing or unreadable file answers every look-up with
     *  the default. */
    explicit IniReader(const QString &path);

    /** Parses profile text already in memory. */
    static IniReader fromText(const QString &text);

    /** The value of `key` in `section`, or `defaultValue` when absent or empty. */
    QString GetIniValue(const QString &section, const QString &key,
                        const QString &defaultValue = {}) const;

    bool isEmpty() const { return m_entries.empty(); }

private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    void parse(const QString &text);

    std::vector<Entry> m_entries;
};

} // namespace metadata

#pragma once
/**
 * The values of one ID3v2 frame kind that may occur several times in a tag (commercial URLs,
 * artist URLs, attached pictures): an ordered list of distinct strings with 1-based positions.
 * Each entry added through Add() carries a key, "I_" followed by the string (binary match) or by
 * its cleaned form (text match: blanks trimmed, cut before the first NUL); keys compare without
 * regard to letter case, and a string whose key is present is not added again.
 */
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace metadata {

class MultiFrameData {
public:
    /** Number of entries. */
    std::int32_t Count() const { return std::int32_t(m_entries.size()); }

    /** The string at 1-based `Index`; throws vb::Error 5 outside 1..Count. */
    QString Item(std::int32_t Index) const;

    /** Replaces the string at `Index` in place; the new entry carries no key, so a later Add()
     *  of the same text does not find it. Throws vb::Error 5 outside 1..Count. */
    void setItem(std::int32_t Index, const QString &value);

    /**
     * Adds `Item` unless an entry with its key is present. With `Before`, inserts before that
     * position (before the first when below 1, at the end when above Count); else with `After`,
     * inserts after that position (after the first when below 1, at the end when above Count);
     * else appends.
     */
    void Add(const QString &Item, std::optional<std::int32_t> Before = std::nullopt,
             std::optional<std::int32_t> After = std::nullopt, bool BinaryMatch = false);

    /** Removes the entry at `Index`; throws vb::Error 5 outside 1..Count. */
    void Remove(std::int32_t Index);

    /** Removes every entry. */
    void Clear()
    {
        m_entries.clear();
        m_keys.clear();
    }

    /** All strings in order. */
    QStringList items() const;

private:
    struct Entry {
        QString value;
        std::optional<QString> key;
    };
    void checkIndex(std::int32_t Index) const;
    void forgetKey(const Entry &entry);

    std::vector<Entry> m_entries;
    QSet<QString> m_keys; ///< the keys present, case-folded
};

} // namespace metadata

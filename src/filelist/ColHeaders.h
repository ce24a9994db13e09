#pragma once
/**
 * The ordered collection of column definitions, and its four conversions: from and to the
 * column-definition text (one "|Name=value|..." line per column, lines joined by CR LF), and from
 * and to the inner list's column headers.
 */
#include "ColHeader.h"
#include "ColumnHeader.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace filelist {

class ColHeaders {
public:
    /** A 1-based position or a collection key (keys compare without regard to case). */
    using Index = std::variant<int32_t, QString>;

    /** One element: the definition and its collection key (empty: none). */
    struct Entry {
        ColHeader item;
        QString key;
    };

    const std::vector<Entry> &Items() const { return m_items; }
    void SetItems(std::vector<Entry> items) { m_items = std::move(items); }

    /** The item at a position or under a key; throws vb::Error when there is none. References
     *  stay valid until the collection changes. */
    ColHeader &Item(const Index &index);
    const ColHeader &Item(const Index &index) const;
    int32_t Count() const { return int32_t(m_items.size()); }
    /** True when removed; false (no error) when there was no such item. */
    bool Remove(const Index &index);
    void Clear() { m_items.clear(); }
    bool Exists(const Index &index) const;

    /** Adds `item` (a new empty definition when null) with `key` as collection key when it is
     *  not empty, before or after the named item (both absent: at the end). A key in use, a bad
     *  position or both positions given throw vb::Error. */
    ColHeader &AddEx(const ColHeader *item, const QString &key, const std::optional<Index> &before = {},
                     const std::optional<Index> &after = {});
    /** Creates and adds a definition like AddEx; null (and nothing added) on any failure. */
    ColHeader *Add(const QString &Key, const QString &Text, float Width, int32_t Alignment, int32_t DataType,
                   const std::optional<Index> &Before = {}, const std::optional<Index> &After = {});

    /** Clear, then one definition per header (key, text, width, alignment, numeric tag). */
    void AddFromColumnHeaders(const std::vector<ColumnHeader> &headers);
    /** The inner list's headers for these definitions, in order; the data type goes into the
     *  tag. A key already given to an earlier header is left off (headers keep unique keys). */
    std::vector<ColumnHeader> ToColumnHeaders() const;

    /** Empty when there are no items, else Delimiter + the items' lines joined by Delimiter +
     *  Delimiter. */
    QString GetTagText(const QString &Delimiter) const;
    /** Appends one definition per non-empty piece of `TagText` split at `Delimiter`. Pairs are
     *  always introduced by "|"; `PropDelimiter` is accepted for the caller's symmetry. */
    void CreateItemsFromTagText(const QString &TagText, const QString &Delimiter, const QString &PropDelimiter);

    std::vector<Entry>::const_iterator begin() const { return m_items.begin(); }
    std::vector<Entry>::const_iterator end() const { return m_items.end(); }

private:
    /** 0-based position of an index, or -1. */
    qsizetype find(const Index &index) const;
    /** Throws the error the collection gives for an index that names no item. */
    [[noreturn]] static void throwMissing(const Index &index);

    std::vector<Entry> m_items;
};

/** The column-definition text a list starts with: Name, Path, Size, Type and Created Date. */
QString DefaultColumnHeadersText();

} // namespace filelist

#include "MultiFrameData.h"

#include "VbError.h"
#include "VbString.h"

namespace metadata {

namespace {

QString cleanedForm(const QString &item)
{
    QString cleaned = vb::Trim(item);
    const qsizetype nul = cleaned.indexOf(QChar(0));
    return nul < 0 ? cleaned : cleaned.left(nul);
}

} // namespace

void MultiFrameData::checkIndex(std::int32_t Index) const
{
    if (Index < 1 || Index > Count())
        throw vb::Error(vb::InvalidProcedureCall);
}

void MultiFrameData::forgetKey(const Entry &entry)
{
    if (entry.key)
        m_keys.remove(entry.key->toCaseFolded());
}

QString MultiFrameData::Item(std::int32_t Index) const
{
    checkIndex(Index);
    return m_entries[size_t(Index - 1)].value;
}

void MultiFrameData::setItem(std::int32_t Index, const QString &value)
{
    checkIndex(Index);
    const bool putBack = Count() > 1 && Count() > Index;
    forgetKey(m_entries[size_t(Index - 1)]);
    m_entries.erase(m_entries.begin() + (Index - 1));
    if (putBack)
        m_entries.insert(m_entries.begin() + (Index - 1), Entry{value, std::nullopt});
    else
        m_entries.push_back(Entry{value, std::nullopt});
}

void MultiFrameData::Add(const QString &Item, std::optional<std::int32_t> Before,
                         std::optional<std::int32_t> After, bool BinaryMatch)
{
    const QString key = QStringLiteral("I_") + (BinaryMatch ? Item : cleanedForm(Item));
    const QString folded = key.toCaseFolded();
    if (m_keys.contains(folded))
        return;
    m_keys.insert(folded);

    const std::int32_t n = Count();
    std::int32_t at = n; // 0-based insertion index; n appends
    if (n > 0 && Before)
        at = *Before < 1 ? 0 : (*Before > n ? n : *Before - 1);
    else if (n > 0 && After)
        at = *After < 1 ? 1 : (*After > n ? n : *After);
    m_entries.insert(m_entries.begin() + at, Entry{Item, key});
}

void MultiFrameData::Remove(std::int32_t Index)
{
    checkIndex(Index);
    forgetKey(m_entries[size_t(Index - 1)]);
    m_entries.erase(m_entries.begin() + (Index - 1));
}

QStringList MultiFrameData::items() const
{
    QStringList out;
    for (const Entry &e : m_entries)
        out << e.value;
    return out;
}

} // namespace metadata

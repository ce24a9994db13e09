#include "ColHeaders.h"

#include "VbConvert.h"
#include "VbError.h"

#include <QSet>

namespace filelist {

namespace {

constexpr int KeyInUse = 457;

} // namespace

QString DefaultColumnHeadersText()
{
    static const QString text = QStringLiteral(
        "|Text=              Name|Key=|Width=2100|Alignment=0|DataType=0|Level=0|\r\n"
        "|Text=                    Path|Key=|Width=2400.063|Alignment=0|DataType=0|Level=0|\r\n"
        "|Text=Size|Key=|Width=799.9371|Alignment=0|DataType=1|Level=0|\r\n"
        "|Text=Type|Key=|Width=1000.063|Alignment=0|DataType=0|Level=0|\r\n"
        "|Text=Created Date|Key=|Width=2100|Alignment=2|DataType=2|Level=0|");
    return text;
}

qsizetype ColHeaders::find(const Index &index) const
{
    if (const int32_t *position = std::get_if<int32_t>(&index))
        return *position >= 1 && *position <= Count() ? *position - 1 : -1;
    const QString &key = std::get<QString>(index);
    if (key.isEmpty())
        return -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].key.compare(key, Qt::CaseInsensitive) == 0)
            return qsizetype(i);
    return -1;
}

void ColHeaders::throwMissing(const Index &index)
{
    if (std::holds_alternative<int32_t>(index))
        throw vb::Error(vb::SubscriptOutOfRange, vb::errorText(vb::SubscriptOutOfRange));
    throw vb::Error(vb::InvalidProcedureCall, vb::errorText(vb::InvalidProcedureCall));
}

ColHeader &ColHeaders::Item(const Index &index)
{
    const qsizetype at = find(index);
    if (at < 0)
        throwMissing(index);
    return m_items[size_t(at)].item;
}

const ColHeader &ColHeaders::Item(const Index &index) const
{
    return const_cast<ColHeaders *>(this)->Item(index);
}

bool ColHeaders::Remove(const Index &index)
{
    const qsizetype at = find(index);
    if (at < 0)
        return false;
    m_items.erase(m_items.begin() + at);
    return true;
}

bool ColHeaders::Exists(const Index &index) const
{
    return find(index) >= 0;
}

ColHeader &ColHeaders::AddEx(const ColHeader *item, const QString &key, const std::optional<Index> &before,
                             const std::optional<Index> &after)
{
    if (before && after)
        throw vb::Error(vb::InvalidProcedureCall, vb::errorText(vb::InvalidProcedureCall));
    if (!key.isEmpty() && find(key) >= 0)
        throw vb::Error(KeyInUse, QStringLiteral("This key is already associated with an element of this collection"));
    qsizetype at = Count();
    if (before || after) {
        const Index &named = before ? *before : *after;
        const qsizetype pos = find(named);
        if (pos < 0)
            throwMissing(named);
        at = before ? pos : pos + 1;
    }
    Entry entry{item ? *item : ColHeader{}, key};
    return m_items.insert(m_items.begin() + at, std::move(entry))->item;
}

ColHeader *ColHeaders::Add(const QString &Key, const QString &Text, float Width, int32_t Alignment,
                           int32_t DataType, const std::optional<Index> &Before, const std::optional<Index> &After)
{
    try {
        ColHeader &added = AddEx(nullptr, Key, Before, After);
        added.Text = Text;
        added.Alignment = Alignment;
        added.Key = Key;
        added.Width = Width;
        added.DataType = DataType;
        return &added;
    } catch (const vb::Error &) {
        return nullptr;
    }
}

void ColHeaders::AddFromColumnHeaders(const std::vector<ColumnHeader> &headers)
{
    Clear();
    for (const ColumnHeader &h : headers) {
        const double type = vb::roundHalfEven(vb::Val(h.Tag));
        const int32_t dataType = type >= -2147483648.0 && type <= 2147483647.0 ? int32_t(type) : 0;
        Add(h.Key, h.Text, h.Width, h.Alignment, dataType);
    }
}

std::vector<ColumnHeader> ColHeaders::ToColumnHeaders() const
{
    std::vector<ColumnHeader> headers;
    headers.reserve(m_items.size());
    QSet<QString> keys;
    for (const Entry &e : m_items) {
        ColumnHeader h;
        h.Text = e.item.Text;
        h.Width = e.item.Width;
        h.Alignment = e.item.Alignment;
        h.Tag = QString::number(e.item.DataType);
        const QString folded = e.item.Key.toCaseFolded();
        if (!e.item.Key.isEmpty() && !keys.contains(folded)) {
            h.Key = e.item.Key;
            keys.insert(folded);
        }
        headers.push_back(std::move(h));
    }
    return headers;
}

QString ColHeaders::GetTagText(const QString &Delimiter) const
{
    if (m_items.empty())
        return QString();
    QStringList lines;
    for (const Entry &e : m_items)
        lines << e.item.GetTagText(QStringLiteral("|"));
    return Delimiter + lines.join(Delimiter) + Delimiter;
}

void ColHeaders::CreateItemsFromTagText(const QString &TagText, const QString &Delimiter, const QString &)
{
    const QStringList pieces = Delimiter.isEmpty() ? QStringList{TagText} : TagText.split(Delimiter);
    for (const QString &piece : pieces) {
        if (piece.isEmpty())
            continue;
        ColHeader item;
        item.SetPropsFromTagText(piece, QStringLiteral("|"));
        m_items.push_back({std::move(item), QString()});
    }
}

} // namespace filelist

#include "SortOrder.h"

#include "VbConvert.h"

#include <algorithm>
#include <numeric>

namespace renamewin {

namespace {

const QString PictureDateFormat = QStringLiteral("yyyy:MM:dd HH:mm:ss");
const QString ModifiedDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

std::optional<QDateTime> dateOf(const QString &text)
{
    for (const QString &format : {ModifiedDateFormat, PictureDateFormat}) {
        const QDateTime d = vb::WallClockFromString(text, format);
        if (d.isValid())
            return d;
    }
    const vb::Converted<QDateTime> d = vb::CDate(text);
    if (d.ok() && d.value().isValid())
        return d.value();
    return std::nullopt;
}

// The sort key of one row: a number, a text, or a date (none sorts before every date).
struct Key {
    double number = 0;
    QString text;
    std::optional<QDateTime> date;
};

Key keyOf(const engine::PreviewRow &row, const SortOrder &order)
{
    Key key;
    switch (order.Comparison) {
    case SortComparison::Number:
        // A row without a size (an empty cell) sorts as 0, as an empty cell reads as a number.
        key.number = order.Column == engine::ColSize ? double(row.Size)
                                                     : vb::Val(engine::cellTextOf(row, order.Column));
        break;
    case SortComparison::Date:
        key.date = sortDate(engine::cellTextOf(row, order.Column));
        break;
    case SortComparison::Text:
        key.text = engine::cellTextOf(row, order.Column);
        break;
    }
    return key;
}

int compareKeys(const Key &a, const Key &b, SortComparison comparison)
{
    switch (comparison) {
    case SortComparison::Number:
        return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    case SortComparison::Date:
        if (!a.date || !b.date)
            return int(bool(a.date)) - int(bool(b.date));
        return *a.date < *b.date ? -1 : (*b.date < *a.date ? 1 : 0);
    case SortComparison::Text:
    default:
        return QString::compare(a.text, b.text, Qt::CaseInsensitive);
    }
}

} // namespace

std::optional<QDateTime> sortDate(const QString &cell)
{
    const QString text = cell.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (auto d = dateOf(text))
        return d;
    const qsizetype colon = text.indexOf(QStringLiteral(": "));
    if (colon > 0)
        return dateOf(text.mid(colon + 2).trimmed());
    return std::nullopt;
}

void SortOrder::sort(std::vector<engine::PreviewRow> &rows) const
{
    std::vector<Key> keys;
    keys.reserve(rows.size());
    for (const engine::PreviewRow &row : rows)
        keys.push_back(keyOf(row, *this));
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int c = compareKeys(keys[a], keys[b], Comparison);
        return Descending ? c > 0 : c < 0;
    });
    std::vector<engine::PreviewRow> sorted;
    sorted.reserve(rows.size());
    for (size_t i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

} // namespace renamewin

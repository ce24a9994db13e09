#include "SortEngine.h"

#include "ListItemsModel.h"
#include "VbConvert.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace filelist {

namespace {

constexpr int32_t SizeColumn = 3; // sub-item 2
constexpr int32_t DateColumn = 5; // sub-item 4

// The text of a column (1 the item text, k + 1 sub-item k) where the row keeps it; an empty text
// for a sub-item never written.
const QString &cellIn(const ListItem &item, int32_t column)
{
    static const QString none;
    if (column <= 1)
        return item.Text;
    const qsizetype k = column - 2;
    return k < item.SubItemTexts.size() ? item.SubItemTexts[k] : none;
}

template <class Key, class Less>
std::vector<int32_t> orderBy(const std::vector<Key> &keys, bool ascending, Less less)
{
    std::vector<int32_t> order(keys.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int32_t(i);
    // Rows already in order (the list is often sorted twice running) cost one pass, not a sort.
    bool inOrder = true;
    for (size_t i = 1; i < keys.size() && inOrder; ++i)
        inOrder = ascending ? !less(keys[i], keys[i - 1]) : !less(keys[i - 1], keys[i]);
    if (inOrder)
        return order;
    if (ascending)
        std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return less(keys[size_t(a)], keys[size_t(b)]); });
    else
        std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return less(keys[size_t(b)], keys[size_t(a)]); });
    return order;
}

// a.compare(b, Qt::CaseInsensitive) < 0. Most names are ASCII, whose letters are folded here
// directly; a pair of units that is not ASCII leaves the rest to the full comparison.
bool textLess(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t ca = pa[i];
        char16_t cb = pb[i];
        if (ca == cb)
            continue;
        if (ca >= 128 || cb >= 128)
            return a.compare(b, Qt::CaseInsensitive) < 0;
        ca = (ca >= u'A' && ca <= u'Z') ? char16_t(ca + 32) : ca;
        cb = (cb >= u'A' && cb <= u'Z') ? char16_t(cb + 32) : cb;
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

// Texts compared without case through their case-folded forms, made once per row instead of
// at every comparison. A text whose folding changes its length (a character that folds to
// several) keeps the full comparison.
struct FoldedText {
    QString folded;
    const QString *text = nullptr;
    bool simple = false;
};

bool foldedLess(const FoldedText &a, const FoldedText &b)
{
    // The case-insensitive comparison compares the folded UTF-16 units.
    if (a.simple && b.simple)
        return a.folded < b.folded;
    return textLess(*a.text, *b.text);
}

// The texts are read where they are kept: a copy of each would cost more than the comparisons.
std::vector<int32_t> orderByText(const std::vector<const QString *> &texts, bool ascending)
{
    // A list already in order (sorted a moment ago, or scanned in order) is seen without folding
    // every text first.
    bool inOrder = true;
    for (size_t i = 1; i < texts.size() && inOrder; ++i)
        inOrder = ascending ? !textLess(*texts[i], *texts[i - 1]) : !textLess(*texts[i - 1], *texts[i]);
    if (inOrder) {
        std::vector<int32_t> order(texts.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = int32_t(i);
        return order;
    }
    // Neighbouring rows with the same text (the rows of one folder) are ordered as one run: the
    // runs are sorted, stably, and each keeps its rows in the order they had.
    std::vector<size_t> runStart;
    runStart.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        if (i == 0 || *texts[i] != *texts[i - 1])
            runStart.push_back(i);
    std::vector<FoldedText> keys(runStart.size());
    for (size_t r = 0; r < runStart.size(); ++r) {
        const QString &text = *texts[runStart[r]];
        keys[r].folded = text.toCaseFolded();
        keys[r].text = &text;
        keys[r].simple = keys[r].folded.size() == text.size();
    }
    const std::vector<int32_t> runOrder = orderBy(keys, ascending, foldedLess);
    std::vector<int32_t> order;
    order.reserve(texts.size());
    for (const int32_t r : runOrder) {
        const size_t end = size_t(r) + 1 < runStart.size() ? runStart[size_t(r) + 1] : texts.size();
        for (size_t i = runStart[size_t(r)]; i < end; ++i)
            order.push_back(int32_t(i));
    }
    return order;
}

// The whole-number text of a tail's value, padded with zeros to `width` digits.
QString paddedWhole(const QString &tail, int width)
{
    const double v = vb::Val(tail);
    const double r = v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5);
    QString digits = QString::number(std::fabs(r), 'f', 0);
    if (digits.size() < width)
        digits.prepend(QString(width - digits.size(), u'0'));
    return r < 0 ? u'-' + digits : digits;
}

} // namespace

double SortEngine::NumberValue(const QString &text)
{
    // "nan" and "inf" are no numbers to the user; a NaN key would also break the ordering.
    if (const auto v = vb::parseNumber(text); v && std::isfinite(*v))
        return *v;
    QString t = text;
    t.remove(u',');
    const QString group = QLocale().groupSeparator();
    if (!group.isEmpty() && group != QLocale().decimalPoint())
        t.remove(group);
    return vb::Val(t);
}

std::optional<qint64> SortEngine::DateValue(const QString &text)
{
    static const QRegularExpression own(QStringLiteral(
        R"(^\s*(\d{1,4})/(\d{1,2})/(\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?(?:\s*([AaPp])[Mm])?)?\s*$)"));
    const QRegularExpressionMatch m = own.match(text);
    if (m.hasMatch()) {
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        int hour = m.captured(4).toInt();
        const QString marker = m.captured(7).toUpper();
        if (!marker.isEmpty() && hour >= 1 && hour <= 12) {
            if (hour == 12)
                hour = 0;
            if (marker == u'P')
                hour += 12;
        }
        const QTime time(hour, m.captured(5).toInt(), m.captured(6).toInt());
        if (date.isValid() && time.isValid())
            return QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch();  // wall clock, as CDate
    }
    const auto converted = vb::CDate(text);
    if (converted.ok() && converted.value().isValid())
        return converted.value().toSecsSinceEpoch();
    return std::nullopt;
}

std::vector<QString> SortEngine::MagnitudeKeys(const std::vector<QString> &texts)
{
    std::vector<QString> prefixes(texts.size());
    std::vector<QString> tails(texts.size());
    int width = 0;
    for (size_t r = 0; r < texts.size(); ++r) {
        const QString &t = texts[r];
        const QString base = t.size() >= 4 ? t.left(t.size() - 4) : t;
        qsizetype start = base.size();
        while (start > 0 && vb::parseNumber(base.mid(start - 1)))
            --start;
        prefixes[r] = base.left(start);
        tails[r] = base.mid(start);
        width = std::max(width, int(tails[r].size()));
    }
    std::vector<QString> keys(texts.size());
    for (size_t r = 0; r < texts.size(); ++r)
        keys[r] = prefixes[r] + paddedWhole(tails[r], width);
    return keys;
}

std::vector<int32_t> SortEngine::Order(const ListItemsModel &rows, int32_t column, int32_t dataType,
                                       bool ascending, bool magnitude)
{
    const int32_t n = rows.Count();
    if (dataType == ldtNumber) {
        std::vector<double> keys(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; ++i) {
            const ListItem &item = rows.Item(i + 1);
            keys[size_t(i)] = column == SizeColumn && item.SizeBytes >= 0 ? double(item.SizeBytes) / 1024.0
                                                                           : NumberValue(cellIn(item, column));
        }
        return orderBy(keys, ascending, std::less<double>());
    }
    if (dataType == ldtDateTime) {
        std::vector<qint64> keys(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; ++i) {
            const ListItem &item = rows.Item(i + 1);
            if (column == DateColumn && item.LastWriteSecs != ListItem::NoTime)
                keys[size_t(i)] = item.LastWriteSecs;
            else
                keys[size_t(i)] = DateValue(cellIn(item, column)).value_or(std::numeric_limits<qint64>::min());
        }
        return orderBy(keys, ascending, std::less<qint64>());
    }
    std::vector<const QString *> texts(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        texts[size_t(i)] = &cellIn(rows.Item(i + 1), column);
    std::vector<QString> keys;
    if (dataType == ldtString && magnitude) {
        std::vector<QString> cells(texts.size());
        for (size_t i = 0; i < texts.size(); ++i)
            cells[i] = *texts[i];
        keys = MagnitudeKeys(cells);
        for (size_t i = 0; i < keys.size(); ++i)
            texts[i] = &keys[i];
    }
    return orderByText(texts, ascending);
}

} // namespace filelist

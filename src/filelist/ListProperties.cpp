#include "ListProperties.h"

#include "PropertyBag.h"
#include "VbConvert.h"

#include <array>
#include <cmath>
#include <limits>
#include <variant>

namespace filelist {

namespace {

using P = ListProperties;
using Member = std::variant<bool P::*, int16_t P::*, int32_t P::*, QString P::*>;

struct PersistedValue {
    const char *key;
    int write; // position in the writing order
    Member member;
};

// In reading order.
const std::array<PersistedValue, 41> kPersisted{{
    {"Appearance", 1, &P::Appearance},
    {"AllowColumnReorder", 3, &P::AllowColumnReorder},
    {"Arrange", 2, &P::Arrange},
    {"BorderStyle", 21, &P::BorderStyle},
    {"Checkboxes", 4, &P::Checkboxes},
    {"Enabled", 5, &P::Enabled},
    {"FlatScrollBar", 6, &P::FlatScrollBar},
    {"FullRowSelect", 7, &P::FullRowSelect},
    {"GridLines", 8, &P::GridLines},
    {"HideColumnHeaders", 9, &P::HideColumnHeaders},
    {"HideSelection", 10, &P::HideSelection},
    {"HotTracking", 11, &P::HotTracking},
    {"HoverSelection", 12, &P::HoverSelection},
    {"MousePointer", 13, &P::MousePointer},
    {"MultiSelect", 14, &P::MultiSelect},
    {"SortKey", 15, &P::SortKey},
    {"SortOrder", 16, &P::SortOrder},
    {"Sorted", 17, &P::Sorted},
    {"TextBackground", 18, &P::TextBackground},
    {"View", 19, &P::View},
    {"Visible", 20, &P::Visible},
    {"ColumnHeadersText", 22, &P::ColumnHeadersText},
    {"AutoDeselect", 23, &P::AutoDeselect},
    {"FileSpec", 24, &P::FileSpec},
    {"IncludeFolder", 25, &P::IncludeFolder},
    {"Path", 26, &P::Path},
    {"Recursive", 27, &P::Recursive},
    {"SubitemSelect", 28, &P::SubitemSelect},
    {"UpdateFrequency", 29, &P::UpdateFrequency},
    {"HighlightColumn", 34, &P::HighlightColumn},
    {"CurrrentHighlightColumn", 33, &P::CurrrentHighlightColumn},
    {"SizingType", 32, &P::SizingType},
    {"HighlightColor", 30, &P::HighlightColor},
    {"DefaultColor", 31, &P::DefaultColor},
    {"FlatHeader", 35, &P::FlatHeader},
    {"AutoTooltip", 36, &P::AutoTooltip},
    {"AutoPopupMenu", 37, &P::AutoPopupMenu},
    {"AllowFileDragDrop", 39, &P::AllowFileDragDrop},
    {"AllowItemEdit", 38, &P::AllowItemEdit},
    {"ClearOnDragDrop", 40, &P::ClearOnDragDrop},
    {"ShowFolders", 41, &P::ShowFolders},
}};

bool toBool(const QVariant &v, bool fallback)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const auto b = vb::CBool(v.toString());
    return b.ok() ? b.value() : fallback;
}

template <class T>
T toWhole(const QVariant &v, T fallback)
{
    bool ok = false;
    qlonglong n = v.toLongLong(&ok);
    if (!ok) {
        const auto parsed = vb::parseNumber(v.toString());
        if (!parsed || !std::isfinite(*parsed))
            return fallback;
        const double r = vb::roundHalfEven(*parsed);
        if (r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max()))
            return fallback;
        n = qlonglong(r);
    }
    if (n < std::numeric_limits<T>::min() || n > std::numeric_limits<T>::max())
        return fallback;
    return T(n);
}

QVariant stored(const ListProperties &p, const Member &member)
{
    return std::visit([&](auto m) -> QVariant {
        using V = std::decay_t<decltype(p.*m)>;
        if constexpr (std::is_same_v<V, QString> || std::is_same_v<V, bool>)
            return QVariant(p.*m);
        else
            return QVariant(int(p.*m));
    }, member);
}

void assign(ListProperties &p, const Member &member, const QVariant &value, const ListProperties &defaults)
{
    std::visit([&](auto m) {
        using V = std::decay_t<decltype(p.*m)>;
        if constexpr (std::is_same_v<V, QString>)
            p.*m = value.toString();
        else if constexpr (std::is_same_v<V, bool>)
            p.*m = toBool(value, defaults.*m);
        else
            p.*m = toWhole<V>(value, defaults.*m);
    }, member);
}

} // namespace

ListProperties ListProperties::NewlyPlaced()
{
    ListProperties p;
    p.ShowFolders = 0;
    p.ClearOnDragDrop = false;
    return p;
}

void ListProperties::Read(PropertyBag &bag)
{
    static const ListProperties defaults;
    for (const PersistedValue &v : kPersisted) {
        const QVariant value = bag.ReadProperty(QLatin1String(v.key), stored(defaults, v.member));
        assign(*this, v.member, value, defaults);
    }
}

void ListProperties::Write(PropertyBag &bag) const
{
    static const ListProperties defaults;
    for (int position = 1; position <= int(kPersisted.size()); ++position)
        for (const PersistedValue &v : kPersisted)
            if (v.write == position)
                bag.WriteProperty(QLatin1String(v.key), stored(*this, v.member), stored(defaults, v.member));
}

QStringList ListProperties::ReadOrder()
{
    QStringList keys;
    for (const PersistedValue &v : kPersisted)
        keys << QLatin1String(v.key);
    return keys;
}

QStringList ListProperties::WriteOrder()
{
    QStringList keys;
    for (int position = 1; position <= int(kPersisted.size()); ++position)
        for (const PersistedValue &v : kPersisted)
            if (v.write == position)
                keys << QLatin1String(v.key);
    return keys;
}

} // namespace filelist

#include "AttributeChange.h"

#include "FileAttributes.h"
#include "LineSafeText.h"

namespace mainwin {

namespace {

// How many failed items the report names before it only counts the rest.
constexpr int ListedFailures = 10;

QString joinNames(const QStringList &names)
{
    if (names.size() <= 1)
        return names.value(0);
    return QStringList(names.mid(0, names.size() - 1)).join(QStringLiteral(", ")) + QStringLiteral(" and ")
         + names.last();
}

} // namespace

int16_t AttributeValue(const std::array<bool, 6> &ticked)
{
    int16_t value = 0;
    for (size_t i = 5; i >= 1; --i)
        if (ticked[i])
            value = int16_t(value + AttributeBoxValues[i]);
    if (ticked[0])
        value = 0;
    return value;
}

void AttributeRun::Apply(const QString &path, int16_t value)
{
    ++m_items;
    const int current = fileattr::GetAttr(path);
    if (current < 0) {
        m_failures << QStringLiteral("%1: %2").arg(ShownName(path), vb::errorText(vb::FileNotFound));
        return;
    }
    // Only the Read Only bit is ours to set; Hidden stays as the name makes it.
    const vb::Status st = fileattr::SetAttr(path, (value & fileattr::ReadOnly) | (current & fileattr::Hidden));
    if (!st)
        m_failures << QStringLiteral("%1: %2").arg(ShownName(path), st.description);

    // Directory is what the item is; asking for it or not changes nothing and is no failure.
    const int fixed = fileattr::Hidden | fileattr::System | fileattr::Archive;
    const int differs = (value ^ current) & fixed;
    if (differs) {
        ++m_unsettable;
        m_unsettableBits |= differs;
    }
}

QString AttributeRun::Report() const
{
    QStringList parts;
    if (m_unsettable > 0) {
        QStringList names;
        for (size_t i = 1; i < AttributeBoxValues.size(); ++i)
            if (m_unsettableBits & AttributeBoxValues[i])
                names << QLatin1String(AttributeBoxCaptions[i]);
        parts << QStringLiteral("%1 cannot be set or cleared on this system (a name starting with \".\" is what "
                                "makes an item hidden), so %2 of %3 item(s) did not get exactly the chosen "
                                "attributes; their Read Only state was set all the same.")
                     .arg(joinNames(names))
                     .arg(m_unsettable)
                     .arg(m_items);
    }
    if (!m_failures.isEmpty()) {
        QString text = QStringLiteral("The attributes of %1 item(s) could not be changed:\n").arg(m_failures.size());
        text += QStringList(m_failures.mid(0, ListedFailures)).join(u'\n');
        if (m_failures.size() > ListedFailures)
            text += QStringLiteral("\n... and %1 more").arg(m_failures.size() - ListedFailures);
        parts << text;
    }
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace mainwin

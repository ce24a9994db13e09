#include "SettingsPropertyBag.h"

#include "UserSettings.h"

#include <QCoreApplication>

namespace filelist {

SettingsPropertyBag::SettingsPropertyBag(QSettings &store, const QString &formName, const QString &controlName,
                                         QVariantMap designValues)
    : m_store(store), m_group(formName + u'/' + controlName), m_design(std::move(designValues))
{
}

QVariant SettingsPropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue)
{
    const QString key = keyOf(name);
    if (m_store.contains(key))
        return m_store.value(key);
    return m_design.value(name, defaultValue);
}

void SettingsPropertyBag::WriteProperty(const QString &name, const QVariant &value, const QVariant &)
{
    m_store.setValue(keyOf(name), value);
}

std::unique_ptr<QSettings> SettingsPropertyBag::OpenUserStore()
{
    QString organization = QCoreApplication::organizationName();
    QString application = QCoreApplication::applicationName();
    if (organization.isEmpty())
        organization = QStringLiteral("Morvane");
    if (application.isEmpty())
        application = QStringLiteral("Vexlo");
    return ::OpenUserStore(organization, application + QStringLiteral(" Controls"));
}

} // namespace filelist

#pragma once
/**
 * A control's persisted values in the per-user settings store, kept per hosting form: group
 * "<form>/<control>". The form may give design values, which stand in for values the store does
 * not hold yet (they play the part of the form's own definition); after them the control's
 * defaults apply. Every value is written, so a value set back to its default stays so.
 */
#include "PropertyBag.h"

#include <QSettings>
#include <memory>

namespace filelist {

class SettingsPropertyBag : public PropertyBag {
public:
    SettingsPropertyBag(QSettings &store, const QString &formName, const QString &controlName,
                        QVariantMap designValues = {});

    QVariant ReadProperty(const QString &name, const QVariant &defaultValue) override;
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue) override;

    /** The per-user store of control values (INI format). */
    static std::unique_ptr<QSettings> OpenUserStore();

private:
    QString keyOf(const QString &name) const { return m_group + u'/' + name; }

    QSettings &m_store;
    QString m_group;
    QVariantMap m_design;
};

} // namespace filelist

#pragma once
/**
 * Where a hosting form keeps the persisted values of its controls: read with a default for an
 * absent value, written with the default beside the value.
 */
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

namespace filelist {

class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    /** The stored value, or `defaultValue` when there is none. */
    virtual QVariant ReadProperty(const QString &name, const QVariant &defaultValue) = 0;
    virtual void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue) = 0;
};

/** A bag in memory that records the order of reads and writes; for tests and for copying a
 *  control's values. */
class MemoryPropertyBag : public PropertyBag {
public:
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue) override
    {
        reads << name;
        return values.value(name, defaultValue);
    }
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &) override
    {
        writes << name;
        values.insert(name, value);
    }

    QVariantMap values;
    QStringList reads;
    QStringList writes;
};

} // namespace filelist

#include "ImageList.h"

namespace filelist {

ImageList::ImageList()
{
    Reset();
}

void ImageList::Reset()
{
    m_entries.clear();
    m_index.clear();
    Add(QStringLiteral("dummy"), QString(), QString());
}

int32_t ImageList::IndexOf(const QString &key) const
{
    return m_index.value(key, -1);
}

int32_t ImageList::Add(const QString &key, const QString &samplePath, const QString &typeName)
{
    if (const auto it = m_index.constFind(key); it != m_index.constEnd())
        return it.value();
    Entry e{key, samplePath, typeName, QVariant()};
    e.image = make(e);
    m_entries.push_back(std::move(e));
    const int32_t index = int32_t(m_entries.size() - 1);
    m_index.insert(key, index);
    return index;
}

QString ImageList::Key(int32_t index) const
{
    return index >= 0 && index < Count() ? m_entries[size_t(index)].key : QString();
}

QVariant ImageList::Image(int32_t index) const
{
    return index >= 0 && index < Count() ? m_entries[size_t(index)].image : QVariant();
}

void ImageList::SetImageSource(ImageSource source)
{
    m_source = std::move(source);
    for (Entry &e : m_entries)
        e.image = make(e);
}

QVariant ImageList::make(const Entry &e) const
{
    return m_source ? m_source(e.key, e.samplePath, e.typeName) : QVariant();
}

} // namespace filelist

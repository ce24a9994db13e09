#pragma once
/**
 * The list's small icons by key: the placeholder "dummy" first, then one image per distinct key
 * in the order first met. Images are opaque values (icons) made by an image source the window
 * part provides; without one the keys are still kept, so the key scheme works without a display.
 */
#include <QHash>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <vector>

namespace filelist {

class ImageList {
public:
    /** Makes the image for a key, from the first file met under it and its type name. The
     *  placeholder is asked for with the key "dummy" and an empty path. */
    using ImageSource = std::function<QVariant(const QString &key, const QString &samplePath, const QString &typeName)>;

    ImageList();

    /** Back to the placeholder alone. */
    void Reset();
    /** Position of a key, -1 when absent. */
    int32_t IndexOf(const QString &key) const;
    /** Position of a key, adding it (with its image) when absent. */
    int32_t Add(const QString &key, const QString &samplePath, const QString &typeName);
    /** Number of images, the placeholder included. */
    int32_t Count() const { return int32_t(m_entries.size()); }
    QString Key(int32_t index) const;
    QVariant Image(int32_t index) const;

    /** Sets the source and (re)makes every image with it. */
    void SetImageSource(ImageSource source);

private:
    struct Entry {
        QString key;
        QString samplePath;
        QString typeName;
        QVariant image;
    };
    QVariant make(const Entry &e) const;

    std::vector<Entry> m_entries;
    QHash<QString, int32_t> m_index;
    ImageSource m_source;
};

} // namespace filelist

#pragma once
/**
 * The engine's picture and music data served by the readers of this folder: clsEXIF for the
 * lines of a "JPEG Image" row and clsID3 for the properties of an ".mp3" row. A run gets fresh
 * readers and drops them at its end; a file that cannot be read yields no lines and empty
 * properties, and nothing is thrown.
 */
#include "MetadataSource.h"
#include "clsEXIF.h"
#include "clsID3.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace metadata {

class MediaMetadataSource : public engine::MetadataSource {
public:
    /** Value texts come from "exif.ini" found as a program asset. */
    MediaMetadataSource();
    /** Value texts come from the given profile file (empty: none). */
    explicit MediaMetadataSource(QString exifIniFile);
    ~MediaMetadataSource() override;

    void beginRun() override;
    void endRun() override;
    QStringList exifLines(const QString &fullPath) override;
    void setMusicFile(const QString &fullPath) override;
    QString musicText(engine::Id3Field field) const override;
    double musicNumber(engine::Id3Field field) const override;

private:
    clsEXIF &pictures();

    QString m_iniFile;
    bool m_useAsset;
    std::unique_ptr<clsEXIF> m_exif;
    std::unique_ptr<clsID3> m_id3;
};

} // namespace metadata

#pragma once
/**
 * The EXIF tags the reader names, in the order it searches them, and the byte size of each TIFF
 * value type.
 */
#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

namespace metadata {

struct ExifTagName {
    std::int32_t number;
    std::string_view name;
};

/** The named tags; a lookup takes the first row with the number. */
inline constexpr std::array<ExifTagName, 54> ExifTags{{
    {270, "ImageDescription"}, {271, "Make"}, {272, "Model"}, {274, "Orientation"},
    {282, "XResolution"}, {283, "YResolution"}, {296, "ResolutionUnit"}, {305, "Software"},
    {306, "DateTime"}, {318, "WhitePoint"}, {319, "PrimaryChromaticities"},
    {529, "YCbCrCoefficients"}, {531, "YCbCrPositioning"}, {532, "ReferenceBlackWhite"},
    {33432, "Copyright"}, {34665, "ExifOffset"}, {33434, "ExposureTime"}, {33437, "FNumber"},
    {34850, "ExposureProgram"}, {34855, "ISOSpeedRatings"}, {36864, "ExifVersion"},
    {36867, "DateTimeOriginal"}, {36868, "DateTimeDigitized"}, {37121, "ComponentsConfiguration"},
    {37122, "CompressedBitsPerPixel"}, {37377, "ShutterSpeedValue"}, {37378, "ApertureValue"},
    {37379, "BrightnessValue"}, {37380, "ExposureBiasValue"}, {37381, "MaxApertureValue"},
    {37382, "SubjectDistance"}, {37383, "MeteringMode"}, {37384, "LightSource"}, {37385, "Flash"},
    {37386, "FocalLength"}, {37500, "MakerNote"}, {37510, "UserComment"}, {37520, "SubsecTime"},
    {37521, "SubsecTimeOriginal"}, {37522, "SubsecTimeDigitized"}, {40960, "FlashPixVersion"},
    {40961, "ColorSpace"}, {40962, "ExifImageWidth"}, {40963, "ExifImageHeight"},
    {40964, "RelatedSoundFile"}, {40965, "ExifInteroperabilityOffset"},
    {41486, "FocalPlaneXResolution"}, {41487, "FocalPlaneYResolution"},
    {41488, "FocalPlaneResolutionUnit"}, {41493, "ExposureIndex"}, {41495, "SensingMethod"},
    {41728, "FileSource"}, {41729, "SceneType"}, {41730, "CFAPattern"},
}};

/** Bytes per value for the TIFF type codes 0 to 12 (0 has none). */
inline constexpr std::array<int, 13> TypeSizes{0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};

/** Tag numbers the reader treats specially. */
namespace exiftag {
inline constexpr std::int32_t XResolution = 282;
inline constexpr std::int32_t YResolution = 283;
inline constexpr std::int32_t ExifOffset = 34665;
inline constexpr std::int32_t ExposureTime = 33434;
inline constexpr std::int32_t FNumber = 33437;
inline constexpr std::int32_t ExifVersion = 36864;
inline constexpr std::int32_t ComponentsConfiguration = 37121;
inline constexpr std::int32_t ShutterSpeedValue = 37377;
inline constexpr std::int32_t ApertureValue = 37378;
inline constexpr std::int32_t ExposureBiasValue = 37380;
inline constexpr std::int32_t MaxApertureValue = 37381;
inline constexpr std::int32_t SubjectDistance = 37382;
inline constexpr std::int32_t FocalLength = 37386;
inline constexpr std::int32_t MakerNote = 37500;
inline constexpr std::int32_t FlashPixVersion = 40960;
inline constexpr std::int32_t ExifInteroperabilityOffset = 40965;
inline constexpr std::int32_t FocalPlaneXResolution = 41486;
inline constexpr std::int32_t FocalPlaneYResolution = 41487;
inline constexpr std::int32_t FileSource = 41728;
inline constexpr std::int32_t SceneType = 41729;
} // namespace exiftag

/** The name of a tag: its table name, else "Tag #" and the number in decimal. */
QString GetTagName(std::int32_t lID);

} // namespace metadata

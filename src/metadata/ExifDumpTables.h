#pragma once
/**
 * The texts of the EXIF dump: a description for each tag of the four directories it walks, and
 * the words for the coded values of some of those tags.
 */
#include <array>
#include <cstdint>
#include <string_view>

namespace metadata {

struct ExifDumpTag {
    std::uint16_t tag;
    std::string_view description;
    bool hasMeanings; ///< the value is shown through the meanings below
};

struct ExifValueMeaning {
    std::uint16_t tag;
    std::int64_t code;
    std::string_view text;
};

/** IFD0 and the Exif IFD; other tags are described "Unknown". */
extern const std::array<ExifDumpTag, 120> ExifDumpTags;
/** The GPS IFD; other tags have an empty description. */
extern const std::array<ExifDumpTag, 31> GpsDumpTags;
/** The Interoperability IFD; other tags have an empty description. */
extern const std::array<ExifDumpTag, 4> InteropDumpTags;
/** The words for coded values, by tag and code. */
extern const std::array<ExifValueMeaning, 96> ExifValueMeanings;

} // namespace metadata

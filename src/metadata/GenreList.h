#pragma once
/**
 * The genre numbers of ID3 tags: -2 "Cover", -1 "Remix", 0 to 79 the ID3v1 list, 80 to 147 its
 * widely used extension, and 255 "Unknown". Every other number has the empty name.
 */
#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

namespace metadata {

struct GenreEntry {
    std::int32_t id;
    std::string_view name;
};

/** The named genres in the order ToGenreID() compares them. */
extern const std::array<GenreEntry, 151> Genres;

/** The name of a genre number, or "" for an unnamed one. */
QString GenreName(std::int32_t GenreID);

/** The number of a genre text, compared after NormaliseGenreText(): 255 for an empty or blank
 *  text, 12 ("Other") when no name matches. */
std::int32_t ToGenreID(const QString &Genre);

/** The comparison form of a genre text: "/", " and ", "&", "-", "+" and " " removed (each
 *  case-sensitively, in that order), then lower case. */
QString NormaliseGenreText(const QString &text);

} // namespace metadata

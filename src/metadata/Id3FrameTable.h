#pragma once
/**
 * The text fields of the MP3 tag reader and the ID3v2 frames that fill them: one row per frame
 * kind with its revision 3/4 id, its revision 2 id and how its value is stored.
 */
#include <array>
#include <cstddef>
#include <string_view>

namespace metadata {

/** The text fields of clsID3, in the order of its field table. */
enum class Id3Field : int {
    Comments, Album, BeatsPerMinute, Composer, Genre, Copyright, EncodedBy, Lyricist, Title,
    InitialKey, Languages, OriginalAlbum, OriginalFileName, OriginalLyricist, OriginalArtist,
    OriginalReleaseYear, FileOwner, Artist, Band, Conductor, InterpretedBy, DiscNumber,
    DiscsTotal, Publisher, TrackNumber, TracksTotal, InternetRadioStationName,
    InternetRadioStationOwner, ISRC, Year, Lyrics, CopyrightInfo, AudioURL, AudioSourceURL,
    InternetRadioURL, PaymentURL, PublisherURL,
};
inline constexpr std::size_t Id3FieldCount = std::size_t(Id3Field::PublisherURL) + 1;

/** The collections of frames that may repeat. */
enum class Id3Collection : int { None, CommercialInfo, ArtistURL, AttachedPictures };

/** How a frame's value is stored. */
enum class Id3FrameRule : int {
    Text,          ///< replaces the field
    Described,     ///< comment-style: stored only with an empty description
    GenreText,     ///< held and resolved after the walk
    YearPart,      ///< the part before the first "-"
    TrackParts,    ///< split at "/" after the walk: TrackNumber, TracksTotal
    DiscParts,     ///< split at "/" after the walk: DiscNumber, DiscsTotal
    CollectText,   ///< added to a collection, compared as cleaned text
    CollectBinary, ///< added to a collection, compared byte for byte
};

struct Id3FrameKind {
    std::string_view id;   ///< revision 3 and 4 id
    std::string_view id22; ///< revision 2 id ("" when none)
    Id3Field field;           ///< the field filled (not used by the collection rules)
    Id3FrameRule rule;
    Id3Collection collection; ///< the collection filled by the collection rules
};

inline constexpr std::array<Id3FrameKind, 40> Id3Frames{{
    {"COMM", "COM", Id3Field::Comments, Id3FrameRule::Described, Id3Collection::None},
    {"TALB", "TAL", Id3Field::Album, Id3FrameRule::Text, Id3Collection::None},
    {"TBPM", "TBP", Id3Field::BeatsPerMinute, Id3FrameRule::Text, Id3Collection::None},
    {"TCOM", "TCM", Id3Field::Composer, Id3FrameRule::Text, Id3Collection::None},
    {"TCON", "TCO", Id3Field::Genre, Id3FrameRule::GenreText, Id3Collection::None},
    {"TCOP", "TCR", Id3Field::Copyright, Id3FrameRule::Text, Id3Collection::None},
    {"TENC", "TEN", Id3Field::EncodedBy, Id3FrameRule::Text, Id3Collection::None},
    {"TEXT", "TXT", Id3Field::Lyricist, Id3FrameRule::Text, Id3Collection::None},
    {"TIT2", "TT2", Id3Field::Title, Id3FrameRule::Text, Id3Collection::None},
    {"TKEY", "TKE", Id3Field::InitialKey, Id3FrameRule::Text, Id3Collection::None},
    {"TLAN", "TLA", Id3Field::Languages, Id3FrameRule::Text, Id3Collection::None},
    {"TOAL", "TOT", Id3Field::OriginalAlbum, Id3FrameRule::Text, Id3Collection::None},
    {"TOFN", "TOF", Id3Field::OriginalFileName, Id3FrameRule::Text, Id3Collection::None},
    {"TOLY", "TOL", Id3Field::OriginalLyricist, Id3FrameRule::Text, Id3Collection::None},
    {"TOPE", "TOA", Id3Field::OriginalArtist, Id3FrameRule::Text, Id3Collection::None},
    {"TORY", "TOR", Id3Field::OriginalReleaseYear, Id3FrameRule::Text, Id3Collection::None},
    {"TDOR", "", Id3Field::OriginalReleaseYear, Id3FrameRule::YearPart, Id3Collection::None},
    {"TOWN", "", Id3Field::FileOwner, Id3FrameRule::Text, Id3Collection::None},
    {"TPE1", "TP1", Id3Field::Artist, Id3FrameRule::Text, Id3Collection::None},
    {"TPE2", "TP2", Id3Field::Band, Id3FrameRule::Text, Id3Collection::None},
    {"TPE3", "TP3", Id3Field::Conductor, Id3FrameRule::Text, Id3Collection::None},
    {"TPE4", "TP4", Id3Field::InterpretedBy, Id3FrameRule::Text, Id3Collection::None},
    {"TPOS", "TPA", Id3Field::DiscNumber, Id3FrameRule::DiscParts, Id3Collection::None},
    {"TPUB", "TPB", Id3Field::Publisher, Id3FrameRule::Text, Id3Collection::None},
    {"TRCK", "TRK", Id3Field::TrackNumber, Id3FrameRule::TrackParts, Id3Collection::None},
    {"TRSN", "", Id3Field::InternetRadioStationName, Id3FrameRule::Text, Id3Collection::None},
    {"TRSO", "", Id3Field::InternetRadioStationOwner, Id3FrameRule::Text, Id3Collection::None},
    {"TSRC", "TRC", Id3Field::ISRC, Id3FrameRule::Text, Id3Collection::None},
    {"TYER", "TYE", Id3Field::Year, Id3FrameRule::Text, Id3Collection::None},
    {"TDRC", "", Id3Field::Year, Id3FrameRule::YearPart, Id3Collection::None},
    {"USLT", "ULT", Id3Field::Lyrics, Id3FrameRule::Described, Id3Collection::None},
    {"WCOM", "WCM", Id3Field::Comments, Id3FrameRule::CollectText, Id3Collection::CommercialInfo},
    {"WCOP", "WCP", Id3Field::CopyrightInfo, Id3FrameRule::Text, Id3Collection::None},
    {"WOAF", "WAF", Id3Field::AudioURL, Id3FrameRule::Text, Id3Collection::None},
    {"WOAR", "WAR", Id3Field::Comments, Id3FrameRule::CollectText, Id3Collection::ArtistURL},
    {"WOAS", "WAS", Id3Field::AudioSourceURL, Id3FrameRule::Text, Id3Collection::None},
    {"WORS", "", Id3Field::InternetRadioURL, Id3FrameRule::Text, Id3Collection::None},
    {"WPAY", "", Id3Field::PaymentURL, Id3FrameRule::Text, Id3Collection::None},
    {"WPUB", "WPB", Id3Field::PublisherURL, Id3FrameRule::Text, Id3Collection::None},
    {"APIC", "PIC", Id3Field::Comments, Id3FrameRule::CollectBinary, Id3Collection::AttachedPictures},
}};

/** The row of a frame id in a tag of the given major revision, or nullptr. */
const Id3FrameKind *findId3Frame(std::string_view id, int revision);

} // namespace metadata

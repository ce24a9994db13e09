#pragma once
/**
 * The token language: the words between dollar signs that an action's field may hold, evaluated
 * per row by ExpandToken. A field is a token only when it is exactly a token word; only
 * "$Exif_", "$MP3_ID3_", "$Rand$_" and "$Random$_" are also found inside a longer text. Which
 * groups of words an action knows is stated once, in tokenGroupsOf().
 */
#include "Actions.h"
#include "RenameSettings.h"

#include <QString>
#include <optional>

namespace engine {

/** Groups of token words; an action evaluates the groups it knows, the rest is literal text. */
enum TokenGroup : unsigned {
    CounterTokens = 1u << 0,       ///< "$Counter$", "$AlphaCounter$"
    RandomStringToken = 1u << 1,   ///< "$Random String$" with the action's mask box
    CaseTokens = 1u << 2,          ///< "$Upper_Case$", "$Lower_Case$", "$Invert_Case$"
    CurrentDateTokens = 1u << 3,   ///< "$hour$" ... "$yyyy_mm_dd$" from the clock
    ModifiedDateTokens = 1u << 4,  ///< "$mod_hour$" ... from the row's Modified text
    SizeFolderTokens = 1u << 5,    ///< "$filesizeB$", "$filesizeKB$", "$filesizeMB$", "$foldername$"
    ExifTokens = 1u << 6,          ///< "$Exif_<tag>" and "$Exif_date_<word>", anywhere
    Mp3Tokens = 1u << 7,           ///< "$MP3_ID3_<word>", anywhere
    RandMarker = 1u << 8,          ///< "$Rand$_<mask>" anywhere, tested after the MP3 test
    RandomMarker = 1u << 9,        ///< "$Random$_<mask>" anywhere, tested before the MP3 test
    ModifiedWords = 1u << 10,      ///< "$date_modified$", "$time_modified$"
};
using TokenGroups = unsigned;

/** The token groups each token action evaluates in its fields. */
constexpr TokenGroups tokenGroupsOf(TokenAction action)
{
    constexpr TokenGroups dates = CurrentDateTokens | ModifiedDateTokens;
    switch (action) {
    case TokenAction::ReplaceFirst:
    case TokenAction::ReplaceMid:
    case TokenAction::ReplaceLast:
    case TokenAction::ReplaceAll:
        return CounterTokens | RandomStringToken | CaseTokens | dates | SizeFolderTokens
               | ExifTokens | Mp3Tokens;
    case TokenAction::Insert:
    case TokenAction::Suffix:
    case TokenAction::Prefix:
        return CounterTokens | RandomStringToken | dates | SizeFolderTokens | ExifTokens
               | Mp3Tokens;
    case TokenAction::Compose:
        return CounterTokens | RandomMarker | dates | SizeFolderTokens | ExifTokens | Mp3Tokens;
    case TokenAction::Replace:
        return CounterTokens | RandMarker | CaseTokens | dates | SizeFolderTokens | ExifTokens
               | Mp3Tokens | ModifiedWords;
    case TokenAction::Extension:
        return CounterTokens | RandMarker | ExifTokens;
    }
    return 0;
}

/** The value of a token, or std::nullopt for `KeepName`: the action returns the working name
 *  unchanged for this row. */
using TokenValue = std::optional<QString>;
inline constexpr std::nullopt_t KeepName = std::nullopt;

/** What one evaluation sees besides the row (ActionCall::row) and the run state. */
struct TokenContext {
    QString field;        ///< the text of the action's source field
    QString target;       ///< the text the action will replace (empty for inserting actions)
    TokenAction action;   ///< whose counters and counter settings
    TokenGroups groups;   ///< the words this action knows (normally tokenGroupsOf(action))
    QString mask;         ///< the action's mask box, for "$Random String$"
};

/**
 * Evaluates `context.field` for the row of `call`. Tests in this order: "$Exif_" anywhere,
 * "$Random$_" anywhere, "$MP3_ID3_" anywhere, "$Rand$_" anywhere, then the whole field against
 * the token words; a field that matches nothing is its own value. A group the action does not
 * know is skipped. A counter token advances the action's counter.
 *
 * Throws vb::Error for a failure of this row: a Modified text that is no date, counter settings
 * that do not convert, an overflow.
 */
TokenValue ExpandToken(ActionCall &call, const TokenContext &context);

/** True when the row's EXIF data can be used: Type exactly "JPEG Image" and more than one
 *  picture line. Otherwise an EXIF token yields the target text. */
bool exifApplies(const ActionCall &call);

/** The value of an EXIF field text: a tag lookup ("$Exif_<tag>": the value of the line that
 *  begins with "<tag>: " without its control characters, empty when none does) or a
 *  picture-date word ("$Exif_date_<word>", the date read as a wall-clock time). */
QString GetExifTokenValue(const QStringList &exifLines, const QString &field,
                          const QString &pictureDate);

/** `text` with A-Z and a-z swapped in case; every other character unchanged. */
QString InvertCase(const QString &text);

/** A single-precision number in its shortest form (at most 7 significant digits, the locale's
 *  decimal separator, exponent form for 8 or more digits before the point: 1.234568E+07). */
QString singleText(float value);
/** The same for double precision (at most 15 significant digits). */
QString doubleText(double value);

} // namespace engine

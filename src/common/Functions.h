#pragma once
/**
 * General procedures every window uses: folder paths with one trailing "/", parent folders,
 * random text from a mask and file counts.
 */
#include <QString>
#include <cstdint>

class RandomSource;

namespace common {

/** The user's desktop folder, without a trailing "/". */
QString GetDesktopPath();

/** `path` with exactly one trailing "/" (appended to the caller's variable too); the exact word
 *  "Desktop" stands for the desktop folder, and the caller's variable keeps the word. */
QString FixPath(QString &path);
/** The same for a value the caller does not keep. */
inline QString FixPathOf(QString path) { return FixPath(path); }

/** The parent of a folder path, with its trailing "/": "/a/b/" and "/a/b" give "/a/"; "/a"
 *  gives "/"; the root, and texts without a folder separator, come back unchanged. */
QString ParentFolder(const QString &path);

/** Text of the same length as `mask`: "#" a digit, "A" a capital, "a" a small letter, "N" a
 *  letter or digit, "H" a hexadecimal digit; any other character is copied. The draws continue
 *  the generator's sequence: it is not re-seeded here (a preview run seeds it once at its start),
 *  so calls within one timer tick never repeat each other. */
QString RandomStringFromMask(const QString &mask, RandomSource &random);

/** The number of files directly in `folder`. Throws vb::Error: number 1,
 *  "Error form Functions.GetFileCount Invalid path  given" for a missing folder; for any other
 *  failure its own number with "Error form Functions.GetFileCount " + its description. */
int32_t GetFileCount(const QString &folder);

/** Twips per pixel (96 dpi logical pixels). */
constexpr double TwipsPerPixel = 15.0;
constexpr int twipsToPixels(double twips) { return int(twips / TwipsPerPixel + (twips >= 0 ? 0.5 : -0.5)); }
constexpr double pixelsToTwips(double pixels) { return pixels * TwipsPerPixel; }
/** Whole pixels in twips, which is always a whole number. */
constexpr int32_t wholeTwips(int pixels) { return int32_t(pixels * TwipsPerPixel); }

/** How many of a unit one pixel is wide, rounded as the program rounds them. */
float CharactersPerPixel();
float InchesPerPixel();
float PointsPerPixel();
float CentimetresPerPixel();
float MillimetresPerPixel();

/** A scale mode's width in pixels: 1 twips, 2 points, 3 pixels, 4 characters, 5 inches,
 *  6 millimetres, 7 centimetres; other modes give 0. */
float WidthInPixels(double width, int scaleMode);

} // namespace common

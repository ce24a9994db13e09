#pragma once
/**
 * The window skin "Royale.cjstyles": a Qt style sheet kept under that file name. A skin that is
 * missing, too large, not text or not a well-formed sheet is refused, and the window keeps the
 * default style.
 */
#include <QString>
#include <optional>

namespace mainwin {

class SkinFile {
public:
    /** The skin's file name. */
    static QString FileName();

    /** The style sheet in `path`, or nullopt when the file is refused. */
    static std::optional<QString> load(const QString &path);

    /** True when `sheet` is a sheet the window may apply: not blank, no NUL, comments closed,
     *  braces balanced and never nested, every block behind a selector. */
    static bool wellFormed(const QString &sheet);
};

} // namespace mainwin

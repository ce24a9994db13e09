#pragma once
/**
 * The command-bar layout file "KVX.xcb": where each tool bar sits and whether it shows. A text
 * file of our own shape:
 *
 *     Morvane Command Bars
 *     Bar=Standard|Area=Top|Visible=1|Break=0
 *     Bar=View|Area=Top|Visible=1|Break=0
 *
 * A file that does not have this shape is refused whole, and the window keeps its built-in
 * layout.
 */
#include "VbError.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mainwin {

/** Where one tool bar sits. */
struct BarPlacement {
    /** The bar's name ("Standard", "View", "Help"). */
    QString name;
    /** "Top", "Bottom", "Left" or "Right". */
    QString area = QStringLiteral("Top");
    bool visible = true;
    /** The bar starts a new row of bars in its area. */
    bool lineBreak = false;

    bool operator==(const BarPlacement &) const = default;
};

class CommandBarLayout {
public:
    /** The first line of the file. */
    static QString Header();
    /** The bars in file order. */
    std::vector<BarPlacement> bars;

    /** Parses the file's lines; nullopt when the header, a line, an area, a flag or a repeated
     *  bar name is wrong, or when the file holds more bars than any layout can. */
    static std::optional<CommandBarLayout> parse(const QStringList &lines);
    QStringList lines() const;

    /** Reads the file at `path`; nullopt when it is missing or refused. */
    static std::optional<CommandBarLayout> load(const QString &path);
    /** Writes the file atomically. */
    vb::Status save(const QString &path) const;

    bool operator==(const CommandBarLayout &) const = default;
};

} // namespace mainwin

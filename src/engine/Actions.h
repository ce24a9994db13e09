#pragma once
/**
 * The thirteen rename actions: their names (the keys of the engine, the rename window and the
 * settings files), the order of the action list when the window opens, and the applier of each.
 *
 * An applier takes the working name (with its extension) and returns the new working name. It
 * reads its settings from `call.settings`, the row's values from `call.row` and the run state
 * (`CurrentBaseName`, counters, Clean sets, lengths ...) from `call.engine.run`. It never throws:
 * a failure, or an empty result, gives back the working name unchanged (see applyGuarded()).
 */
#include "RenameSettings.h"
#include "VbError.h"

#include <QString>
#include <array>
#include <optional>
#include <string_view>

namespace engine {

struct RenameEngine;

/** The values of the row an applier works on, read from the grid at the start of the row. */
struct RowValues {
    QString Modified;     ///< "Modified" cell text
    float Size = 0;       ///< "Size" cell as a single-precision number
    QString Folder;       ///< "Folder" cell text
    QString Type;         ///< "Type" cell text
    QString PictureDate;  ///< the row's picture date, or empty
    /** The "Size" cell is empty (the item was gone when the grid was filled): a size token
     *  fails on it as a date token fails on an empty Modified. */
    bool NoSize = false;
};

/** One applier call: the engine (services and run state), the settings and the row. */
struct ActionCall {
    RenameEngine &engine;
    const RenameSettings &settings;
    const RowValues &row;
};

/** The shape of every applier. */
using Applier = QString (*)(ActionCall &call, const QString &name);

QString ApplyReplace(ActionCall &call, const QString &name);
QString ApplyReplaceFirst(ActionCall &call, const QString &name);
QString ApplyReplaceMid(ActionCall &call, const QString &name);
QString ApplyReplaceLast(ActionCall &call, const QString &name);
QString ApplyReplaceAll(ActionCall &call, const QString &name);
QString ApplyInsert(ActionCall &call, const QString &name);
QString ApplySuffix(ActionCall &call, const QString &name);
QString ApplyPrefix(ActionCall &call, const QString &name);
QString ApplyLength(ActionCall &call, const QString &name);
QString ApplyChangeCase(ActionCall &call, const QString &name);
QString ApplyExtension(ActionCall &call, const QString &name);
QString ApplyClean(ActionCall &call, const QString &name);
QString ApplyCompose(ActionCall &call, const QString &name);

/** One action: its name, its applier and, for the ten token actions, whose counters it uses. */
struct ActionInfo {
    std::u16string_view name;
    Applier apply;
    std::optional<TokenAction> tokenAction;
};

/** Every action, in the order of the action list when the rename window opens. */
inline constexpr std::array<ActionInfo, 13> ActionTable{{
    {u"Replace", &ApplyReplace, TokenAction::Replace},
    {u"Replace First", &ApplyReplaceFirst, TokenAction::ReplaceFirst},
    {u"Replace Mid", &ApplyReplaceMid, TokenAction::ReplaceMid},
    {u"Replace Last", &ApplyReplaceLast, TokenAction::ReplaceLast},
    {u"Replace All", &ApplyReplaceAll, TokenAction::ReplaceAll},
    {u"Insert", &ApplyInsert, TokenAction::Insert},
    {u"Suffix", &ApplySuffix, TokenAction::Suffix},
    {u"Prefix", &ApplyPrefix, TokenAction::Prefix},
    {u"Length", &ApplyLength, std::nullopt},
    {u"Change Case", &ApplyChangeCase, std::nullopt},
    {u"Extension", &ApplyExtension, TokenAction::Extension},
    {u"Clean", &ApplyClean, std::nullopt},
    {u"Compose", &ApplyCompose, TokenAction::Compose},
}};

/** The action whose name equals `name` exactly (case-sensitive), or nullptr. */
const ActionInfo *findAction(const QString &name);

/** The name of an action as a QString. */
inline QString actionName(const ActionInfo &action)
{
    return QString::fromUtf16(action.name.data(), qsizetype(action.name.size()));
}

/** Where applyGuarded() tells the failure it swallowed: the preview points it at its row's
 *  failure text while the row's actions run (null: nowhere). The first failure is kept. */
inline thread_local QString *ActionFailureSink = nullptr;

/**
 * The common ending of an applier: runs `body`, which returns the new working name and may
 * throw vb::Error for a failure of this row; a failure or an empty result gives `name` back
 * (a failure is also told to ActionFailureSink).
 */
template <class Body>
QString applyGuarded(const QString &name, Body &&body)
{
    try {
        QString result = body();
        return result.isEmpty() ? name : result;
    } catch (const vb::Error &e) {
        if (ActionFailureSink && ActionFailureSink->isNull())
            *ActionFailureSink = e.description();
        return name;
    }
}

} // namespace engine

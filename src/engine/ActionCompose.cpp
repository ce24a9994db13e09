// "Compose": a new base name built from the values of the elements of `lstCompose`, joined in
// list order; the extension of the working name follows unchanged.
#include "Actions.h"
#include "ExpandToken.h"
#include "Preview.h"
#include "RenameEngine.h"

namespace engine {

QString ApplyCompose(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        call.engine.run.CurrentBaseName = GetFName(name, call.row.Type, false);
        const TokenGroups groups = tokenGroupsOf(TokenAction::Compose);
        QString composed;
        for (const QString &element : call.settings.ComposeElements) {
            // An element with no value (a picture field on a row without picture data, a music
            // field on a row that is no music file or whose tag is empty) adds nothing.
            const TokenValue value =
                ExpandToken(call, {element, QString(), TokenAction::Compose, groups, QString()});
            if (value)
                composed += *value;
        }
        return composed + GetFName(name, call.row.Type, true);
    });
}

} // namespace engine

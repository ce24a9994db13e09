// "Change Case": the base name in upper case, lower case, or with A-Z and a-z swapped; the
// extension never changes.
#include "Actions.h"
#include "ExpandToken.h"
#include "Preview.h"
#include "RenameEngine.h"
#include "VbString.h"

namespace engine {

QString ApplyChangeCase(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        const QString base = GetFName(name, call.row.Type, false);
        call.engine.run.CurrentBaseName = base;
        QString changed;
        switch (call.settings.CaseMode) {
        case CaseOption::Upper: changed = vb::UCase(base); break;
        case CaseOption::Lower: changed = vb::LCase(base); break;
        default: changed = InvertCase(base); break;
        }
        return changed + GetFName(name, call.row.Type, true);
    });
}

} // namespace engine

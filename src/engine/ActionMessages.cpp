#include "ActionMessages.h"

#include "EngineHost.h"
#include "MessageService.h"
#include "RenameEngine.h"

#include <QSet>

namespace engine {

void noteActionFailure(RenameEngine &engine, const QString &description)
{
    engine.run.ActionFailures.append(description);
}

void ShowActionFailures(RenameEngine &engine)
{
    QStringList &failures = engine.run.ActionFailures;
    if (failures.isEmpty())
        return;
    QStringList distinct;
    QSet<QString> seen;
    for (const QString &description : std::as_const(failures)) {
        if (!description.isEmpty() && !seen.contains(description)) {
            seen.insert(description);
            distinct.append(description);
        }
    }
    failures.clear();
    engine.host.MsgBox(distinct.join(u'\n'), msg::OKOnly, QStringLiteral("Morvane"));
}

} // namespace engine

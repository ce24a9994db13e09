#include "Actions.h"

namespace engine {

const ActionInfo *findAction(const QString &name)
{
    const std::u16string_view key(reinterpret_cast<const char16_t *>(name.utf16()),
                                  size_t(name.size()));
    for (const ActionInfo &action : ActionTable) {
        if (action.name == key)
            return &action;
    }
    return nullptr;
}

} // namespace engine

#include "RenameSettings.h"

#include "Actions.h"

namespace engine {

namespace {

// Box order of the numeric group: start, step, pad width, pad character, prefix, suffix.
constexpr QString CounterSettings::*CounterBoxes[6] = {
    &CounterSettings::CounterStart, &CounterSettings::CounterStep,
    &CounterSettings::CounterPadWidth, &CounterSettings::CounterPadChar,
    &CounterSettings::CounterPrefix, &CounterSettings::CounterSuffix};
// Box order of the letter group: start, step, prefix, suffix, pad width, pad character.
constexpr QString CounterSettings::*AlphaBoxes[6] = {
    &CounterSettings::AlphaStart, &CounterSettings::AlphaStep, &CounterSettings::AlphaPrefix,
    &CounterSettings::AlphaSuffix, &CounterSettings::AlphaPadWidth,
    &CounterSettings::AlphaPadChar};

// The counter settings of each token action, index by TokenAction.
constexpr CounterSettings RenameSettings::*Counters[TokenActionCount] = {
    &RenameSettings::FirstCounter,  &RenameSettings::MidCounter,
    &RenameSettings::LastCounter,   &RenameSettings::AllCounter,
    &RenameSettings::InsertCounter, &RenameSettings::SuffixCounter,
    &RenameSettings::PrefixCounter, &RenameSettings::ExtensionCounter,
    &RenameSettings::ReplaceCounter, &RenameSettings::ComposeCounter};

} // namespace

QString &CounterSettings::counterBox(int item) { return this->*CounterBoxes[item]; }
const QString &CounterSettings::counterBox(int item) const { return this->*CounterBoxes[item]; }
QString &CounterSettings::alphaBox(int item) { return this->*AlphaBoxes[item]; }
const QString &CounterSettings::alphaBox(int item) const { return this->*AlphaBoxes[item]; }

RenameSettings::RenameSettings()
{
    ActionList.reserve(ActionTable.size());
    for (const ActionInfo &action : ActionTable)
        ActionList.push_back({actionName(action), false});
}

CounterSettings &RenameSettings::counter(TokenAction action)
{
    return this->*Counters[int(action)];
}

const CounterSettings &RenameSettings::counter(TokenAction action) const
{
    return this->*Counters[int(action)];
}

void RenameSettings::setChecked(const QString &name, bool checked)
{
    for (ActionListItem &item : ActionList) {
        if (item.Name == name)
            item.Checked = checked;
    }
}

void RenameSettings::checkOnly(const QStringList &names)
{
    for (ActionListItem &item : ActionList)
        item.Checked = names.contains(item.Name);
}

} // namespace engine

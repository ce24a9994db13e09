#pragma once
/**
 * The two counters of a token action: "$Counter$" (a number with step, padding, prefix and
 * suffix) and "$AlphaCounter$" (letters that advance like an odometer). Each value is formatted
 * from the running state and then advances it.
 */
#include "RenameSettings.h"
#include "RunState.h"

#include <QString>

namespace engine {

/** Resets a counter state at the start of a run: the number from `CounterStart` (unchanged when
 *  that does not convert to a 16-bit whole number), the letters from `AlphaStart` (a run of "A"
 *  as long as it when it holds anything but letters) in the chosen case, and the letter limit. */
void resetCounter(const CounterSettings &settings, CounterState &state);

/** The "$Counter$" value, then the counter advances by `CounterStep`. Throws vb::Error (and
 *  leaves the state) when the pad width or step does not convert or the number overflows. */
QString nextCounterValue(const CounterSettings &settings, CounterState &state);

/** The "$AlphaCounter$" value, then the letters advance by `AlphaStep` odometer steps. Throws
 *  vb::Error (and leaves the state) when the pad width or step does not convert. */
QString nextAlphaCounterValue(const CounterSettings &settings, CounterState &state);

/** `text` advanced by `steps` odometer steps (none when steps <= 0) over "A".."Z" (limit 90) or
 *  "a".."z" (limit 122): "AZ" -> "BA", "ZZ" -> "AAA", "" -> "A". */
QString NextAlphaCounter(const QString &text, int limit, int steps);

/** Whether every character of `text` is a letter A-Z in either case (an empty text is). */
bool IsAllCapitals(const QString &text);

} // namespace engine

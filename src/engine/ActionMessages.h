#pragma once
/**
 * The messages of "Replace" and "Extension". A row on which one of them fails (a run-time error,
 * or an empty result) keeps its name, and the failure is noted; the preview run shows the notes
 * of the whole run in one message box at its end instead of one box per row.
 */
#include <QString>

namespace engine {

struct RenameEngine;

/** Notes a failure of "Replace" or "Extension": the error's description, or an empty text for
 *  a result that was merely empty. */
void noteActionFailure(RenameEngine &engine, const QString &description);

/** Shows the failures noted since the last call in one message box with the program's title
 *  "Morvane" and an OK button: each distinct description once, in the order they first came
 *  (an empty box when every result was merely empty). Nothing is shown when nothing failed. */
void ShowActionFailures(RenameEngine &engine);

} // namespace engine

#pragma once
/**
 * The state of the preview runs that the action appliers read: the running counters of each
 * token action, the name lengths, the Clean character sets, and what the run knows of the row
 * it is on. A run resets its parts at its start; what a run does not reset (a counter whose Start
 * does not convert, the modified lengths without a "Length" action) stays from the run before.
 */
#include "RenameSettings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace engine {

/** The running "$Counter$" and "$AlphaCounter$" state of one token action. */
struct CounterState {
    int32_t CounterValue = 0;       ///< the number the next "$Counter$" shows
    QString AlphaCounterValue;      ///< the letters the next "$AlphaCounter$" shows
    int16_t AlphaCounterLimit = 0;  ///< code of the last letter: 90 ("Z") or 122 ("z")
};

struct RunState {
    /** The checked action names in list order (`List4`), copied once per run. */
    QStringList ActiveActions;

    /** Counter state per token action, index by `TokenAction`. */
    std::array<CounterState, TokenActionCount> Counters;
    CounterState &counter(TokenAction action) { return Counters[size_t(action)]; }
    const CounterState &counter(TokenAction action) const { return Counters[size_t(action)]; }

    /** Longest and shortest base-name length of the "Original" column (start of each run). */
    int LongestOriginalLength = 0;
    int ShortestOriginalLength = 0;
    /** The same of the "Preview" column, taken at the run's first "Length" action. */
    int LongestModifiedLength = 0;
    int ShortestModifiedLength = 0;
    /** Whether this run has taken the modified lengths yet. */
    bool ModifiedLengthsTaken = false;

    /** The characters "Clean" removes and keeps (texts used as sets). */
    QString CleanRemoveSet;
    QString CleanKeepSet;

    /** The base name the running applier transforms (written only by appliers). */
    QString CurrentBaseName;
    /** The extension of the row's "Original" name, with its dot (the row's Type is not used,
     *  so a folder name with a dot has one here). */
    QString CurrentExtension;
    /** The row's picture date ("yyyy:mm:dd hh:mm:ss" as the picture lists it), or empty. */
    QString PictureDate;
    /** The row's picture lines (`lstExif`): "TagName: value"; empty for every row that is not
     *  a readable "JPEG Image". */
    QStringList ExifLines;

    /** Failures of "Replace" and "Extension" in this run (a description, or an empty text for
     *  an empty result), shown together in one message box at the run's end. */
    QStringList ActionFailures;

    /** The rows of this run whose preview failed (an action raised an error or noted a
     *  failure): row number and the first failure's description, in row order. Their Preview
     *  is not the name the actions meant to give. */
    std::vector<std::pair<size_t, QString>> FailedRows;
};

} // namespace engine

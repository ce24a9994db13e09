#pragma once
/**
 * The engine of one rename window: the services its procedures use and the state they share
 * between calls (the run state and `Previewed`). The procedures themselves are free functions
 * taking a RenameEngine (GeneratePreview, cmdPreview_Click, the appliers, ValidateNewNames ...).
 */
#include "RunState.h"

struct AppState;
class Clock;
class RandomSource;

namespace engine {

class EngineHost;
class MetadataSource;

struct RenameEngine {
    RenameEngine(AppState &app, EngineHost &host, MetadataSource &metadata, Clock &clock,
                 RandomSource &random)
        : app(app), host(host), metadata(metadata), clock(clock), random(random)
    {
    }

    AppState &app;             ///< preferences, replace tables (the StopFlag goes through host)
    EngineHost &host;          ///< status caption, progress, yield, stop request, messages
    MetadataSource &metadata;  ///< picture and music data of the rows
    Clock &clock;              ///< "now" for the current date and time tokens
    RandomSource &random;      ///< the draws of the random-string tokens

    RunState run;              ///< the per-run state the appliers read
    /** A preview has run to its end (set only then; the window's "&Clear" clears it). */
    bool Previewed = false;
    /** A preview run is in progress (a second one started from a yield is refused). */
    bool Running = false;
};

} // namespace engine
